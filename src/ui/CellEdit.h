#pragma once

#include <string>

#include "Edit.h"

// The one in-place editor of the process, laid over a cell of the word list for an edit. It
// reports the result to the list when it loses the focus and then closes its window; the object
// stays for the next edit.
class CCellEdit : public afx::CEdit {
public:
    using BeepFunction = BOOL(WINAPI*)(UINT);

    // Starts an edit of the cell; creates the window unless one is open. A window whose close is
    // already queued is closed first, so the new edit gets its own window at once.
    BOOL BeginEdit(DWORD style, const RECT& rect, afx::CWnd* parent, UINT id, int row, int column,
                   const std::wstring& validChars, const std::wstring& text);

    BOOL PreTranslateMessage(MSG* msg) override;

    // The sound of a refused character; tests listen here.
    static void SetBeep(BeepFunction beep) { s_beep = beep; }

    static const afx::MessageEntry messageEntries[];
    static const afx::MessageMap messageMap;
    const afx::MessageMap* GetMessageMap() const override { return &messageMap; }

    int m_nRow = -1;
    int m_nCol = -1;
    BOOL m_bCancelled = FALSE;
    std::wstring m_strValidChars;
    std::wstring m_strInitialText;

protected:
    void OnKillFocus(HWND newFocus);
    void OnChar(UINT character, UINT repeatCount, UINT flags);
    int OnCreate(CREATESTRUCTW* create);

private:
    void FinishPendingClose();

    bool m_closePending = false;
    static BeepFunction s_beep;
};

// The process's editor, made on first use.
CCellEdit* GetCellEdit();
// Deletes the editor, if there is one.
void ReleaseCellEdit();
