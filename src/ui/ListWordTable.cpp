#include "ListWordTable.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "WideText.h"

using emb::WideString;

int ListWordTable::RowCount() const {
    return m_list.GetItemCount();
}

// One message per cell: the control itself answers nothing for a row that doesn't exist, and
// every message costs under Wine.
std::u16string ListWordTable::CellText(int row, int column) const {
    return emb::Utf16String(m_list.GetItemText(row, column));
}

void ListWordTable::SetCellText(int row, int column, std::u16string_view text) {
    if (row >= 0) {
        Suspend();
        m_list.SetItemText(row, column, WideString(text));
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
        m_list.InsertItem(LVIF_TEXT | LVIF_STATE, row, WideString(code), kStates, kStates);
        m_list.ScrollToTopIndex(top);
        HoldFocus();
        m_focusMoved = true;
        return;
    }
    // Selected now; the focus the control would move to each new row goes to the last one
    // when the focus is given back.
    const int inserted =
        m_list.InsertItem(LVIF_TEXT | LVIF_STATE, row, WideString(code), LVIS_SELECTED, kStates);
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
        // Where the focus goes when its row is deleted is the control's own rule; it goes to
        // a new row, which the list scrolls to in the end as the control would.
        ReturnFocus();
        m_list.DeleteItem(row);
        HoldFocus();
        m_focusMoved = m_focusedRow != kNoRow;
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
    m_topToRestore = kNoRow;  // nothing left to scroll back to
    ResumeRows();
    m_list.DeleteAllItems();
}

void ListWordTable::DeleteRows(const std::vector<int>& ascendingRows) {
    const int rows = RowCount();
    std::vector<int> going;
    going.reserve(ascendingRows.size());
    for (const int row : ascendingRows) {
        if (row >= 0 && row < rows && (going.empty() || row > going.back())) {
            going.push_back(row);
        }
    }
    if (going.empty()) {
        return;
    }
    Suspend();
    HoldFocusWhileRowsChange();
    // Each row removed costs the control a few notifications and, under Wine, time in
    // proportion to the rows still there. Emptying the list costs much less per row, putting a
    // row back about as much as removing one: worth it once more than two thirds go.
    if (going.size() > 2 * (static_cast<std::size_t>(rows) - going.size())) {
        PutBackOnly(going);
    } else {
        DeleteOneByOne(going);
    }
}

void ListWordTable::DeleteOneByOne(const std::vector<int>& rows) {
    // From the last, so the rows still to go keep their places; the focused row after all the
    // others. Each row removed above it moves the focused row up, as the control would.
    const int focused = m_focusedRow;
    bool focusedGoes = false;
    for (std::size_t k = rows.size(); k-- > 0;) {
        if (rows[k] == focused) {
            focusedGoes = true;
        } else {
            DeleteRow(rows[k]);
        }
    }
    if (focusedGoes) {
        DeleteRow(m_focusedRow);
    }
}

// Empties the list and puts back the rows that stay, with their cells and selection, in one
// pass of inserts as a load makes them. The focused row and the selection's anchor are put back
// too when they go, and then removed as single rows, so that the control itself moves the
// focus and the anchor off them, as it would have with every row removed one by one.
void ListWordTable::PutBackOnly(const std::vector<int>& goingRows) {
    struct Row {
        int index = 0;
        bool goes = false;
        bool selected = false;
        std::array<std::wstring, emb::kColumnCount> cells;
    };
    const int rows = RowCount();
    const int focused = m_focusedRow;
    const int mark = m_list.GetSelectionMark();
    std::vector<Row> back;
    back.reserve(static_cast<std::size_t>(rows) - goingRows.size() + 2);
    std::size_t next = 0;
    for (int row = 0; row < rows; ++row) {
        const bool goes = next < goingRows.size() && goingRows[next] == row;
        if (goes) {
            ++next;
            if (row != focused && row != mark) {
                continue;
            }
        }
        Row kept{row, goes, (m_list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0, {}};
        for (int column = 0; column < emb::kColumnCount; ++column) {
            kept.cells[static_cast<std::size_t>(column)] = m_list.GetItemText(row, column);
        }
        back.push_back(std::move(kept));
    }

    // Where the list stood: with its rows removed one by one, it would stand there still, as far
    // as the rows left reach.
    if (m_topToRestore == kNoRow) {
        m_topToRestore = m_list.GetTopIndex();
    }
    // Emptied with the control's redrawing on, as DeleteAllRows does; the focus stays held.
    m_suspended = false;
    m_list.SetRedraw(TRUE);
    m_list.DeleteAllItems();
    Suspend();

    constexpr UINT kStates = LVIS_SELECTED | LVIS_FOCUSED;
    int newFocused = kNoRow;
    int newMark = kNoRow;
    for (std::size_t k = 0; k < back.size(); ++k) {
        const Row& row = back[k];
        const int at = static_cast<int>(k);
        m_list.InsertItem(LVIF_TEXT | LVIF_STATE, at, row.cells[0],
                          row.selected ? LVIS_SELECTED : 0u, kStates);
        for (int column = 1; column < emb::kColumnCount; ++column) {
            m_list.SetItemText(at, column, row.cells[static_cast<std::size_t>(column)]);
        }
        if (row.index == focused) {
            newFocused = at;
        }
        if (row.index == mark) {
            newMark = at;
        }
    }
    m_list.SetSelectionMark(newMark);
    if (newFocused != focused) {
        m_focusMoved = true;  // rows above it went
    }
    m_focusedRow = newFocused;

    // In ascending order, as the literal removal meets them.
    int removed = 0;
    for (std::size_t k = 0; k < back.size(); ++k) {
        if (back[k].goes) {
            DeleteRow(static_cast<int>(k) - removed);
            ++removed;
        }
    }
}

emb::Selection ListWordTable::GetSelection() const {
    emb::Selection selection;
    const int rows = RowCount();
    if (m_list.GetSelectedCount() == rows) {  // after a load, every row
        selection.rows.resize(static_cast<std::size_t>(rows));
        std::iota(selection.rows.begin(), selection.rows.end(), 0);
    } else {
        for (int row = m_list.GetNextItem(kNoRow, LVNI_SELECTED); row != kNoRow;
             row = m_list.GetNextItem(row, LVNI_SELECTED)) {
            selection.rows.push_back(row);
        }
    }
    selection.focus = m_holdingFocus ? m_focusedRow : m_list.GetNextItem(kNoRow, LVNI_FOCUSED);
    return selection;
}

void ListWordTable::SetSelection(const emb::Selection& selection) {
    Suspend();
    HoldFocusWhileRowsChange();
    const int rows = RowCount();
    std::vector<bool> selected(static_cast<std::size_t>(rows), false);
    for (const int row : selection.rows) {
        if (row >= 0 && row < rows) {
            selected[static_cast<std::size_t>(row)] = true;
        }
    }
    // One message for every row, then one for each row that differs from it.
    const auto many = static_cast<std::size_t>(std::count(selected.begin(), selected.end(), true));
    const bool most = 2 * many > selected.size();
    m_list.SetItemState(kNoRow, most ? LVIS_SELECTED : 0u, LVIS_SELECTED);
    for (int row = 0; row < rows; ++row) {
        if (selected[static_cast<std::size_t>(row)] != most) {
            m_list.SetItemState(row, most ? 0u : LVIS_SELECTED, LVIS_SELECTED);
        }
    }
    m_focusedRow = selection.focus < rows ? selection.focus : kNoRow;
    m_focusMoved = true;
    m_rowToShow = m_focusedRow;
    m_list.SetSelectionMark(m_focusedRow);
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
    if (m_topToRestore != kNoRow) {
        m_list.ScrollToTopIndex(m_topToRestore);
        m_topToRestore = kNoRow;
    }
    if (m_holdingFocus) {
        // With the control's redrawing on, so it scrolls to a new focused row as it would have.
        m_holdingFocus = false;
        ReturnFocus();
    }
    if (m_rowToShow != kNoRow) {
        m_list.EnsureVisible(std::exchange(m_rowToShow, kNoRow));
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
