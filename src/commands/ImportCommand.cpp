#include <functional>
#include <unordered_set>

#include "CommandMessages.h"
#include "LibraryCommands.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"

namespace emb {
namespace {

struct RecordHash {
    std::size_t operator()(const WordRecord& record) const {
        const std::size_t code = std::hash<std::u16string>{}(record.code);
        const std::size_t phrase = std::hash<std::u16string>{}(record.phrase);
        return code ^ (phrase + 0x9E3779B9u + (code << 6) + (code >> 2));
    }
};

}  // namespace

void ImportWords(const LibraryContext& context) {
    WordTable& table = context.table;
    const std::vector<WordRecord> rows = TidyUpRows(table);

    const std::optional<std::u16string> path =
        context.prompt.AskForFile(FileDialogRequest{FileDialogKind::Open});
    if (!path) {
        return;
    }
    std::unique_ptr<RandomAccessFile> file = context.files.OpenForReading(*path);
    if (!file) {
        context.prompt.ShowMessage(std::u16string(kImportOpenFailedMessage), MessageButtons::Ok);
        return;
    }

    // Every row's words once, instead of a scan of all rows for every record.
    std::unordered_set<WordRecord, RecordHash> present(rows.begin(), rows.end());

    for (WordRecord& record : ReadAllRecords(*file)) {
        if (present.contains(record)) {
            continue;
        }
        const int row = table.RowCount();
        table.InsertRow(row, record.code);
        table.SetCellText(row, kPhraseColumn, record.phrase);
        table.SetCellText(row, kNumberColumn, FormatRowNumber(row));
        present.insert(std::move(record));
    }
    AppendBlankRow(table);
    file->Close();
}

}  // namespace emb
