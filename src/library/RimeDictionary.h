#pragma once

// Rime's dictionaries (*.dict.yaml), as far as a code table needs them: a YAML header between a
// "---" line and a "..." line, then one entry a line, its columns separated by tabs and "#"
// starting a comment line. The header's "columns" say which column is which (text, code and
// weight when it names none); its "encoder" gives the rules that code phrases and the patterns
// of codes that no phrase is coded from.

#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "CodingRules.h"

namespace emb {

// A single character's entry.
struct CharacterCode {
    char32_t character = 0;
    std::string code;
    double weight = 0;  // 0 when the dictionary has no weights
};

struct RimeDictionary {
    std::vector<CharacterCode> characters;  // in the file's order
    std::vector<CodingRule> rules;          // the encoder's; the standard Wubi rules without one
    std::vector<std::regex> excludedCodes;  // the encoder's exclude_patterns
};

struct DictionaryRead {
    std::optional<RimeDictionary> dictionary;
    std::string problem;  // in English, when the text is no dictionary
};

// The header's YAML is read as far as Rime's dictionaries write it: block and flow lists, block
// and flow mappings, quoted and plain scalars, comments.
DictionaryRead ReadRimeDictionary(std::string_view text);

}  // namespace emb
