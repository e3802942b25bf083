#include "ToolTipCtrl.h"

#include <commctrl.h>

namespace afx {
namespace {

TOOLINFOW ToolOf(CWnd* wnd, UINT_PTR id, const std::wstring& text) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);  // the comctl32 6 size: the manifest asks for that version
    tool.hwnd = wnd->m_hWnd;
    tool.uId = id;
    // The control copies the text; it never writes through the pointer.
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    return tool;
}

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    const HWND created = ::CreateWindowExW(
        0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, parent != nullptr ? parent->m_hWnd : nullptr, nullptr,
        ::GetModuleHandleW(nullptr), nullptr);
    if (created == nullptr) {
        return FALSE;
    }
    // Taken over so that m_hWnd is cleared when the owner's destruction takes the tooltip along.
    if (!SubclassWindow(created)) {
        ::DestroyWindow(created);
        return FALSE;
    }
    return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const std::wstring& text, const RECT& rect, UINT_PTR id) {
    TOOLINFOW tool = ToolOf(wnd, id, text);
    tool.rect = rect;
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

void CToolTipCtrl::UpdateTipText(const std::wstring& text, CWnd* wnd, UINT_PTR id) {
    TOOLINFOW tool = ToolOf(wnd, id, text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolTipCtrl::RelayEvent(MSG* msg) {
    if (m_hWnd != nullptr) {
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    }
}

}  // namespace afx
