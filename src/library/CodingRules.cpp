#include "CodingRules.h"

#include <limits>

namespace emb {
namespace {

// Letters from the start up to this one; the rest count from the end.
constexpr int kFirstFromEnd = 'u' - 'a';

int PlaceOf(char letter, char first) {
    const int index = letter - first;
    return index < kFirstFromEnd ? index : index - 26;
}

}  // namespace

std::optional<std::vector<CodePlace>> ParseFormula(std::string_view formula) {
    if (formula.empty() || formula.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<CodePlace> places;
    for (std::size_t at = 0; at < formula.size(); at += 2) {
        const char character = formula[at];
        const char letter = formula[at + 1];
        if (character < 'A' || character > 'Z' || letter < 'a' || letter > 'z') {
            return std::nullopt;
        }
        places.push_back({PlaceOf(character, 'A'), PlaceOf(letter, 'a')});
    }
    return places;
}

std::vector<CodingRule> StandardWubiRules() {
    return {
        {2, 2, *ParseFormula("AaAbBaBb")},
        {3, 3, *ParseFormula("AaBaCaCb")},
        {4, std::numeric_limits<std::size_t>::max(), *ParseFormula("AaBaCaZa")},
    };
}

std::string ApplyCodingRules(const std::vector<CodingRule>& rules,
                             const std::vector<std::string_view>& codes) {
    const int characters = static_cast<int>(codes.size());
    for (const CodingRule& rule : rules) {
        if (codes.size() < rule.shortest || codes.size() > rule.longest) {
            continue;
        }
        std::string code;
        int lastCharacter = -1;
        int lastLetter = -1;
        for (const CodePlace& place : rule.formula) {
            const int character = place.character + (place.character < 0 ? characters : 0);
            if (character < 0 || character >= characters ||
                (place.character < 0 && character < lastCharacter)) {
                continue;
            }
            const std::string_view of = codes[static_cast<std::size_t>(character)];
            const int size = static_cast<int>(of.size());
            const int letter = place.letter + (place.letter < 0 ? size : 0);
            if (letter < 0 || letter >= size ||
                (place.letter < 0 && character == lastCharacter && letter <= lastLetter)) {
                continue;
            }
            code += of[static_cast<std::size_t>(letter)];
            lastCharacter = character;
            lastLetter = letter;
        }
        return code;
    }
    return {};
}

}  // namespace emb
