// The word table's operations on an in-memory table, each beside its literal form.

#include <cstdio>
#include <optional>

#include "BenchSupport.h"
#include "LazyCodeTable.h"
#include "LibraryCommands.h"
#include "LiteralRules.h"
#include "MemoryWordTable.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/RecordingPrompt.h"
#include "support/ChineseDecoder.h"

namespace {

using emb::MemoryWordTable;
using emb::WordRecord;

MemoryWordTable TableOf(const std::vector<WordRecord>& words) {
    MemoryWordTable table;
    for (const WordRecord& word : words) {
        const int row = table.RowCount();
        table.InsertRow(row, word.code);
        table.SetCellText(row, emb::kPhraseColumn, word.phrase);
        table.SetCellText(row, emb::kNumberColumn, emb::FormatRowNumber(row));
    }
    return table;
}

// The program's Import, reading records from an in-memory file.
void Import(MemoryWordTable& table, const std::vector<WordRecord>& records) {
    emb::testing::FakeFileSystem files;
    files.files[u"backup.EMB"] = emb::BuildFileImage(records).bytes;
    emb::testing::RecordingPrompt prompt;
    prompt.fileAnswers.push_back(u"backup.EMB");
    const emb::LibraryPaths paths;
    emb::ImportWords({table, paths, files, prompt}, emb::testing::ChineseDecoder());
}

void Measure(int size, int runs) {
    char title[64];
    std::snprintf(title, sizeof title, "%d rows (median of %d runs)", size, runs);
    bench::PrintHeader(title);
    const std::vector<WordRecord> words = bench::MakeWords(size, 1);
    const std::vector<WordRecord> others = bench::MakeWords(1221, 2);
    MemoryWordTable table;
    MemoryWordTable literal;

    const auto reset = [&] { table = TableOf(words); };

    // Sort of a shuffled table.
    double fast = bench::MedianMilliseconds(
        runs, reset, [&] { emb::SortRowsByCode(table, 0, table.RowCount() - 1); });
    double slow = bench::MedianMilliseconds(
        runs, [&] { literal = TableOf(words); },
        [&] { emb::reference::SortRowsByCodeThroughCells(literal, 0, literal.RowCount() - 1); });
    bench::PrintRow("sort of a shuffled table", fast, slow, table.Rows() == literal.Rows());

    // Import of 1,221 new records, and of 1,221 that are all duplicates.
    for (const bool duplicates : {false, true}) {
        const std::vector<WordRecord> records =
            duplicates
                ? std::vector<WordRecord>(words.begin(), words.begin() + std::min(size, 1221))
                : others;
        fast = bench::MedianMilliseconds(runs, reset, [&] { Import(table, records); });
        slow = bench::MedianMilliseconds(
            runs, [&] { literal = TableOf(words); },
            [&] { emb::reference::ImportRecordsScanningRows(literal, records); });
        bench::PrintRow(duplicates ? "import of 1,221 duplicates" : "import of 1,221 new records",
                        fast, slow, table.Rows() == literal.Rows());
    }

    // Tidy-up with every other row incomplete.
    const auto halfEmpty = [&](MemoryWordTable& target) {
        target = TableOf(words);
        for (int row = 0; row < target.RowCount(); row += 2) {
            target.SetCellText(row, emb::kPhraseColumn, u"");
        }
    };
    fast = bench::MedianMilliseconds(
        runs, [&] { halfEmpty(table); }, [&] { emb::TidyUpRows(table); });
    slow = bench::MedianMilliseconds(
        runs, [&] { halfEmpty(literal); }, [&] { emb::reference::TidyUpRowsOneByOne(literal); });
    bench::PrintRow("tidy-up, every other row incomplete", fast, slow,
                    table.Rows() == literal.Rows() && table.RowCount() == size / 2);

    // Save's preparation and image; the image exists only up to the word limit.
    std::vector<std::uint8_t> image;
    fast = bench::MedianMilliseconds(runs, reset, [&] {
        emb::PrepareRowsForSave(table);
        if (table.RowCount() <= emb::kWordLimit) {
            image = emb::BuildFileImage(emb::RowsAsRecords(table)).bytes;
        }
    });
    bench::PrintRow("save (tidy-up, sort, image)", fast, 0,
                    size > emb::kWordLimit || image.size() == emb::kFileSize);
}

#ifdef WORDMAINT_CODE_TABLE_PATH
// The first code asked of the code table, which reads it, and then the codes of a full library's
// phrases.
void MeasureCoding(const char* table, int runs) {
    char title[64];
    std::snprintf(title, sizeof title, "the code table (median of %d runs)", runs);
    bench::PrintHeader(title);
    const std::u16string path = emb::FromUtf8(table).value_or(u"");
    std::optional<emb::LazyCodeTable> codes;
    std::optional<std::u16string> first;
    const double reading = bench::MedianMilliseconds(
        runs, [&] { codes.emplace(path); }, [&] { first = codes->CodeOf(u"经济观察"); });
    bench::PrintRow("first code, the table read", reading, 0, first == u"xicp");
    const std::vector<WordRecord> words = bench::MakeWords(1221, 3);
    std::size_t coded = 0;
    const double coding = bench::MedianMilliseconds(
        runs, [&] { coded = 0; },
        [&] {
            for (const WordRecord& word : words) {
                coded += codes->CodeOf(word.phrase).has_value() ? 1 : 0;
            }
        });
    bench::PrintRow("codes of 1,221 phrases", coding, 0, coded > 0);
    std::printf("(%zu of the 1,221 phrases of random characters coded)\n", coded);
}
#endif

}  // namespace

int main() {
    Measure(1221, 9);
    Measure(20000, 5);
#ifdef WORDMAINT_CODE_TABLE_PATH
    MeasureCoding(WORDMAINT_CODE_TABLE_PATH, 9);
#endif
    return 0;
}
