#include "DiffCommand.h"

#include <optional>
#include <ostream>
#include <set>
#include <tuple>
#include <vector>

#include "ByteStore.h"
#include "EmbTool.h"
#include "InputFile.h"
#include "UserWordFormat.h"
#include "Utf8.h"

namespace embtool {
namespace {

// Code first, then phrase, each compared unit by unit as unsigned 16-bit values: the order in
// which Save sorts codes, with the phrase to settle equal codes.
struct CodeThenPhrase {
    bool operator()(const emb::WordRecord& a, const emb::WordRecord& b) const {
        return std::tie(a.code, a.phrase) < std::tie(b.code, b.phrase);
    }
};

using WordSet = std::set<emb::WordRecord, CodeThenPhrase>;

// The complete words of the file at path, each once: records with an empty code or phrase are
// deleted words, which the program drops when it saves. nullopt after one line on err.
std::optional<WordSet> ReadWords(const std::u16string& path, std::ostream& err) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path, err);
    if (!bytes) {
        return std::nullopt;
    }
    emb::MemoryBytes source(*bytes);
    WordSet words;
    for (emb::WordRecord& record : emb::ReadAllRecords(source)) {
        if (!record.code.empty() && !record.phrase.empty()) {
            words.insert(std::move(record));
        }
    }
    return words;
}

void PrintWord(char sign, const emb::WordRecord& word, std::ostream& out) {
    out << sign << emb::ToUtf8(word.code) << '\t' << emb::ToUtf8(word.phrase) << '\n';
}

}  // namespace

int RunDiff(const std::u16string& pathA, const std::u16string& pathB, std::ostream& out,
            std::ostream& err) {
    const std::optional<WordSet> wordsA = ReadWords(pathA, err);
    if (!wordsA) {
        return kExitFailure;
    }
    const std::optional<WordSet> wordsB = ReadWords(pathB, err);
    if (!wordsB) {
        return kExitFailure;
    }

    // Both sets in one walk: a word in both is passed over, the others come out in key order.
    const CodeThenPhrase less;
    bool differ = false;
    auto a = wordsA->begin();
    auto b = wordsB->begin();
    while (a != wordsA->end() || b != wordsB->end()) {
        if (b == wordsB->end() || (a != wordsA->end() && less(*a, *b))) {
            PrintWord('-', *a++, out);
            differ = true;
        } else if (a == wordsA->end() || less(*b, *a)) {
            PrintWord('+', *b++, out);
            differ = true;
        } else {
            ++a;
            ++b;
        }
    }
    return differ ? kExitDifferent : kExitSuccess;
}

}  // namespace embtool
