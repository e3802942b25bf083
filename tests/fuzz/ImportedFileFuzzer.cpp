// Arbitrary bytes as the file Import reads: what the file is taken for, and what each kind
// offers the table, follow the rules whatever the bytes.

#include <algorithm>

#include "FuzzCheck.h"
#include "ImportedFile.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "WordTableRules.h"
#include "support/ChineseDecoder.h"

namespace {

// Whether every unit of text lies in [low, high].
bool Within(std::u16string_view text, char16_t low, char16_t high) {
    return std::ranges::all_of(text, [=](char16_t unit) { return unit >= low && unit <= high; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const emb::testing::ChineseDecoder gbk;
    const emb::ImportedFile file = emb::ExamineImportedFile({data, size}, gbk);
    const bool fits = file.count <= emb::kSlotCount;
    std::string text;  // a word list's words, as embtool dump writes them
    for (const emb::WordRecord& word : file.words) {
        FUZZ_CHECK(file.kind == emb::ImportedKind::UserWords ? Within(word.code, 0x21, 0x7E)
                                                             : emb::IsTypableWord(word));
        text += emb::ToUtf8(word.code) + '\t' + emb::ToUtf8(word.phrase) + '\n';
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const emb::ImportedFile again = emb::ExamineImportedFile({bytes, text.size()}, gbk);
    switch (file.kind) {
        case emb::ImportedKind::UserWords:
            FUZZ_CHECK(fits && file.words.size() == file.count);
            break;
        case emb::ImportedKind::WordList:
            FUZZ_CHECK(again.kind == file.kind && again.words == file.words);
            break;
        case emb::ImportedKind::LargeCount:
        case emb::ImportedKind::Unknown:
            FUZZ_CHECK(file.words.empty() && fits == (file.kind == emb::ImportedKind::Unknown));
            break;
    }
    return 0;
}
