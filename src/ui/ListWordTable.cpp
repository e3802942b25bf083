#include "ListWordTable.h"

namespace {

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

int ListWordTable::RowCount() const {
    return m_list.GetItemCount();
}

std::u16string ListWordTable::CellText(int row, int column) const {
    if (!Contains(row)) {
        return {};
    }
    const std::wstring text = m_list.GetItemText(row, column);
    return std::u16string(text.begin(), text.end());
}

void ListWordTable::SetCellText(int row, int column, std::u16string_view text) {
    if (Contains(row)) {
        Suspend();
        m_list.SetItemText(row, column, Wide(text));
    }
}

void ListWordTable::InsertRow(int row, std::u16string_view code) {
    Suspend();
    constexpr UINT kState = LVIS_SELECTED | LVIS_FOCUSED;
    m_list.InsertItem(LVIF_TEXT | LVIF_STATE, row, Wide(code), kState, kState);
}

void ListWordTable::DeleteRow(int row) {
    if (Contains(row)) {
        Suspend();
        m_list.DeleteItem(row);
    }
}

void ListWordTable::DeleteAllRows() {
    // Emptied with redrawing on: under Wine, a list emptied while its redrawing is off makes
    // every later insert thousands of times slower. Emptying costs one repaint at most.
    Resume();
    m_list.DeleteAllItems();
}

void ListWordTable::Suspend() {
    if (!m_suspended) {
        m_list.SetRedraw(FALSE);
        m_suspended = true;
    }
}

void ListWordTable::Resume() {
    if (m_suspended) {
        m_suspended = false;
        m_list.SetRedraw(TRUE);
        m_list.Invalidate();
        m_list.UpdateWindow();
    }
}
