#pragma once

// How a shape code (Wubi) makes a phrase's code from its characters' codes: a formula of letter
// pairs, "AaAbBaBb" for instance, as Rime's dictionaries write them. The capital names a
// character of the phrase, the small letter a letter of that character's code: A to T count
// from the start, U to Z from the end (Z the last); likewise a to t and u to z within a code.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace emb {

// Where a formula takes one letter: from the start when 0 or more, from the end when negative
// (-1 the last).
struct CodePlace {
    int character = 0;
    int letter = 0;

    friend bool operator==(const CodePlace&, const CodePlace&) = default;
};

// Phrases of shortest to longest characters are coded by formula.
struct CodingRule {
    std::size_t shortest = 0;
    std::size_t longest = 0;
    std::vector<CodePlace> formula;
};

// The places of a formula, or nothing when it is not pairs of a capital and a small letter.
std::optional<std::vector<CodePlace>> ParseFormula(std::string_view formula);

// The rules of every Wubi edition: AaAbBaBb for two characters, AaBaCaCb for three, AaBaCaZa
// for four and more.
std::vector<CodingRule> StandardWubiRules();

// The letters the first rule for codes.size() characters takes from codes, one code a
// character; empty when no rule is for that many. A place past the phrase's or a code's end
// gives nothing; so does one counted from the end that falls before the character, or on or
// before the letter of the same character, last taken (the last letter of a one-letter code
// is not taken twice).
std::string ApplyCodingRules(const std::vector<CodingRule>& rules,
                             const std::vector<std::string_view>& codes);

}  // namespace emb
