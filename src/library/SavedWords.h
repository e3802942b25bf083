#pragma once

#include <vector>

#include "WordRecord.h"
#include "WordTable.h"

namespace emb {

// The words of a library file as it was at its last load or successful save: its records with a
// non-empty code and phrase, as a multiset. What the table and the file hold later is judged
// against it by content, so an edit undone by hand is no change.
class SavedWords {
public:
    SavedWords() = default;
    explicit SavedWords(const std::vector<WordRecord>& records);

    // Whether Save would now write other words than these: the table's complete rows, in any
    // order, differ from them. (A file with more words than Save writes, loaded and untouched,
    // is no change.)
    bool DifferFrom(const WordTable& table) const;

    // The complete records of the file as it is now that these words don't account for, in file
    // order: a word held here n times and there m > n times is counted m - n times.
    std::vector<WordRecord> AddedIn(const std::vector<WordRecord>& records) const;

private:
    std::vector<WordRecord> m_words;  // ascending by code, then phrase
};

}  // namespace emb
