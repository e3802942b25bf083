#pragma once

// A library's words as text other programs read: a word list, and a Rime dictionary.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "WordRecord.h"

namespace emb {

// "code<TAB>phrase" CR LF lines in UTF-8 with a byte-order mark, in the words' order: what
// Import reads back, and every input method that reads "code phrase" lines. Records without a
// code or a phrase, or with a control character, make no line.
std::vector<std::uint8_t> TextWordListFile(std::span<const WordRecord> words);

// A Rime dictionary of the words: its header (name, version, sort: original, columns: [text,
// code]), then "phrase<TAB>code" LF lines, UTF-8 without a byte-order mark.
std::vector<std::uint8_t> RimeDictionaryFile(std::span<const WordRecord> words,
                                             std::u16string_view name, std::u16string_view version);

// The name Rime knows a dictionary file by: the file's name without its folder and without
// ".dict.yaml" (or its last extension).
std::u16string RimeDictionaryName(std::u16string_view path);

}  // namespace emb
