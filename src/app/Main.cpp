#include <windows.h>

#include "WinApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return afx::AfxWinMain(instance);
}
