#include "SavedWords.h"

#include <algorithm>
#include <map>

#include "WordTableRules.h"

namespace emb {
namespace {

bool Precedes(const WordRecord& a, const WordRecord& b) {
    return a.code != b.code ? a.code < b.code : a.phrase < b.phrase;
}

std::vector<WordRecord> SortedWords(const std::vector<WordRecord>& records) {
    std::vector<WordRecord> words;
    std::copy_if(records.begin(), records.end(), std::back_inserter(words), IsComplete);
    std::sort(words.begin(), words.end(), Precedes);
    return words;
}

}  // namespace

SavedWords::SavedWords(const std::vector<WordRecord>& records) : m_words(SortedWords(records)) {
}

bool SavedWords::DifferFrom(const WordTable& table) const {
    return SortedWords(RowsAsRecords(table)) != m_words;
}

std::vector<WordRecord> SavedWords::AddedIn(const std::vector<WordRecord>& records) const {
    // How many of each word are still unaccounted for.
    std::map<WordRecord, int, decltype(&Precedes)> known(&Precedes);
    for (const WordRecord& word : m_words) {
        ++known[word];
    }
    std::vector<WordRecord> added;
    for (const WordRecord& record : records) {
        if (!IsComplete(record)) {
            continue;
        }
        const auto found = known.find(record);
        if (found != known.end() && found->second > 0) {
            --found->second;
        } else {
            added.push_back(record);
        }
    }
    return added;
}

}  // namespace emb
