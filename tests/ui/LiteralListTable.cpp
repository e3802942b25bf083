#include "LiteralListTable.h"

#include <commctrl.h>

namespace uitest {

int LiteralListTable::RowCount() const {
    return m_list.GetItemCount();
}

std::u16string LiteralListTable::CellText(int row, int column) const {
    if (!Contains(row)) {
        return {};
    }
    const std::wstring text = m_list.GetItemText(row, column);
    return {text.begin(), text.end()};
}

void LiteralListTable::SetCellText(int row, int column, std::u16string_view text) {
    if (Contains(row)) {
        m_list.SetItemText(row, column, std::wstring(text.begin(), text.end()));
    }
}

void LiteralListTable::InsertRow(int row, std::u16string_view code) {
    constexpr UINT kState = LVIS_SELECTED | LVIS_FOCUSED;
    m_list.InsertItem(LVIF_TEXT | LVIF_STATE, row, std::wstring(code.begin(), code.end()), kState,
                      kState);
    m_list.UpdateWindow();
}

void LiteralListTable::DeleteRow(int row) {
    if (Contains(row)) {
        m_list.DeleteItem(row);
        m_list.UpdateWindow();
    }
}

void LiteralListTable::DeleteAllRows() {
    m_list.DeleteAllItems();
    m_list.UpdateWindow();
}

}  // namespace uitest
