#pragma once

#include <string_view>
#include <vector>

#include "MemoryWordTable.h"
#include "PhraseCoder.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "WordTableRules.h"

namespace emb::testing {

using Bytes = std::vector<std::uint8_t>;
using Records = std::vector<WordRecord>;
using Rows = std::vector<MemoryWordTable::Row>;

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes Utf8Bytes(std::u16string_view text) {
    const std::string utf8 = ToUtf8(text);
    return Bytes(utf8.begin(), utf8.end());
}

// With a byte-order mark.
inline Bytes Utf16Bytes(std::u16string_view text, bool bigEndian) {
    Bytes bytes = bigEndian ? Bytes{0xFE, 0xFF} : Bytes{0xFF, 0xFE};
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(bigEndian ? unit >> 8 : unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(bigEndian ? unit & 0xFF : unit >> 8));
    }
    return bytes;
}

// Works out the code of 经济 alone.
struct OneCode final : PhraseCoder {
    std::optional<std::u16string> CodeOf(std::u16string_view phrase) override {
        return phrase == u"经济" ? std::optional<std::u16string>(u"xiyy") : std::nullopt;
    }
};

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
