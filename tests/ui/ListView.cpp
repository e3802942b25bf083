#include "ListView.h"

#include <windows.h>

#include <commctrl.h>

#include "Utf8.h"

namespace uitest {

std::ostream& operator<<(std::ostream& os, const ListRow& row) {
    const auto utf8 = [](const std::wstring& text) {
        return emb::ToUtf8(std::u16string(text.begin(), text.end()));
    };
    return os << '{' << utf8(row.code) << " | " << utf8(row.phrase) << " | " << utf8(row.number)
              << (row.selected ? " selected" : "") << (row.focused ? " focused" : "") << '}';
}

std::wstring CellText(HWND list, int row, int column) {
    wchar_t buffer[512] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void SetCellText(HWND list, int row, int column, const std::wstring& text) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
}

std::vector<ListRow> RowsOf(HWND list) {
    std::vector<ListRow> rows;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        const auto state = static_cast<UINT>(::SendMessageW(
            list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED | LVIS_FOCUSED));
        rows.push_back({CellText(list, row, 0), CellText(list, row, 1), CellText(list, row, 2),
                        (state & LVIS_SELECTED) != 0, (state & LVIS_FOCUSED) != 0});
    }
    return rows;
}

}  // namespace uitest
