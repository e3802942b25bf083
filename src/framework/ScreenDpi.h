#pragma once

#include <windows.h>

namespace afx {

// The screen's dots per inch, read anew on each call: 96 at Windows' 100 %, 144 at 150 %. A
// program that is not DPI-aware is told 96 whatever the screen.
int ScreenDpi();
// A length in pixels at 96 dots per inch, on this screen.
int ScaleToScreen(int pixels);

// Lays the dialog and its controls out again at their places at 96 dots per inch times the
// screen's scale; every dialog does this before its OnInitDialog. A dialog's units follow its
// font's average character width, rounded to whole pixels: at 150 % a dialog may grow by 10/7
// across (7 pixels to 10) while its text and anything sized in pixels grow by 3/2, and a list
// would no longer hold its columns. At 96 nothing moves.
void ScaleDialogToScreen(HWND dialog);

}  // namespace afx
