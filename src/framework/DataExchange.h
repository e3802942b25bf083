#pragma once

#include <string>

#include "Wnd.h"

namespace afx {

// Moves data between a dialog's fields and its controls: into the controls when
// m_bSaveAndValidate is false, out of them when true.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    bool m_bSaveAndValidate;
};

// Binds the control with the id to control, which takes the control's window over.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// The text of the control with the id.
void DDX_Text(CDataExchange* dx, int id, std::wstring& value);

}  // namespace afx
