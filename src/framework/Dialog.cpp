#include "Dialog.h"

#include "ScreenDpi.h"
#include "WinApp.h"

namespace afx {

const MessageEntry CDialog::messageEntries[] = {
    OnMessage<&CDialog::HandleInitDialog>(WM_INITDIALOG),
    OnCommand<&CDialog::HandleOk>(BN_CLICKED, IDOK),
    OnCommand<&CDialog::HandleCancel>(BN_CLICKED, IDCANCEL),
};
const MessageMap CDialog::messageMap{&CWnd::messageMap, messageEntries};

HWND CDialog::OwnerWindow() const {
    if (m_pParentWnd != nullptr) {
        return m_pParentWnd->m_hWnd;
    }
    // Like every box of the program, a dialog without a parent belongs to the main window.
    CWnd* main = AfxGetMainWnd();
    if (main == nullptr || main == this || main->m_hWnd == nullptr) {
        return nullptr;
    }
    return ::GetAncestor(main->m_hWnd, GA_ROOT);
}

INT_PTR CDialog::DoModal() {
    const HWND owner = OwnerWindow();
    const HWND dialog =
        ::CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_templateId), owner,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (dialog == nullptr) {
        return -1;
    }
    const bool ownerWasEnabled = owner != nullptr && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) {
        ::EnableWindow(owner, FALSE);
    }

    m_inModalLoop = true;
    m_modalResult = -1;
    ::ShowWindow(dialog, SW_SHOWNORMAL);
    MSG msg;
    while (m_inModalLoop) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            }
            break;
        }
        const bool ours =
            msg.hwnd != nullptr && (msg.hwnd == dialog || ::IsChild(dialog, msg.hwnd));
        const bool taken =
            ours ? WalkPreTranslateTree(dialog, &msg) : PreTranslateOtherWindow(&msg) != FALSE;
        if (!taken) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    // The owner is enabled before this window goes, so the activation returns to it.
    if (ownerWasEnabled) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    ::DestroyWindow(dialog);
    return m_modalResult;
}

void CDialog::EndDialog(int result) {
    m_modalResult = result;
    if (m_inModalLoop) {
        m_inModalLoop = false;
        PostMessage(WM_NULL);  // wakes the loop to see that it is over
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate != FALSE);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    return ::IsDialogMessageW(m_hWnd, msg);
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnSysCommand(UINT, LPARAM) {
    Default();
}

void CDialog::OnPaint() {
    Default();
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM) {
    m_defaultRequested = true;
    return 0;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    // Before the controls are bound: one that sizes itself as it is bound (to its text, say)
    // then does so at its scaled place.
    ScaleDialogToScreen(m_hWnd);
    return OnInitDialog();
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->Attach(hwnd);
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;  // messages before WM_INITDIALOG
    }

    const bool outerDefault = self->m_defaultRequested;
    self->m_defaultRequested = false;
    LRESULT result = 0;
    const bool handled = self->OnWndMsg(message, wParam, lParam, result);
    const bool toDefault = !handled || self->m_defaultRequested;
    self->m_defaultRequested = outerDefault;

    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->Detach();
    }
    if (toDefault) {
        return FALSE;
    }
    switch (message) {
        // These answer through the dialog procedure's own result.
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(result);
        default:
            // Everything else, notifications among them, answers through DWLP_MSGRESULT.
            ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

}  // namespace afx
