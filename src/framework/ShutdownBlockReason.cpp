#include "ShutdownBlockReason.h"

namespace afx {
namespace {

using CreateFunction = BOOL(WINAPI*)(HWND, LPCWSTR);
using DestroyFunction = BOOL(WINAPI*)(HWND);

// The function of user32 named, or nullptr where the system has none.
template <class Function>
Function User32Function(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    const FARPROC found = user32 != nullptr ? ::GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

}  // namespace

ShutdownBlockReason::ShutdownBlockReason(HWND window, const std::wstring& reason) {
    const auto create = User32Function<CreateFunction>("ShutdownBlockReasonCreate");
    if (create != nullptr && create(window, reason.c_str())) {
        m_window = window;
    }
}

ShutdownBlockReason::~ShutdownBlockReason() {
    if (m_window != nullptr) {
        if (const auto destroy = User32Function<DestroyFunction>("ShutdownBlockReasonDestroy")) {
            destroy(m_window);
        }
    }
}

}  // namespace afx
