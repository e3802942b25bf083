#include "CommandMessages.h"
#include "LibraryCommands.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"

namespace emb {

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
    AppendNewWords(table, rows, ReadAllRecords(*file));
    AppendBlankRow(table);
    file->Close();
}

}  // namespace emb
