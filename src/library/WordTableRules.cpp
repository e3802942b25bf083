#include "WordTableRules.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <numeric>
#include <unordered_set>
#include <utility>

#include "Utf8.h"

namespace emb {
namespace {

// The partition steps on an in-memory copy: the table's own cells would be read once per
// comparison. Both halves after a partition are disjoint, so sorting the smaller one first
// (to bound the recursion depth) gives the same rows as the left-then-right order.
void SortEntries(std::vector<WordRecord>& rows, int low, int high) {
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

// Sorts the table's rows low.. whose codes and phrases are `rows`, writing back only the cells
// that change; leaves `rows` as the table now holds them.
void SortKnownRows(WordTable& table, int low, std::vector<WordRecord>& rows) {
    if (rows.size() < 2) {
        return;  // one row is exchanged only with itself
    }
    std::vector<WordRecord> sorted = rows;
    SortEntries(sorted, 0, static_cast<int>(sorted.size()) - 1);
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        const int row = low + static_cast<int>(k);
        if (sorted[k].code != rows[k].code) {
            table.SetCellText(row, kCodeColumn, sorted[k].code);
        }
        if (sorted[k].phrase != rows[k].phrase) {
            table.SetCellText(row, kPhraseColumn, sorted[k].phrase);
        }
    }
    rows = std::move(sorted);
}

bool NeedsCode(const WordTable& table, int row) {
    return table.CellText(row, kCodeColumn).empty() && !table.CellText(row, kPhraseColumn).empty();
}

// Gives a row with a phrase and no code the phrase's code; answers false when the row still
// needs one.
bool CodeRow(WordTable& table, int row, PhraseCoder& coder) {
    if (!NeedsCode(table, row)) {
        return true;
    }
    const std::optional<std::u16string> code = coder.CodeOf(table.CellText(row, kPhraseColumn));
    if (code) {
        table.SetCellText(row, kCodeColumn, *code);
    }
    return code.has_value();
}

struct RecordHash {
    std::size_t operator()(const WordRecord& record) const {
        const std::size_t code = std::hash<std::u16string>{}(record.code);
        const std::size_t phrase = std::hash<std::u16string>{}(record.phrase);
        return code ^ (phrase + 0x9E3779B9u + (code << 6) + (code >> 2));
    }
};

}  // namespace

std::u16string FormatRowNumber(int row) {
    char digits[16];
    const int length = std::snprintf(digits, sizeof digits, "%04d", row);
    return std::u16string(digits, digits + std::max(length, 0));
}

bool IsComplete(const WordRecord& record) {
    return !record.code.empty() && !record.phrase.empty();
}

bool IsCompleteRow(const WordTable& table, int row) {
    return IsComplete({table.CellText(row, kCodeColumn), table.CellText(row, kPhraseColumn)});
}

bool IsTypableWord(const WordRecord& word) {
    const auto letter = [](char16_t unit) { return kCodeLetters.find(unit) != kCodeLetters.npos; };
    const auto kept = [](char16_t unit) { return unit > kHighestDroppedPhraseUnit; };
    return !word.code.empty() && word.code.size() <= kMaxEditedCodeUnits &&
           std::all_of(word.code.begin(), word.code.end(), letter) && !word.phrase.empty() &&
           word.phrase.size() <= kMaxEditedPhraseUnits &&
           std::all_of(word.phrase.begin(), word.phrase.end(), kept);
}

bool IsBlankLastRow(const WordTable& table, int row) {
    return row == table.RowCount() - 1 && table.CellText(row, kCodeColumn).empty() &&
           table.CellText(row, kPhraseColumn).empty();
}

bool DeleteSelectedRows(WordTable& table) {
    std::vector<int> going = table.GetSelection().rows;
    if (!going.empty() && IsBlankLastRow(table, going.back())) {
        going.pop_back();
    }
    if (going.empty()) {
        return false;
    }
    table.DeleteRows(going);
    const int rows = table.RowCount();
    for (int row = going.front(); row < rows; ++row) {
        table.SetCellText(row, kNumberColumn, FormatRowNumber(row));
    }
    const int next = std::min(going.back() + 1 - static_cast<int>(going.size()), rows - 1);
    table.SetSelection(next >= 0 ? Selection{{next}, next} : Selection{});
    return true;
}

std::vector<WordRecord> SelectedWords(const WordTable& table) {
    std::vector<WordRecord> words;
    for (const int row : table.GetSelection().rows) {
        WordRecord word{table.CellText(row, kCodeColumn), table.CellText(row, kPhraseColumn)};
        if (IsComplete(word)) {
            words.push_back(std::move(word));
        }
    }
    return words;
}

void SelectAllWords(WordTable& table) {
    const int rows = table.RowCount();
    const int words = rows > 0 && IsBlankLastRow(table, rows - 1) ? rows - 1 : rows;
    Selection all{std::vector<int>(static_cast<std::size_t>(words)), table.GetSelection().focus};
    std::iota(all.rows.begin(), all.rows.end(), 0);
    table.SetSelection(all);
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

void ApplyCellEditRule(WordTable& table, int row, int column, PhraseCoder* coder) {
    const std::u16string text = table.CellText(row, column);
    if (column == kCodeColumn) {
        // The editor lets only these letters be typed; a paste or an input method's result
        // bypasses it.
        std::u16string letters;
        for (const char16_t unit : text) {
            const char16_t lower = LowercaseAscii(unit);
            if (kCodeLetters.find(lower) != std::u16string_view::npos) {
                letters += lower;
            }
        }
        table.SetCellText(row, column, CutToUnits(letters, kMaxEditedCodeUnits));
    } else if (column == kPhraseColumn) {
        std::u16string kept;
        std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                     [](char16_t unit) { return unit > kHighestDroppedPhraseUnit; });
        table.SetCellText(row, column, CutToUnits(kept, kMaxEditedPhraseUnits));
        if (coder != nullptr) {
            CodeRow(table, row, *coder);
        }
    }

    if (IsCompleteRow(table, table.RowCount() - 1)) {
        AppendBlankRow(table);
    }
}

std::size_t CodeSelectedRows(WordTable& table, PhraseCoder& coder) {
    std::size_t uncoded = 0;
    for (const int row : table.GetSelection().rows) {
        uncoded += CodeRow(table, row, coder) ? 0 : 1;
    }
    if (IsCompleteRow(table, table.RowCount() - 1)) {
        AppendBlankRow(table);
    }
    return uncoded;
}

bool HasUncodedSelection(const WordTable& table) {
    const std::vector<int> rows = table.GetSelection().rows;
    return std::any_of(rows.begin(), rows.end(),
                       [&table](int row) { return NeedsCode(table, row); });
}

std::vector<WordRecord> TidyUpRows(WordTable& table) {
    // Whether a row goes depends on its own cells only, so the rows can be chosen first and
    // removed together. Each cell is read once; what stays is handed back.
    std::vector<int> incomplete;
    std::vector<WordRecord> kept;
    const int rows = table.RowCount();
    kept.reserve(static_cast<std::size_t>(std::max(rows, 0)));
    for (int row = 0; row < rows; ++row) {
        WordRecord record{table.CellText(row, kCodeColumn), table.CellText(row, kPhraseColumn)};
        if (!IsComplete(record)) {
            incomplete.push_back(row);
        } else {
            kept.push_back(std::move(record));
        }
    }
    if (!incomplete.empty()) {
        table.DeleteRows(incomplete);
    }
    const int remaining = table.RowCount();
    for (int row = 0; row < remaining; ++row) {
        table.SetCellText(row, kNumberColumn, FormatRowNumber(row));
    }
    return kept;
}

std::vector<WordRecord> NewWords(const std::vector<WordRecord>& rows,
                                 std::vector<WordRecord> words) {
    // Every row's words once, instead of a scan of all rows for every word.
    std::unordered_set<WordRecord, RecordHash> present(rows.begin(), rows.end());
    std::vector<WordRecord> fresh;
    for (WordRecord& word : words) {
        if (present.insert(word).second) {
            fresh.push_back(std::move(word));
        }
    }
    return fresh;
}

std::size_t AppendNewWords(WordTable& table, const std::vector<WordRecord>& rows,
                           std::vector<WordRecord> words) {
    const std::vector<WordRecord> fresh = NewWords(rows, std::move(words));
    for (const WordRecord& word : fresh) {
        const int row = table.RowCount();
        table.InsertRow(row, word.code);
        table.SetCellText(row, kPhraseColumn, word.phrase);
        table.SetCellText(row, kNumberColumn, FormatRowNumber(row));
    }
    return fresh.size();
}

void SortRowsByCode(WordTable& table, int low, int high) {
    low = std::max(low, 0);
    high = std::min(high, table.RowCount() - 1);
    if (low >= high) {
        return;
    }
    std::vector<WordRecord> rows;
    rows.reserve(static_cast<std::size_t>(high - low) + 1);
    for (int row = low; row <= high; ++row) {
        rows.push_back({table.CellText(row, kCodeColumn), table.CellText(row, kPhraseColumn)});
    }
    SortKnownRows(table, low, rows);
}

std::vector<WordRecord> RowsAsRecords(const WordTable& table) {
    std::vector<WordRecord> records;
    records.reserve(static_cast<std::size_t>(table.RowCount()));
    for (int row = 0; row < table.RowCount(); ++row) {
        records.push_back({table.CellText(row, kCodeColumn), table.CellText(row, kPhraseColumn)});
    }
    return records;
}

std::optional<std::vector<WordRecord>> PrepareRecordsForSave(WordTable& table) {
    std::vector<WordRecord> rows = TidyUpRows(table);
    SortKnownRows(table, 0, rows);
    if (static_cast<int>(rows.size()) > kWordLimit) {
        return std::nullopt;
    }
    return rows;
}

bool PrepareRowsForSave(WordTable& table) {
    return PrepareRecordsForSave(table).has_value();
}

}  // namespace emb
