#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "WinApp.h"

namespace {

// The program's application object, as the window code expects one to exist.
class TestApp final : public afx::CWinApp {};

std::wstring BaseNameOfThisProgram() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.rfind(L'.'));
}

}  // namespace

int main(int argc, char** argv) {
    ::InitCommonControls();
    TestApp app;
    app.m_hInstance = ::GetModuleHandleW(nullptr);
    app.m_strAppName = BaseNameOfThisProgram();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
