#pragma once

#include <windows.h>

#include <string>

namespace uitest {

// Where a cell of the list is now, in the list's client coordinates.
RECT CellRect(HWND list, int row, int column);
POINT CellCenter(HWND list, int row, int column);

// A press of the left button at point (window's client coordinates), with MK_SHIFT or
// MK_CONTROL in keyFlags.
void PressAt(HWND window, POINT point, WPARAM keyFlags = 0);
// The release that follows it: it goes where a real one would, to the window holding the mouse
// capture, else to the window now under the point (an editor that the press opened, say).
void ReleaseAt(HWND window, POINT point, WPARAM keyFlags = 0);
// Holds Shift or Ctrl down in this thread's keyboard state, as a user's finger does.
void HoldKey(UINT virtualKey, bool down);

// The cell editor over the list, or nullptr when no edit is open.
HWND OpenEditor(HWND list);
// Types text into window character by character.
void Type(HWND window, const std::wstring& text);
// Selection start and end of an edit control.
std::pair<int, int> Selection(HWND edit);
void PutOnClipboard(HWND owner, const std::wstring& text);

}  // namespace uitest
