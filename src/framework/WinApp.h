#pragma once

#include <windows.h>

#include <string>

#include "Wnd.h"

namespace afx {

// The application object: one global instance, constructed before the entry point runs.
class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Answers whether the application's own message loop should run afterwards.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    // The executable's base name; the caption of every message box.
    std::wstring m_strAppName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();

// The entry point's work: sets the application up and runs it.
int AfxWinMain(HINSTANCE instance);

// A message box captioned with the application name. A box of the kinds MB_OK, MB_OKCANCEL,
// MB_YESNO and MB_YESNOCANCEL that names no icon shows the exclamation icon. Answers the button
// pressed.
int AfxMessageBox(const std::wstring& text, UINT type = MB_OK);

// A resource string, or the empty text when there is none.
std::wstring LoadResourceString(UINT id);

}  // namespace afx
