#include "MemoryWordTable.h"

#include <cassert>

namespace emb {

bool MemoryWordTable::Contains(int row, int column) const {
    return row >= 0 && row < RowCount() && column >= 0 && column < kColumnCount;
}

int MemoryWordTable::RowCount() const {
    return static_cast<int>(m_rows.size());
}

std::u16string MemoryWordTable::CellText(int row, int column) const {
    if (!Contains(row, column)) {
        return {};
    }
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void MemoryWordTable::SetCellText(int row, int column, std::u16string_view text) {
    if (Contains(row, column)) {
        m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    }
}

void MemoryWordTable::InsertRow(int row, std::u16string_view code) {
    assert(row >= 0 && row <= RowCount());
    Row inserted;
    inserted[kCodeColumn] = code;
    m_rows.insert(m_rows.begin() + row, std::move(inserted));
    m_selected.insert(m_selected.begin() + row, true);
    m_focus = row;
}

void MemoryWordTable::DeleteRow(int row) {
    if (row >= 0 && row < RowCount()) {
        DeleteRows({row});
    }
}

void MemoryWordTable::DeleteAllRows() {
    m_rows.clear();
    m_selected.clear();
    m_focus = -1;
}

void MemoryWordTable::DeleteRows(const std::vector<int>& ascendingRows) {
    // One pass that moves each kept row once, instead of one erase per removed row.
    std::size_t kept = 0;
    std::size_t next = 0;
    int focus = -1;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (next < ascendingRows.size() && static_cast<std::size_t>(ascendingRows[next]) == row) {
            ++next;
            continue;
        }
        focus = static_cast<int>(row) == m_focus ? static_cast<int>(kept) : focus;
        if (kept != row) {
            m_rows[kept] = std::move(m_rows[row]);
            m_selected[kept] = m_selected[row];
        }
        ++kept;
    }
    m_rows.resize(kept);
    m_selected.resize(kept);
    m_focus = focus;
}

Selection MemoryWordTable::GetSelection() const {
    Selection selection{{}, m_focus};
    for (std::size_t row = 0; row < m_selected.size(); ++row) {
        if (m_selected[row]) {
            selection.rows.push_back(static_cast<int>(row));
        }
    }
    return selection;
}

void MemoryWordTable::SetSelection(const Selection& selection) {
    m_selected.assign(m_rows.size(), false);
    for (const int row : selection.rows) {
        if (row >= 0 && row < RowCount()) {
            m_selected[static_cast<std::size_t>(row)] = true;
        }
    }
    m_focus = selection.focus < RowCount() ? selection.focus : -1;
}

}  // namespace emb
