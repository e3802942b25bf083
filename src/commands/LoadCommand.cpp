#include "CommandMessages.h"
#include "LibraryCommands.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"

namespace emb {

const std::u16string& LibraryPathOf(const LibraryPaths& paths, LibraryChoice choice) {
    return choice == LibraryChoice::Simplified ? paths.simplifiedPath : paths.traditionalPath;
}

void LoadChosenLibrary(const LibraryContext& context, LibraryChoice choice) {
    WordTable& table = context.table;
    table.DeleteAllRows();

    const std::u16string& path = LibraryPathOf(context.paths, choice);
    std::unique_ptr<RandomAccessFile> file = context.files.OpenForUpdate(path);
    if (!file) {
        // Only where nothing exists yet: a file that merely can't be opened keeps its words.
        if (std::unique_ptr<RandomAccessFile> created = context.files.CreateNew(path)) {
            CreateEmptyFile(*created);
            created->Close();
        }
        file = context.files.OpenForUpdate(path);
        if (!file) {
            context.prompt.ShowMessage(path, MessageButtons::Ok);
            context.prompt.ShowMessage(std::u16string(kOpenErrorMessage), MessageButtons::Ok);
            return;
        }
    }

    const int count = ReadRecordCount(*file);
    for (int i = 0; i < count; ++i) {
        const WordRecord record = ReadRecord(*file, static_cast<std::size_t>(i));
        table.InsertRow(i, record.code);
        table.SetCellText(i, kPhraseColumn, record.phrase);
        table.SetCellText(i, kNumberColumn, FormatRowNumber(i));
    }
    AppendBlankRow(table);
    file->Close();
}

}  // namespace emb
