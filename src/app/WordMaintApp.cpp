#include "WordMaintApp.h"

#include <commctrl.h>

#include "WordMaintDlg.h"

CWordMaintApp theApp;

BOOL CWordMaintApp::InitInstance() {
    ::InitCommonControls();
    afx::CWinApp::InitInstance();

    CWordMaintDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
