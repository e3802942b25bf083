#pragma once

#include "Dialog.h"

// The program's name, version and maker, from the system menu.
class CAboutDlg : public afx::CDialog {
public:
    CAboutDlg();
};
