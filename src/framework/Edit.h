#pragma once

#include "Wnd.h"

namespace afx {

// A single- or multi-line edit control.
class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, L"EDIT", style, rect, parent, id);
    }
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
};

}  // namespace afx
