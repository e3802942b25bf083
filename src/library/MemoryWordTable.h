#pragma once

#include <array>
#include <vector>

#include "WordTable.h"

namespace emb {

// The word table held in memory: for tests and for the command-line companion.
class MemoryWordTable final : public WordTable {
public:
    using Row = std::array<std::u16string, kColumnCount>;

    int RowCount() const override;
    std::u16string CellText(int row, int column) const override;
    void SetCellText(int row, int column, std::u16string_view text) override;
    void InsertRow(int row, std::u16string_view code) override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;
    void DeleteRows(const std::vector<int>& ascendingRows) override;

    const std::vector<Row>& Rows() const { return m_rows; }

private:
    bool Contains(int row, int column) const;

    std::vector<Row> m_rows;
};

}  // namespace emb
