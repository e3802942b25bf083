#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uitest {

// Visible dialog-class windows (#32770) of this thread: message boxes, file dialogs and the
// program's own dialogs.
std::vector<HWND> ThreadDialogs();

// The message box of this thread that is showing, or nullptr.
HWND FindMessageBox();
std::wstring MessageBoxText(HWND box);
// Whether the box shows the exclamation icon.
bool ShowsExclamationIcon(HWND box);
std::vector<int> ButtonIds(HWND dialog);

// The open or save dialog of this thread that is showing, or nullptr.
HWND FindFileDialog();
// Types path into the dialog's file name box and presses its OK button.
void ChooseFile(HWND fileDialog, const std::wstring& path);

// A dialog of this thread with the caption, or nullptr.
HWND FindDialogWithCaption(const std::wstring& caption);

std::wstring WindowText(HWND hwnd);
std::wstring ClassOf(HWND hwnd);

// What a user's mouse and keyboard produce, posted to the window's queue.
void Click(HWND control);
void PressKey(HWND target, UINT virtualKey);
void PressButton(HWND dialog, int id);

// Ends every dialog and box of this thread, for a test that has lost its way.
void CloseEveryDialog();

}  // namespace uitest
