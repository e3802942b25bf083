#pragma once

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "MemoryWordTable.h"
#include "Utf8.h"

namespace emb::testing {

// One row's three cells, for readable expectations.
struct RowText {
    std::u16string code;
    std::u16string phrase;
    std::u16string number;
    friend bool operator==(const RowText&, const RowText&) = default;
    friend std::ostream& operator<<(std::ostream& os, const RowText& row) {
        return os << '{' << ToUtf8(row.code) << " | " << ToUtf8(row.phrase) << " | "
                  << ToUtf8(row.number) << '}';
    }
};

inline MemoryWordTable TableOf(std::initializer_list<RowText> rows) {
    MemoryWordTable table;
    for (const RowText& row : rows) {
        const int at = table.RowCount();
        table.InsertRow(at, row.code);
        table.SetCellText(at, kPhraseColumn, row.phrase);
        table.SetCellText(at, kNumberColumn, row.number);
    }
    return table;
}

inline std::vector<RowText> RowsOf(const WordTable& table) {
    std::vector<RowText> rows;
    for (int row = 0; row < table.RowCount(); ++row) {
        rows.push_back({table.CellText(row, kCodeColumn), table.CellText(row, kPhraseColumn),
                        table.CellText(row, kNumberColumn)});
    }
    return rows;
}

}  // namespace emb::testing
