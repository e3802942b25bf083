#include "DataExchange.h"

#include <cassert>

namespace afx {

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd == nullptr) {
        const bool bound = control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
        assert(bound && "the dialog template has no such control");
        static_cast<void>(bound);
    }
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
    const HWND control = dx->m_pDlgWnd->GetDlgItem(id);
    if (dx->m_bSaveAndValidate) {
        const int length = ::GetWindowTextLengthW(control);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const int copied = ::GetWindowTextW(control, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
        value = std::move(text);
    } else {
        ::SetWindowTextW(control, value.c_str());
    }
}

}  // namespace afx
