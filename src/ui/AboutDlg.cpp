#include "AboutDlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg() : afx::CDialog(IDD_ABOUTBOX) {
}
