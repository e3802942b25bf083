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
}

void MemoryWordTable::DeleteRow(int row) {
    if (row >= 0 && row < RowCount()) {
        m_rows.erase(m_rows.begin() + row);
    }
}

void MemoryWordTable::DeleteAllRows() {
    m_rows.clear();
}

void MemoryWordTable::DeleteRows(const std::vector<int>& ascendingRows) {
    // One pass that moves each kept row once, instead of one erase per removed row.
    std::size_t kept = 0;
    std::size_t next = 0;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (next < ascendingRows.size() && static_cast<std::size_t>(ascendingRows[next]) == row) {
            ++next;
            continue;
        }
        if (kept != row) {
            m_rows[kept] = std::move(m_rows[row]);
        }
        ++kept;
    }
    m_rows.resize(kept);
}

}  // namespace emb
