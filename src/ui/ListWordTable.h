#pragma once

#include "ListCtrl.h"
#include "WordTable.h"

// The word table whose rows live in the list control. Row changes suspend the list's redrawing
// until Resume (or the end of the adapter's life), so a bulk change is painted once.
//
// While rows go in or out, the focused row is kept here rather than in the control: under Wine
// every row inserted or deleted while some row has the focus costs milliseconds (seconds for a
// full library), and next to nothing while no row has it. The rows end with the same states as if
// each change had reached the control directly.
class ListWordTable final : public emb::WordTable {
public:
    explicit ListWordTable(afx::CListCtrl& list) : m_list(list) {}
    ~ListWordTable() override { Resume(); }
    ListWordTable(const ListWordTable&) = delete;
    ListWordTable& operator=(const ListWordTable&) = delete;

    int RowCount() const override;
    std::u16string CellText(int row, int column) const override;
    void SetCellText(int row, int column, std::u16string_view text) override;
    // Inserted rows are selected and focused, as the user sees them after a load.
    void InsertRow(int row, std::u16string_view code) override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;

    // Gives the focus back to its row and redraws the list now if changes are waiting.
    void Resume();

private:
    static constexpr int kNoRow = -1;

    void Suspend();
    // Takes the focus from the control's focused row into m_focusedRow, and gives it back.
    void HoldFocus();
    void ReturnFocus();
    void HoldFocusWhileRowsChange();

    afx::CListCtrl& m_list;
    bool m_suspended = false;
    bool m_holdingFocus = false;     // rows have gone in or out since the last Suspend
    int m_focusedRow = kNoRow;       // while holding: the row the control would show focused
    bool m_insertedFocused = false;  // a row has gone in focused since the last Suspend
    bool m_focusMoved = false;       // m_focusedRow is a new row, not the one held
};
