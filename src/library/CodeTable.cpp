#include "CodeTable.h"

#include <algorithm>

#include "Utf8.h"
#include "WordTableRules.h"

namespace emb {

CodeTable::CodeTable(RimeDictionary dictionary) : m_dictionary(std::move(dictionary)) {
    // Stable: a character's codes keep the file's order, which breaks the last tie.
    std::stable_sort(
        m_dictionary.characters.begin(), m_dictionary.characters.end(),
        [](const CharacterCode& a, const CharacterCode& b) { return a.character < b.character; });
}

const std::string* CodeTable::CodeOf(char32_t character) const {
    const auto first = std::lower_bound(
        m_dictionary.characters.begin(), m_dictionary.characters.end(), character,
        [](const CharacterCode& entry, char32_t wanted) { return entry.character < wanted; });
    const CharacterCode* best = nullptr;
    for (auto entry = first;
         entry != m_dictionary.characters.end() && entry->character == character; ++entry) {
        const bool better =
            best == nullptr || entry->code.size() > best->code.size() ||
            (entry->code.size() == best->code.size() && entry->weight > best->weight);
        const auto excludes = [&entry](const std::regex& pattern) {
            return std::regex_search(entry->code, pattern);
        };
        if (better && std::none_of(m_dictionary.excludedCodes.begin(),
                                   m_dictionary.excludedCodes.end(), excludes)) {
            best = &*entry;
        }
    }
    return best != nullptr ? &best->code : nullptr;
}

PhraseCode CodeTable::Code(std::u16string_view phrase) const {
    std::vector<std::string_view> codes;
    for (std::size_t at = 0; at < phrase.size();) {
        const bool pair =
            at + 1 < phrase.size() && IsHighSurrogate(phrase[at]) && IsLowSurrogate(phrase[at + 1]);
        const std::u16string_view text = phrase.substr(at, pair ? 2 : 1);  // one character
        const char32_t character = pair ? CodePointOf(text[0], text[1]) : text[0];
        const std::string* code = CodeOf(character);
        if (code == nullptr) {
            return {PhraseCode::Outcome::MissingCharacter, {}, std::u16string(text)};
        }
        codes.emplace_back(*code);
        at += text.size();
    }
    const std::string code =
        codes.size() == 1 ? std::string(codes[0]) : ApplyCodingRules(m_dictionary.rules, codes);
    if (code.empty()) {
        return {PhraseCode::Outcome::NoRule, {}, {}};
    }
    std::u16string units = FromUtf8(code).value_or(u"\uFFFD");
    const bool typable = IsTypableWord({units, std::u16string(phrase)});
    return {typable ? PhraseCode::Outcome::Coded : PhraseCode::Outcome::NotTypable,
            std::move(units),
            {}};
}

}  // namespace emb
