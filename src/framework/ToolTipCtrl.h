#pragma once

#include <string>

#include "Wnd.h"

namespace afx {

// A tooltip control that shows a text for rectangles of other windows. Its tools see the mouse
// only through RelayEvent.
class CToolTipCtrl : public CWnd {
public:
    // The tooltip is owned by parent's top-level window and goes with it.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // Adds tool id of wnd: text shows while the pointer is in rect, in wnd's client coordinates.
    BOOL AddTool(CWnd* wnd, const std::wstring& text, const RECT& rect, UINT_PTR id);
    void UpdateTipText(const std::wstring& text, CWnd* wnd, UINT_PTR id);
    // Lets the tooltip see a mouse message of a tool's window.
    void RelayEvent(MSG* msg);
};

}  // namespace afx
