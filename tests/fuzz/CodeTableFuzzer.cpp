// Arbitrary bytes as the code table beside the program, which a user may replace: read without
// harm, and a phrase coded only as a word the user could type.

#include <string>

#include "CodeTable.h"
#include "FuzzCheck.h"
#include "WordTableRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    emb::DictionaryRead read = emb::ReadRimeDictionary({reinterpret_cast<const char*>(data), size});
    FUZZ_CHECK(read.dictionary.has_value() == read.problem.empty());
    if (!read.dictionary) {
        return 0;
    }
    const emb::CodeTable table(std::move(*read.dictionary));
    for (const std::u16string phrase :
         {u"一", u"一二", u"一二三", u"一二三四五", u"\U00020000一"}) {
        const emb::PhraseCode code = table.Code(phrase);
        FUZZ_CHECK(code.outcome != emb::PhraseCode::Outcome::Coded ||
                   emb::IsTypableWord({code.code, phrase}));
        FUZZ_CHECK(code.outcome != emb::PhraseCode::Outcome::MissingCharacter ||
                   phrase.find(code.character) != std::u16string::npos);
    }
    return 0;
}
