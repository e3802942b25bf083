#pragma once

#include "Wnd.h"

namespace afx {

// A static text control.
class CStatic : public CWnd {};

}  // namespace afx
