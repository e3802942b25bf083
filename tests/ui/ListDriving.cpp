#include "ListDriving.h"

#include <commctrl.h>

#include <cstring>

namespace uitest {

RECT CellRect(HWND list, int row, int column) {
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&bounds));
    int left = bounds.left;
    for (int before = 0; before < column; ++before) {
        left += static_cast<int>(
            ::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(before), 0));
    }
    const int width =
        static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    return RECT{left, bounds.top, left + width, bounds.bottom};
}

POINT CellCenter(HWND list, int row, int column) {
    const RECT cell = CellRect(list, row, column);
    return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

void PressAt(HWND window, POINT point, WPARAM keyFlags) {
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | keyFlags, MAKELPARAM(point.x, point.y));
}

void ReleaseAt(HWND window, POINT point, WPARAM keyFlags) {
    POINT onScreen = point;
    ::ClientToScreen(window, &onScreen);
    HWND target = ::GetCapture();
    if (target == nullptr) {
        target = ::WindowFromPoint(onScreen);
    }
    if (target == nullptr) {
        target = window;
    }
    POINT local = onScreen;
    ::ScreenToClient(target, &local);
    ::PostMessageW(target, WM_LBUTTONUP, keyFlags, MAKELPARAM(local.x, local.y));
}

void HoldKey(UINT virtualKey, bool down) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[virtualKey] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

HWND OpenEditor(HWND list) {
    const HWND editor = ::FindWindowExW(list, nullptr, L"Edit", nullptr);
    return editor != nullptr && ::IsWindowVisible(editor) ? editor : nullptr;
}

void Type(HWND window, const std::wstring& text) {
    for (const wchar_t character : text) {
        ::PostMessageW(window, WM_CHAR, character, 1);
    }
}

std::pair<int, int> Selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
    ::OpenClipboard(owner);
    ::EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

}  // namespace uitest
