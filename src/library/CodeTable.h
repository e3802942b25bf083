#pragma once

// Phrases' codes worked out from a dictionary's character codes and coding rules.

#include <string>
#include <string_view>
#include <vector>

#include "RimeDictionary.h"

namespace emb {

struct PhraseCode {
    enum class Outcome {
        Coded,             // code is the phrase's code
        MissingCharacter,  // character has no code the rules may take
        NoRule,            // no rule is for a phrase of this many characters
        NotTypable,        // code is what the rules give, but no word the user could type
    };
    Outcome outcome = Outcome::Coded;
    std::u16string code;
    std::u16string character;  // one character: two units for one outside the BMP
};

class CodeTable {
public:
    explicit CodeTable(RimeDictionary dictionary);

    // A character's code is its longest; of equally long ones the heaviest (the one the input
    // method offers first), of equally heavy ones the first listed. Codes the dictionary
    // excludes from phrases never count. A phrase of one character has that code; a longer one
    // the code its rule makes. Coded only when code and phrase make a word the user could type.
    PhraseCode Code(std::u16string_view phrase) const;

private:
    // The code phrases take of a character; nullptr when it has none.
    const std::string* CodeOf(char32_t character) const;

    RimeDictionary m_dictionary;  // its characters in the order of their code points
};

}  // namespace emb
