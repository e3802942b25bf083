// Arbitrary bytes as embtool build's word list: the words taken, saved as build saves them and
// dumped as dump writes them, are taken again as the words saved.

#include "FuzzCheck.h"
#include "MemoryWordTable.h"
#include "Utf8.h"
#include "WordListText.h"
#include "WordTableRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const emb::WordList list = emb::ParseWordList({reinterpret_cast<const char*>(data), size});
    FUZZ_CHECK(!list.error || (list.words.empty() && list.error->line > 0));
    emb::MemoryWordTable table;
    for (const emb::WordRecord& word : list.words) {
        table.InsertRow(table.RowCount(), word.code);
        table.SetCellText(table.RowCount() - 1, emb::kPhraseColumn, word.phrase);
    }
    const std::optional<std::vector<emb::WordRecord>> saved = emb::PrepareRecordsForSave(table);
    const emb::FileImage image = emb::BuildFileImage(saved.value_or(list.words));
    FUZZ_CHECK(saved ? image.Ok() : table.RowCount() > emb::kWordLimit);
    emb::MemoryBytes file(image.bytes);
    std::string dump;
    for (const emb::WordRecord& word : emb::ReadAllRecords(file)) {
        dump += emb::ToUtf8(word.code) + '\t' + emb::ToUtf8(word.phrase) + '\n';
    }
    const emb::WordList again = emb::ParseWordList(dump);
    FUZZ_CHECK(!saved || (!again.error && again.words == *saved));
    return 0;
}
