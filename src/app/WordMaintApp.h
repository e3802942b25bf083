#pragma once

#include "WinApp.h"

// Runs the main window as the program's only loop; the program ends with it.
class CWordMaintApp : public afx::CWinApp {
public:
    BOOL InitInstance() override;
};
