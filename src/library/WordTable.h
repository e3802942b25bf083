#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace emb {

enum Column : int {
    kCodeColumn = 0,
    kPhraseColumn = 1,
    kNumberColumn = 2,
};
inline constexpr int kColumnCount = 3;

// Which rows are selected (ascending) and which has the focus (-1: none).
struct Selection {
    std::vector<int> rows;
    int focus = -1;

    friend bool operator==(const Selection&, const Selection&) = default;
};

// The rows of the word table, wherever they live (the list control in the program, memory in
// tests and in embtool). Rows and columns are 0-based.
class WordTable {
public:
    virtual ~WordTable() = default;

    virtual int RowCount() const = 0;
    // The empty text for a row or column outside the table.
    virtual std::u16string CellText(int row, int column) const = 0;
    // No effect outside the table.
    virtual void SetCellText(int row, int column, std::u16string_view text) = 0;
    // Inserts a row at row (0 to RowCount()) with code in column 0 and the other cells empty;
    // the list control also selects and focuses it.
    virtual void InsertRow(int row, std::u16string_view code) = 0;
    // Removes one row; the rows behind it move up. No effect outside the table.
    virtual void DeleteRow(int row) = 0;
    virtual void DeleteAllRows() = 0;
    // No selection in a table that has none of its own.
    virtual Selection GetSelection() const { return {}; }
    // Selects exactly the rows given and focuses the one given, scrolled into view.
    virtual void SetSelection(const Selection&) {}
    // Removes the rows listed, in ascending order; the others keep their order. Deletes them
    // one by one from the last unless a table can do it in one pass.
    virtual void DeleteRows(const std::vector<int>& ascendingRows) {
        for (std::size_t k = ascendingRows.size(); k-- > 0;) {
            DeleteRow(ascendingRows[k]);
        }
    }
};

}  // namespace emb
