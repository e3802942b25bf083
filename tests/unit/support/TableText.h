#pragma once

#include <vector>

#include "MemoryWordTable.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"

namespace emb::testing {

using Bytes = std::vector<std::uint8_t>;
using Records = std::vector<WordRecord>;
using Rows = std::vector<MemoryWordTable::Row>;

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes ImageOf(const Records& records) {
    return BuildFileImage(records).bytes;
}

inline Records RecordsOf(const Bytes& bytes) {
    MemoryBytes file(bytes);
    return ReadAllRecords(file);
}

// The words as rows numbered from "0000", as the table numbers them.
inline Rows Numbered(const Records& words) {
    Rows rows;
    for (const WordRecord& word : words) {
        rows.push_back({word.code, word.phrase, FormatRowNumber(static_cast<int>(rows.size()))});
    }
    return rows;
}

inline MemoryWordTable TableOf(const Records& words) {
    MemoryWordTable table;
    for (const MemoryWordTable::Row& row : Numbered(words)) {
        const int at = table.RowCount();
        table.InsertRow(at, row[kCodeColumn]);
        table.SetCellText(at, kPhraseColumn, row[kPhraseColumn]);
        table.SetCellText(at, kNumberColumn, row[kNumberColumn]);
    }
    return table;
}

}  // namespace emb::testing
