#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "CellEdit.h"
#include "HyperLink.h"
#include "WinApp.h"
#include "WindowHarness.h"

int main(int argc, char** argv) {
    ::InitCommonControls();
    // The program's application object, as the window code expects one to exist.
    struct TestApp final : afx::CWinApp {
    } app;
    app.m_hInstance = ::GetModuleHandleW(nullptr);
    app.m_strAppName = L"ui_tests";
    CCellEdit::SetBeep(&uitest::CountBeep);
    CHyperLink::SetBeep(&uitest::CountBeep);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
