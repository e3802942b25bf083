#include "ImportedFile.h"
#include "LibraryCommands.h"
#include "Messages.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"

namespace emb {

void ImportWords(const LibraryContext& context, const LegacyTextDecoder& legacy) {
    WordTable& table = context.table;
    const std::vector<WordRecord> rows = TidyUpRows(table);

    const std::optional<std::u16string> path =
        context.prompt.AskForFile(FileDialogRequest{FileDialogKind::Open, kImportFileFilter});
    if (!path) {
        return;
    }
    std::unique_ptr<RandomAccessFile> file = context.files.OpenForReading(*path);
    if (!file) {
        context.prompt.ShowMessage(std::u16string(kImportOpenFailedMessage), MessageButtons::Ok);
        return;
    }
    std::vector<std::uint8_t> bytes = ReadImportedBytes(*file);
    file->Close();

    ImportedFile chosen = ExamineImportedFile(bytes, legacy);
    switch (chosen.kind) {
        case ImportedKind::Unknown:
            context.prompt.ShowMessage(NotImportableMessage(*path), MessageButtons::Ok);
            return;
        case ImportedKind::LargeCount:
            if (context.prompt.ShowMessage(LargeCountQuestion(*path, DecimalText(chosen.count)),
                                           MessageButtons::YesNo) != MessageAnswer::Yes) {
                return;
            }
            {
                MemoryBytes damaged(bytes);
                chosen.words = ReadAllRecords(damaged);
            }
            break;
        case ImportedKind::UserWords:
        case ImportedKind::WordList:
            break;
    }
    const std::size_t offered = chosen.words.size();
    const std::size_t added = AppendNewWords(table, rows, std::move(chosen.words));
    AppendBlankRow(table);
    if (chosen.kind == ImportedKind::WordList && !chosen.skippedLines.empty()) {
        context.prompt.ShowMessage(
            WordListSkippedMessage(DecimalText(added), DecimalText(offered - added),
                                   DecimalText(chosen.skippedLines.size()),
                                   SkippedLineNumbers(chosen.skippedLines)),
            MessageButtons::Ok);
    }
}

}  // namespace emb
