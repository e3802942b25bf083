#include <vector>

#include "LibraryCommands.h"
#include "Messages.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"

namespace emb {

const std::u16string& LibraryPathOf(const LibraryPaths& paths, LibraryChoice choice) {
    return choice == LibraryChoice::Simplified ? paths.simplifiedPath : paths.traditionalPath;
}

SavedWords LoadChosenLibrary(const LibraryContext& context, LibraryChoice choice) {
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
            return SavedWords();
        }
    }

    const std::vector<WordRecord> records = ReadAllRecords(*file);
    for (std::size_t k = 0; k < records.size(); ++k) {
        const int row = static_cast<int>(k);
        table.InsertRow(row, records[k].code);
        table.SetCellText(row, kPhraseColumn, records[k].phrase);
        table.SetCellText(row, kNumberColumn, FormatRowNumber(row));
    }
    AppendBlankRow(table);
    file->Close();
    return SavedWords(records);
}

}  // namespace emb
