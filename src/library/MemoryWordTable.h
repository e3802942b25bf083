#pragma once

#include <array>
#include <vector>

#include "WordTable.h"

namespace emb {

// The word table held in memory: for tests and for the command-line companion. Rows go in
// selected and focused, as the list control takes them.
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
    Selection GetSelection() const override;
    void SetSelection(const Selection& selection) override;

    const std::vector<Row>& Rows() const { return m_rows; }

private:
    bool Contains(int row, int column) const;

    std::vector<Row> m_rows;
    std::vector<bool> m_selected;  // one a row
    int m_focus = -1;
};

}  // namespace emb
