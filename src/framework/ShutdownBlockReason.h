#pragma once

#include <windows.h>

#include <string>

namespace afx {

// While it lives, the reason a window gives for holding up the end of the session, shown where
// the system lists the programs that do (Vista and later; found at run time, so that the
// program still starts on XP, where it does nothing).
class ShutdownBlockReason {
public:
    ShutdownBlockReason(HWND window, const std::wstring& reason);
    ~ShutdownBlockReason();
    ShutdownBlockReason(const ShutdownBlockReason&) = delete;
    ShutdownBlockReason& operator=(const ShutdownBlockReason&) = delete;

private:
    HWND m_window = nullptr;  // while a reason is set
};

}  // namespace afx
