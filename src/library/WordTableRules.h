#pragma once

// The rules of the word table: row numbers, the blank row for adding, the cleaning of an edited
// cell, the tidy-up, the order of saving and the word limit.

#include <optional>
#include <string>
#include <vector>

#include "PhraseCoder.h"
#include "UserWordFormat.h"
#include "WordRecord.h"
#include "WordTable.h"

namespace emb {

inline constexpr std::size_t kMaxEditedCodeUnits = 4;
inline constexpr std::size_t kMaxEditedPhraseUnits = kPhraseUnits;
// Phrase units up to this value (ASCII and U+0080) are dropped from an edited phrase.
inline constexpr char16_t kHighestDroppedPhraseUnit = 0x80;

inline constexpr int kWordLimit = static_cast<int>(kMaxRecords);

// The letters a typed code is made of: lowercase, without z.
inline constexpr std::u16string_view kCodeLetters = u"abcdefghijklmnopqrstuvwxy";

// An ASCII capital as its small letter; every other unit as it is. Codes and searches ignore the
// case of ASCII letters only.
constexpr char16_t LowercaseAscii(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

// "%04d" of row: "0000", "0001", ..., five digits from 10000 on.
std::u16string FormatRowNumber(int row);

// A word: both code and phrase are non-empty. Anything else is a deleted word until the next
// tidy-up, and is never saved.
bool IsComplete(const WordRecord& record);
// The row holds a word; rows outside the table never do.
bool IsCompleteRow(const WordTable& table, int row);

// A word as the code editor and the cell-edit rule let the user make it: a code of 1 to 4 of
// kCodeLetters and a phrase of 1 to 40 units, all above U+0080.
bool IsTypableWord(const WordRecord& word);

// The row is the blank row for adding: the last row, with an empty code and phrase.
bool IsBlankLastRow(const WordTable& table, int row);

// Removes the selected rows but the blank last row, numbers the rows after them anew, and
// selects and focuses the row that followed the last one removed. Answers whether any went.
bool DeleteSelectedRows(WordTable& table);

// The complete rows among the selected ones, in table order.
std::vector<WordRecord> SelectedWords(const WordTable& table);

// Selects every row but the blank last row; the focus stays where it is.
void SelectAllWords(WordTable& table);

// Inserts an empty row at the end, numbered with its own index.
void AppendBlankRow(WordTable& table);

// The first limit units of text, one fewer when the cut would split a surrogate pair.
std::u16string CutToUnits(std::u16string_view text, std::size_t limit);

// The rule run after every finished cell edit: a code keeps only the letters of kCodeLetters
// (capitals lowercased) and is cut to 4, a phrase keeps only its units above U+0080 and is cut
// to 40, and then gets the code coder works out for it when its row's code is empty; a blank
// row is appended when the last row is complete.
void ApplyCellEditRule(WordTable& table, int row, int column, PhraseCoder* coder = nullptr);

// Gives each selected row that has a phrase and an empty code the code coder works out for its
// phrase, and a blank row after the last row when that is then complete. Answers how many of
// those rows got no code.
std::size_t CodeSelectedRows(WordTable& table, PhraseCoder& coder);

// Whether a selected row has a phrase and an empty code.
bool HasUncodedSelection(const WordTable& table);

// Removes every incomplete row and renumbers the rest from "0000". Answers the code and phrase
// of each row left, in table order.
std::vector<WordRecord> TidyUpRows(WordTable& table);

// The words that are not a duplicate (the same code and phrase) of one of rows or of a word
// before them, in their order.
std::vector<WordRecord> NewWords(const std::vector<WordRecord>& rows,
                                 std::vector<WordRecord> words);

// Appends a row for each of NewWords(rows, words), rows being the table's rows as they stand.
// Answers how many rows were appended.
std::size_t AppendNewWords(WordTable& table, const std::vector<WordRecord>& rows,
                           std::vector<WordRecord> words);

// Sorts rows low..high by code with Hoare partitioning around the middle row's code. Rows with
// equal codes end in the order these partition steps give, which callers and stored files see.
void SortRowsByCode(WordTable& table, int low, int high);

// The code and phrase of every row, in table order.
std::vector<WordRecord> RowsAsRecords(const WordTable& table);

// What Save does to the table before writing: tidy-up, then the sort. Answers false when the
// table then holds more words than a file can.
bool PrepareRowsForSave(WordTable& table);
// The same, answering the rows' codes and phrases as they now stand, or nothing when they are
// too many to save.
std::optional<std::vector<WordRecord>> PrepareRecordsForSave(WordTable& table);

}  // namespace emb
