#include "CellEdit.h"

#include <commctrl.h>
#include <imm.h>

#include <memory>
#include <string_view>

namespace {

std::unique_ptr<CCellEdit> g_cellEdit;

// Backspace, Ctrl+C, Ctrl+V and Ctrl+X pass every filter.
constexpr std::wstring_view kEditingControls = L"\x08\x03\x16\x18";

}  // namespace

CCellEdit::BeepFunction CCellEdit::s_beep = &::MessageBeep;

const afx::MessageEntry CCellEdit::messageEntries[] = {
    afx::OnKillFocus<&CCellEdit::OnKillFocus>(),
    afx::OnChar<&CCellEdit::OnChar>(),
    afx::OnCreate<&CCellEdit::OnCreate>(),
};
const afx::MessageMap CCellEdit::messageMap{&afx::CWnd::messageMap, messageEntries};

CCellEdit* GetCellEdit() {
    if (!g_cellEdit) {
        g_cellEdit = std::make_unique<CCellEdit>();
    }
    return g_cellEdit.get();
}

void ReleaseCellEdit() {
    g_cellEdit.reset();
}

BOOL CCellEdit::BeginEdit(DWORD style, const RECT& rect, afx::CWnd* parent, UINT id, int row,
                          int column, const std::wstring& validChars, const std::wstring& text) {
    m_nCol = column;
    m_nRow = row;
    m_strValidChars = validChars;
    m_strInitialText = text;
    m_bCancelled = FALSE;
    FinishPendingClose();
    if (m_hWnd != nullptr) {
        return TRUE;
    }
    return Create(style, rect, parent, id);
}

void CCellEdit::FinishPendingClose() {
    if (m_hWnd == nullptr || !m_closePending) {
        return;
    }
    // The queued close must not reach a later window that might get the same handle.
    MSG queued;
    while (::PeekMessageW(&queued, m_hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
    }
    DestroyWindow();
}

int CCellEdit::OnCreate(CREATESTRUCTW*) {
    if (Default() == -1) {
        return -1;
    }
    m_closePending = false;
    // A restricted column (the code's letters) takes no input method: its results bypass the
    // character filter, and a user who forgot to switch to English then types letters.
    if (!m_strValidChars.empty()) {
        ::ImmAssociateContext(m_hWnd, nullptr);
    }
    SetFont(reinterpret_cast<HFONT>(::SendMessageW(GetParent(), WM_GETFONT, 0, 0)), TRUE);
    ShowWindow(SW_SHOW);
    SetWindowText(m_strInitialText);
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
    SetFocus();
    return 0;
}

BOOL CCellEdit::PreTranslateMessage(MSG* msg) {
    // Enter and Escape end the edit here, so the dialog neither saves nor closes.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN)) {
        if (msg->wParam == VK_ESCAPE) {
            m_bCancelled = TRUE;
        }
        ::SetFocus(GetParent());
        return TRUE;
    }
    return afx::CEdit::PreTranslateMessage(msg);
}

void CCellEdit::OnChar(UINT character, UINT, UINT) {
    if (m_strValidChars.empty() ||
        m_strValidChars.find(static_cast<wchar_t>(character)) != std::wstring::npos ||
        kEditingControls.find(static_cast<wchar_t>(character)) != std::wstring_view::npos) {
        Default();
        return;
    }
    s_beep(MB_ICONEXCLAMATION);
}

void CCellEdit::OnKillFocus(HWND) {
    Default();
    if (m_closePending) {
        return;  // reported already
    }
    std::wstring text = m_bCancelled ? m_strInitialText : GetWindowText();

    const HWND list = GetParent();
    NMLVDISPINFOW report = {};
    report.hdr.hwndFrom = list;
    report.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    report.hdr.code = LVN_ENDLABELEDITW;
    report.item.mask = LVIF_TEXT;
    report.item.iItem = m_nRow;
    report.item.iSubItem = m_nCol;
    report.item.pszText = text.data();
    report.item.cchTextMax = static_cast<int>(text.size());
    m_closePending = true;
    ::SendMessageW(list, WM_NOTIFY, static_cast<WPARAM>(::GetDlgCtrlID(list)),
                   reinterpret_cast<LPARAM>(&report));
    PostMessage(WM_CLOSE);
}
