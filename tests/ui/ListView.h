#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace uitest {

// One row of the real list view as the user sees it.
struct ListRow {
    std::wstring code;
    std::wstring phrase;
    std::wstring number;
    bool selected = true;
    bool focused = false;
    friend bool operator==(const ListRow&, const ListRow&) = default;
    friend std::ostream& operator<<(std::ostream& os, const ListRow& row);
};

std::vector<ListRow> RowsOf(HWND list);
std::wstring CellText(HWND list, int row, int column);
void SetCellText(HWND list, int row, int column, const std::wstring& text);

}  // namespace uitest
