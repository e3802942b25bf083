#include "EditableListCtrl.h"

#include <algorithm>

#include "WordListMessages.h"

namespace {

constexpr UINT kMouseHorizontalWheel = 0x020E;  // WM_MOUSEHWHEEL, which XP's headers lack
// Not 0: that is the list's header, which GetDlgItem(list, 0) must find.
constexpr UINT kEditorId = 1;

}  // namespace

const afx::MessageEntry CEditableListCtrl::messageEntries[] = {
    afx::OnLButtonDown<&CEditableListCtrl::OnLButtonDown>(),
    afx::OnScroll<&CEditableListCtrl::OnScroll>(WM_HSCROLL),
    afx::OnScroll<&CEditableListCtrl::OnScroll>(WM_VSCROLL),
    afx::OnMessage<&CEditableListCtrl::OnMouseWheel>(WM_MOUSEWHEEL),
    afx::OnMessage<&CEditableListCtrl::OnMouseWheel>(kMouseHorizontalWheel),
    afx::OnReflectedNotify<&CEditableListCtrl::OnBeginScroll>(LVN_BEGINSCROLL),
    afx::OnReflectedNotify<&CEditableListCtrl::OnEndLabelEdit>(LVN_ENDLABELEDITW),
    afx::OnReflectedNotify<&CEditableListCtrl::OnBeginLabelEdit>(LVN_BEGINLABELEDITW),
};
const afx::MessageMap CEditableListCtrl::messageMap{&afx::CListCtrl::messageMap, messageEntries};

CEditableListCtrl::~CEditableListCtrl() {
    ReleaseCellEdit();
}

// The list view's own label editing opens, half a second after a click on a row that was
// already selected, an edit box over column 0 that knows nothing of the column rules; even
// refused at LVN_BEGINLABELEDITW it first selects and focuses that row alone. Without the style
// the list view never starts it; the style stays this control's switch for its cell editor.
void CEditableListCtrl::PreSubclassWindow() {
    const DWORD style = GetStyle();
    m_bEditLabels = (style & LVS_EDITLABELS) != 0;
    if (m_bEditLabels) {
        ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(style & ~DWORD{LVS_EDITLABELS}));
    }
}

void CEditableListCtrl::SetReadOnlyColumn(int column, bool readOnly) {
    const auto found = std::find(m_readOnlyColumns.begin(), m_readOnlyColumns.end(), column);
    if (readOnly && found == m_readOnlyColumns.end()) {
        m_readOnlyColumns.push_back(column);
    } else if (!readOnly && found != m_readOnlyColumns.end()) {
        m_readOnlyColumns.erase(found);
    }
}

void CEditableListCtrl::SetColumnValidChars(const std::wstring& chars, int column) {
    if (column == -1) {
        m_validChars.fill(chars);
    } else if (column >= 0 && column < kColumnsWithRules) {
        m_validChars[static_cast<std::size_t>(column)] = chars;
    }
}

bool CEditableListCtrl::IsReadOnlyColumn(int column) const {
    return std::find(m_readOnlyColumns.begin(), m_readOnlyColumns.end(), column) !=
           m_readOnlyColumns.end();
}

bool CEditableListCtrl::HitTestCell(const POINT& point, int& row, int& column) const {
    row = HitTest(point);
    column = 0;
    if ((GetStyle() & LVS_TYPEMASK) != LVS_REPORT) {
        return false;
    }
    const int columns = GetColumnCount();
    RECT bounds;
    if (row == -1 || !GetItemRect(row, &bounds, LVIR_BOUNDS) || !::PtInRect(&bounds, point)) {
        return false;
    }
    int left = bounds.left;
    for (int candidate = 0; candidate < columns; ++candidate) {
        const int width = GetColumnWidth(candidate);
        if (point.x >= left && point.x <= left + width) {
            column = candidate;
            return true;
        }
        left += width;
    }
    return false;
}

void CEditableListCtrl::ScrollColumnIntoView(int column, RECT& rect) {
    RECT client;
    GetClientRect(&client);
    const int width = GetColumnWidth(column);
    int offset = 0;
    for (int before = 0; before < column; ++before) {
        offset += GetColumnWidth(before);
    }
    const int x = rect.left + offset;
    int dx = 0;
    if (x < client.left || x > client.right) {
        dx = x;  // the column's left edge goes to the client area's left edge
    } else if (x + width > client.right) {
        dx = x + width - client.right;  // just far enough to show its right edge
    }
    Scroll(dx, 0);
    rect.left = x - dx;
    rect.right = rect.left + width;
}

void CEditableListCtrl::GetCellRect(int column, int row, RECT& rect) {
    GetItemRect(row, &rect, LVIR_BOUNDS);
    ScrollColumnIntoView(column, rect);
}

CCellEdit* CEditableListCtrl::EditCellText(int row, int column, const std::wstring& text) {
    CCellEdit* editor = GetCellEdit();
    RECT rect;
    GetCellRect(column, row, rect);
    const std::wstring& validChars = column >= 0 && column < kColumnsWithRules
                                         ? m_validChars[static_cast<std::size_t>(column)]
                                         : std::wstring();
    editor->BeginEdit(m_dwEditStyle, rect, this, kEditorId, row, column, validChars, text);
    return editor;
}

bool CEditableListCtrl::EndOpenEdit() {
    const CCellEdit* editor = GetCellEdit();
    if (editor->m_hWnd == nullptr || ::GetFocus() != editor->m_hWnd) {
        return false;
    }
    SetFocus();
    return true;
}

void CEditableListCtrl::OnLButtonDown(UINT, POINT point) {
    int row = -1;
    int column = 0;
    if (!HitTestCell(point, row, column)) {
        return;  // a press on no cell changes nothing, not even the selection
    }
    // The edit that the press ends is ended first: its rules may append a blank row, which takes
    // the focus (and may scroll), and the press must then find its own row focused.
    if (EndOpenEdit() && !HitTestCell(point, row, column)) {
        return;
    }
    Default();
    if (::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0) {
        return;
    }
    const std::wstring text = GetItemText(row, column);
    if ((GetItemState(row, LVIS_FOCUSED) & LVIS_FOCUSED) == 0 || !m_bEditLabels) {
        return;
    }
    if (!IsReadOnlyColumn(column)) {
        EditCellText(row, column, text);
    }
}

void CEditableListCtrl::OnScroll(UINT, UINT, HWND) {
    // Taking the focus ends an open edit before its cell scrolls away.
    if (::GetFocus() != m_hWnd) {
        SetFocus();
    }
    Default();
}

// The wheel scrolls the list under an open editor (the message goes to the focus window, which
// passes it to the list, or on newer Windows to the window under the pointer): the edit ends
// first, so no editor floats over another row than its own.
LRESULT CEditableListCtrl::OnMouseWheel(WPARAM, LPARAM) {
    EndOpenEdit();
    return Default();
}

// Any other scrolling the list does of itself (keyboard, wheel); not sent by every version of
// the control, nor under Wine.
void CEditableListCtrl::OnBeginScroll(NMHDR*, LRESULT* result) {
    EndOpenEdit();
    *result = 0;
}

void CEditableListCtrl::OnEndLabelEdit(NMHDR* header, LRESULT* result) {
    const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(header);
    if (info->item.pszText != nullptr) {
        SetItemText(info->item.iItem, info->item.iSubItem, info->item.pszText);
    }
    ::SendMessageW(GetParent(), WM_CELL_EDITED, static_cast<WPARAM>(info->item.iItem),
                   info->item.iSubItem);
    *result = 0;
}

void CEditableListCtrl::OnBeginLabelEdit(NMHDR*, LRESULT* result) {
    *result = 1;  // only the cell editor edits, whichever way the list view's own one is asked for
}
