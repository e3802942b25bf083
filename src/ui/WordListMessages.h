#pragma once

#include <windows.h>

// Sent by the word list to its parent after it has stored a finished cell edit:
// wParam the row, lParam the column.
inline constexpr UINT WM_CELL_EDITED = WM_APP + 0x3FD;
