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

}  // namespace afx
