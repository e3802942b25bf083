#include "WordTableRules.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

namespace emb {
namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

struct SortEntry {
    std::u16string code;
    std::u16string phrase;
};

// The partition steps on an in-memory copy: the table's own cells would be read once per
// comparison. Both halves after a partition are disjoint, so sorting the smaller one first
// (to bound the recursion depth) gives the same rows as the left-then-right order.
void SortEntries(std::vector<SortEntry>& rows, int low, int high) {
    while (low < high) {
        const std::u16string pivot = rows[static_cast<std::size_t>((low + high) / 2)].code;
        int i = low;
        int j = high;
        do {
            while (rows[static_cast<std::size_t>(i)].code < pivot) {
                ++i;
            }
            while (rows[static_cast<std::size_t>(j)].code > pivot) {
                --j;
            }
            if (i <= j) {
                std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);

        if (j - low < high - i) {
            SortEntries(rows, low, j);
            low = i;
        } else {
            SortEntries(rows, i, high);
            high = j;
        }
    }
}

}  // namespace

std::u16string FormatRowNumber(int row) {
    char digits[16];
    const int length = std::snprintf(digits, sizeof digits, "%04d", row);
    return std::u16string(digits, digits + std::max(length, 0));
}

bool IsCompleteRow(const WordTable& table, int row) {
    return !table.CellText(row, kCodeColumn).empty() && !table.CellText(row, kPhraseColumn).empty();
}

void AppendBlankRow(WordTable& table) {
    const int row = table.RowCount();
    table.InsertRow(row, u"");
    table.SetCellText(row, kPhraseColumn, u"");
    table.SetCellText(row, kNumberColumn, FormatRowNumber(row));
}

std::u16string CutToUnits(std::u16string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return std::u16string(text);
    }
    std::size_t length = limit;
    if (length > 0 && IsHighSurrogate(text[length - 1]) && IsLowSurrogate(text[length])) {
        --length;
    }
    return std::u16string(text.substr(0, length));
}

void ApplyCellEditRule(WordTable& table, int row, int column) {
    const std::u16string text = table.CellText(row, column);
    if (column == kCodeColumn) {
        if (text.size() > kMaxEditedCodeUnits) {
            table.SetCellText(row, column, CutToUnits(text, kMaxEditedCodeUnits));
        }
    } else if (column == kPhraseColumn) {
        std::u16string kept;
        std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                     [](char16_t unit) { return unit > kHighestDroppedPhraseUnit; });
        table.SetCellText(row, column, CutToUnits(kept, kMaxEditedPhraseUnits));
    }

    if (IsCompleteRow(table, table.RowCount() - 1)) {
        AppendBlankRow(table);
    }
}

void TidyUpRows(WordTable& table) {
    // Whether a row goes depends on its own cells only, so the rows can be chosen first and
    // removed together.
    std::vector<int> incomplete;
    for (int row = 0; row < table.RowCount(); ++row) {
        if (!IsCompleteRow(table, row)) {
            incomplete.push_back(row);
        }
    }
    if (!incomplete.empty()) {
        table.DeleteRows(incomplete);
    }
    for (int row = 0; row < table.RowCount(); ++row) {
        table.SetCellText(row, kNumberColumn, FormatRowNumber(row));
    }
}

void SortRowsByCode(WordTable& table, int low, int high) {
    low = std::max(low, 0);
    high = std::min(high, table.RowCount() - 1);
    if (low >= high) {
        return;  // one row is exchanged only with itself
    }

    std::vector<SortEntry> rows;
    rows.reserve(static_cast<std::size_t>(high - low) + 1);
    for (int row = low; row <= high; ++row) {
        rows.push_back({table.CellText(row, kCodeColumn), table.CellText(row, kPhraseColumn)});
    }
    std::vector<SortEntry> sorted = rows;
    SortEntries(sorted, 0, high - low);

    for (std::size_t k = 0; k < sorted.size(); ++k) {
        const int row = low + static_cast<int>(k);
        if (sorted[k].code != rows[k].code) {
            table.SetCellText(row, kCodeColumn, sorted[k].code);
        }
        if (sorted[k].phrase != rows[k].phrase) {
            table.SetCellText(row, kPhraseColumn, sorted[k].phrase);
        }
    }
}

std::vector<WordRecord> RowsAsRecords(const WordTable& table) {
    std::vector<WordRecord> records;
    records.reserve(static_cast<std::size_t>(table.RowCount()));
    for (int row = 0; row < table.RowCount(); ++row) {
        records.push_back({table.CellText(row, kCodeColumn), table.CellText(row, kPhraseColumn)});
    }
    return records;
}

bool PrepareRowsForSave(WordTable& table) {
    TidyUpRows(table);
    SortRowsByCode(table, 0, table.RowCount() - 1);
    return table.RowCount() <= kWordLimit;
}

}  // namespace emb
