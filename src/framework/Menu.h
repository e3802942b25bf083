#pragma once

#include <windows.h>

#include <string>

namespace afx {

// A menu handle that the program doesn't own (the system menu).
class CMenu {
public:
    static CMenu FromHandle(HMENU menu) { return CMenu(menu); }

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const std::wstring& text = {}) {
        return ::AppendMenuW(m_hMenu, flags, id, text.empty() ? nullptr : text.c_str());
    }

    HMENU m_hMenu;

private:
    explicit CMenu(HMENU menu) : m_hMenu(menu) {}
};

// A shortcut menu the program makes, shows once and destroys.
class CPopupMenu {
public:
    CPopupMenu() : m_hMenu(::CreatePopupMenu()) {}
    ~CPopupMenu() { ::DestroyMenu(m_hMenu); }
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const std::wstring& text = {}) {
        return ::AppendMenuW(m_hMenu, flags, id, text.empty() ? nullptr : text.c_str());
    }
    // Shows the menu with its top left corner at a point of the screen until the user is done;
    // answers the command chosen, or 0.
    UINT Track(HWND owner, POINT at) const {
        return static_cast<UINT>(::TrackPopupMenu(m_hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x,
                                                  at.y, 0, owner, nullptr));
    }

    HMENU m_hMenu;
};

}  // namespace afx
