#include "ListWordTable.h"

namespace {

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

int ListWordTable::RowCount() const {
    return m_list.GetItemCount();
}

// One message per cell: the control itself answers nothing for a row that doesn't exist, and
// every message costs under Wine.
std::u16string ListWordTable::CellText(int row, int column) const {
    const std::wstring text = m_list.GetItemText(row, column);
    return std::u16string(text.begin(), text.end());
}

void ListWordTable::SetCellText(int row, int column, std::u16string_view text) {
    if (row >= 0) {
        Suspend();
        m_list.SetItemText(row, column, Wide(text));
    }
}

void ListWordTable::InsertRow(int row, std::u16string_view code) {
    Suspend();
    HoldFocusWhileRowsChange();
    constexpr UINT kStates = LVIS_SELECTED | LVIS_FOCUSED;
    if (!m_insertedFocused && m_list.GetSelectionMark() == kNoRow) {
        // With no anchor for the selection yet, the first row goes in focused as it is, so
        // the control anchors the selection wherever it would.
        m_insertedFocused = true;
        ReturnFocus();
        // Where the control scrolls for it, with its redrawing off, is not where it would have
        // scrolled with it on; the focus given back at the end does the scrolling.
        const int top = m_list.GetTopIndex();
        m_list.InsertItem(LVIF_TEXT | LVIF_STATE, row, Wide(code), kStates, kStates);
        m_list.ScrollToTopIndex(top);
        HoldFocus();
        m_focusMoved = true;
        return;
    }
    // Selected now; the focus the control would move to each new row goes to the last one
    // when the focus is given back.
    const int inserted =
        m_list.InsertItem(LVIF_TEXT | LVIF_STATE, row, Wide(code), LVIS_SELECTED, kStates);
    if (inserted != kNoRow) {
        m_focusedRow = inserted;
        m_focusMoved = true;
    }
}

void ListWordTable::DeleteRow(int row) {
    // A row past the end is refused by the control itself: no count asked for every row.
    if (row < 0) {
        return;
    }
    Suspend();
    HoldFocusWhileRowsChange();
    if (row == m_focusedRow) {
        // Where the focus goes when its row is deleted is the control's own rule.
        ReturnFocus();
        m_list.DeleteItem(row);
        HoldFocus();
        return;
    }
    if (m_list.DeleteItem(row) && m_focusedRow > row) {
        // The control moves the focus along with its row, as a row getting the focus.
        --m_focusedRow;
        m_focusMoved = true;
    }
}

void ListWordTable::DeleteAllRows() {
    // Emptied with the control's redrawing on: under Wine, a list emptied while its redrawing
    // is off makes every later insert thousands of times slower.
    m_paintPause.Begin();
    ResumeRows();
    m_list.DeleteAllItems();
}

// Once per bulk change, not per row: while the control's redrawing is off, the window has been
// taken out of painting already.
void ListWordTable::Suspend() {
    if (!m_suspended) {
        m_paintPause.Begin();
        m_list.SetRedraw(FALSE);
        m_suspended = true;
    }
}

// Only rows going in or out move the focus; cell changes leave it alone.
void ListWordTable::HoldFocusWhileRowsChange() {
    if (!m_holdingFocus) {
        m_holdingFocus = true;
        HoldFocus();
    }
}

void ListWordTable::Resume() {
    ResumeRows();
    m_paintPause.End();
}

void ListWordTable::ResumeRows() {
    m_insertedFocused = false;
    if (m_suspended) {
        m_suspended = false;
        m_list.SetRedraw(TRUE);
    }
    if (m_holdingFocus) {
        // With the control's redrawing on, so it scrolls to a new focused row as it would have.
        m_holdingFocus = false;
        ReturnFocus();
    }
}

// Neither taking the focus away nor giving it back is a change the user made: the selection's
// anchor stays where it was.
void ListWordTable::HoldFocus() {
    m_focusedRow = m_list.GetNextItem(kNoRow, LVNI_FOCUSED);
    if (m_focusedRow != kNoRow) {
        const int mark = m_list.GetSelectionMark();
        m_list.SetItemState(m_focusedRow, 0, LVIS_FOCUSED);
        m_list.SetSelectionMark(mark);
    }
}

// A row that has had the focus all along is not scrolled to: the control scrolls only to a row
// as it gets the focus.
void ListWordTable::ReturnFocus() {
    if (m_focusedRow != kNoRow) {
        const int mark = m_list.GetSelectionMark();
        const int top = m_list.GetTopIndex();
        m_list.SetItemState(m_focusedRow, LVIS_FOCUSED, LVIS_FOCUSED);
        m_list.SetSelectionMark(mark);
        if (!m_focusMoved) {
            m_list.ScrollToTopIndex(top);
        }
        m_focusedRow = kNoRow;
    }
    m_focusMoved = false;
}
