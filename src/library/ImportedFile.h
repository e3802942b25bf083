#pragma once

// What a file chosen for import is: a user-word file, a text word list, perhaps a damaged
// user-word file, or something else. Decided before anything is added, so that a word list is
// never read as records (its first two letters would make a count of thousands and its text
// rows of mojibake).

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ByteStore.h"
#include "PhraseCoder.h"
#include "WordListDecoding.h"
#include "WordRecord.h"

namespace emb {

// No word list is longer; nor is a user-word file read as one with any 16-bit count.
inline constexpr std::size_t kMaxImportedBytes = std::size_t{16} << 20;

enum class ImportedKind {
    // A count within the file's slots, each counted record's code empty or printable ASCII.
    UserWords,
    // Text in one of the encodings DecodeWordListText knows, with at least one word.
    WordList,
    // Neither, with a count above the slots: perhaps a damaged user-word file, perhaps not one.
    LargeCount,
    // Neither, with a count within the slots.
    Unknown,
};

struct ImportedFile {
    ImportedKind kind = ImportedKind::Unknown;
    std::uint16_t count = 0;  // the 16-bit count at offset 0, as a user-word file holds it
    // UserWords: records 0 to count - 1, bytes past the end read as zero. WordList: the words
    // in text order. None for the others: a LargeCount file's records are read only when the
    // user wants them, with ReadAllRecords.
    std::vector<WordRecord> words;
    // WordList: the lines that are not words, undecodable ones among them, ascending.
    std::vector<std::size_t> skippedLines;
    std::size_t deletedWords = 0;  // WordList: words a Rime snapshot marks deleted
    std::size_t codedWords = 0;    // WordList: lone phrases whose codes were worked out
};

// The bytes of file that ExamineImportedFile decides from: the first kMaxImportedBytes + 1 at
// most, so that a large file costs only what is read.
std::vector<std::uint8_t> ReadImportedBytes(ByteReader& file);

// Decides from the file's first bytes (coder works out the codes of a word list's lone
// phrases): all of them when the file is at most kMaxImportedBytes
// long, else the first kMaxImportedBytes + 1 (which are never a word list).
ImportedFile ExamineImportedFile(std::span<const std::uint8_t> bytes,
                                 const LegacyTextDecoder& legacy, PhraseCoder* coder = nullptr);

}  // namespace emb
