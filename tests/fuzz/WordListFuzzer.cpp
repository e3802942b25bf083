// Arbitrary bytes as embtool build's word list: the parser, then the save and the dump
// that build and dump do, which must give back the words.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ByteStore.h"
#include "FuzzCheck.h"
#include "MemoryWordTable.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "WordListText.h"
#include "WordTableRules.h"

namespace {

bool IsClean(std::u16string_view text) {
    for (const char16_t unit : text) {
        if (unit < 0x20) {
            return false;
        }
    }
    return true;
}

std::string DumpText(const std::vector<emb::WordRecord>& records) {
    std::string text;
    for (const emb::WordRecord& record : records) {
        text += emb::ToUtf8(record.code) + '\t' + emb::ToUtf8(record.phrase) + '\n';
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const emb::WordList list = emb::ParseWordList(text);
    const std::size_t lines =
        static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (list.error) {
        FUZZ_CHECK(list.words.empty());
        FUZZ_CHECK(list.error->line >= 1 && list.error->line <= lines);
        FUZZ_CHECK(!emb::DescribeLineProblem(list.error->problem).empty());
        return 0;
    }
    FUZZ_CHECK(list.words.size() <= lines);
    for (const emb::WordRecord& word : list.words) {
        FUZZ_CHECK(word.code.size() <= emb::kCodeUnits);
        FUZZ_CHECK(word.phrase.size() <= emb::kPhraseUnits);
        FUZZ_CHECK(IsClean(word.code) && IsClean(word.phrase));
    }
    // Written out as lines again, the words parse to themselves.
    const emb::WordList again = emb::ParseWordList(DumpText(list.words));
    FUZZ_CHECK(!again.error && again.words == list.words);

    emb::MemoryWordTable table;
    for (const emb::WordRecord& word : list.words) {
        const int row = table.RowCount();
        table.InsertRow(row, word.code);
        table.SetCellText(row, emb::kPhraseColumn, word.phrase);
    }
    if (!emb::PrepareRowsForSave(table)) {
        FUZZ_CHECK(table.RowCount() > emb::kWordLimit);
        return 0;
    }
    const std::vector<emb::WordRecord> saved = emb::RowsAsRecords(table);
    for (std::size_t i = 1; i < saved.size(); ++i) {
        FUZZ_CHECK(saved[i - 1].code <= saved[i].code);
    }
    // Every word the parser accepts fits the file; a dump of the file parses to the saved words.
    const emb::FileImage image = emb::BuildFileImage(saved);
    FUZZ_CHECK(image.Ok());
    emb::MemoryBytes file(image.bytes);
    const std::vector<emb::WordRecord> read = emb::ReadAllRecords(file);
    FUZZ_CHECK(read == saved);
    const emb::WordList dumped = emb::ParseWordList(DumpText(read));
    FUZZ_CHECK(!dumped.error && dumped.words == saved);
    return 0;
}
