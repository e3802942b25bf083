// Arbitrary bytes as the file Import reads: what the file is taken for, and what each kind
// offers the table, must follow the rules whatever the bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "ImportedFile.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "WordTableRules.h"
#include "fakes/FakeGbkDecoder.h"

namespace {

bool IsTypable(const emb::WordRecord& word) {
    const bool code = !word.code.empty() && word.code.size() <= emb::kMaxEditedCodeUnits &&
                      std::all_of(word.code.begin(), word.code.end(), [](char16_t unit) {
                          return emb::kCodeLetters.find(unit) != std::u16string_view::npos;
                      });
    const bool phrase = !word.phrase.empty() && word.phrase.size() <= emb::kPhraseUnits &&
                        std::all_of(word.phrase.begin(), word.phrase.end(),
                                    [](char16_t unit) { return unit > 0x80; });
    return code && phrase;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const emb::testing::FakeGbkDecoder gbk;
    const emb::ImportedFile file = emb::ExamineImportedFile(bytes, gbk);
    FUZZ_CHECK(file.count == (size < 2 ? 0 : data[0] | (data[1] << 8)));
    switch (file.kind) {
        case emb::ImportedKind::UserWords:
            FUZZ_CHECK(file.count <= emb::kSlotCount && file.words.size() == file.count);
            for (const emb::WordRecord& record : file.words) {
                FUZZ_CHECK(std::all_of(record.code.begin(), record.code.end(),
                                       [](char16_t unit) { return unit > 0x20 && unit < 0x7F; }));
            }
            break;
        case emb::ImportedKind::LargeCount:
            FUZZ_CHECK(file.count > emb::kSlotCount && file.words.empty());
            break;
        case emb::ImportedKind::Unknown:
            FUZZ_CHECK(file.count <= emb::kSlotCount && file.words.empty());
            break;
        case emb::ImportedKind::WordList: {
            FUZZ_CHECK(!file.words.empty());
            FUZZ_CHECK(std::all_of(file.words.begin(), file.words.end(), IsTypable));
            FUZZ_CHECK(std::is_sorted(file.skippedLines.begin(), file.skippedLines.end()));
            // The words written as the list embtool dump writes are that list again.
            std::string text;
            for (const emb::WordRecord& word : file.words) {
                text += emb::ToUtf8(word.code) + '\t' + emb::ToUtf8(word.phrase) + '\n';
            }
            const auto* first = reinterpret_cast<const std::uint8_t*>(text.data());
            const emb::ImportedFile again =
                emb::ExamineImportedFile(std::span(first, text.size()), gbk);
            FUZZ_CHECK(again.kind == emb::ImportedKind::WordList && again.words == file.words &&
                       again.skippedLines.empty());
            break;
        }
    }
    return 0;
}
