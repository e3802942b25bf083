#pragma once

#include <array>
#include <string>
#include <vector>

#include "CellEdit.h"
#include "ListCtrl.h"

// A report-view list whose cells are edited in place: one click on an editable cell lays the
// cell editor over it; a finished edit is stored and reported to the parent with WM_CELL_EDITED.
class CEditableListCtrl : public afx::CListCtrl {
public:
    static constexpr int kColumnsWithRules = 100;

    ~CEditableListCtrl() override;

    void SetReadOnlyColumn(int column, bool readOnly);
    // column -1 sets every column's characters; columns outside 0..99 are ignored. An empty
    // string allows every character.
    void SetColumnValidChars(const std::wstring& chars, int column);

    bool IsReadOnlyColumn(int column) const;
    // The cell under a point in client coordinates; a point on the border between two columns
    // belongs to the left one.
    bool HitTestCell(const POINT& point, int& row, int& column) const;
    // Scrolls horizontally until the column shows and sets rect's left and right to its edges;
    // rect comes in with the row's bounds.
    void ScrollColumnIntoView(int column, RECT& rect);
    void GetCellRect(int column, int row, RECT& rect);
    CCellEdit* EditCellText(int row, int column, const std::wstring& text);
    // Ends an open edit as losing the focus ends it: the text is stored and reported. Answers
    // whether an edit was open.
    bool EndOpenEdit();

    static const afx::MessageEntry messageEntries[];
    static const afx::MessageMap messageMap;
    const afx::MessageMap* GetMessageMap() const override { return &messageMap; }

protected:
    void PreSubclassWindow() override;
    void OnLButtonDown(UINT keyFlags, POINT point);
    void OnScroll(UINT code, UINT position, HWND scrollBar);
    LRESULT OnMouseWheel(WPARAM, LPARAM);
    void OnBeginScroll(NMHDR* header, LRESULT* result);
    void OnEndLabelEdit(NMHDR* header, LRESULT* result);
    void OnBeginLabelEdit(NMHDR* header, LRESULT* result);

private:
    std::vector<int> m_readOnlyColumns;
    DWORD m_dwEditStyle = ES_NOHIDESEL | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    std::array<std::wstring, kColumnsWithRules> m_validChars;
    // Whether the window was made with LVS_EDITLABELS, which is then taken off the list view.
    bool m_bEditLabels = false;
};
