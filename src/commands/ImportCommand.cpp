#include "ImportedFile.h"
#include "LibraryCommands.h"
#include "Messages.h"
#include "UserWordFormat.h"
#include "WordListText.h"
#include "WordTableRules.h"

namespace emb {
namespace {

// After the rows kept by the tidy-up: the words that are not there yet, then the blank row; and
// which lines of a word list were skipped or held deleted words.
void AddWords(const LibraryContext& context, const std::vector<WordRecord>& rows,
              std::vector<WordRecord> words, const std::vector<std::size_t>& skippedLines,
              std::size_t deletedWords) {
    const std::size_t offered = words.size();
    const std::size_t added = AppendNewWords(context.table, rows, std::move(words));
    AppendBlankRow(context.table);
    if (!skippedLines.empty() || deletedWords != 0) {
        context.prompt.ShowMessage(
            WordListImportedMessage(added, offered - added, deletedWords, skippedLines),
            MessageButtons::Ok);
    }
}

}  // namespace

void ImportWords(const LibraryContext& context, const LegacyTextDecoder& legacy) {
    WordTable& table = context.table;
    const std::vector<WordRecord> rows = TidyUpRows(table);

    const std::optional<ChosenFile> chosenFile =
        context.prompt.AskForFile(FileDialogRequest{FileDialogKind::Open, kImportFileFilter});
    if (!chosenFile) {
        return;
    }
    const std::u16string& path = chosenFile->path;
    std::unique_ptr<RandomAccessFile> file = context.files.OpenForReading(path);
    if (!file) {
        context.prompt.ShowMessage(std::u16string(kImportOpenFailedMessage), MessageButtons::Ok);
        return;
    }
    std::vector<std::uint8_t> bytes = ReadImportedBytes(*file);
    file->Close();

    ImportedFile chosen = ExamineImportedFile(bytes, legacy);
    switch (chosen.kind) {
        case ImportedKind::Unknown:
            context.prompt.ShowMessage(NotImportableMessage(path), MessageButtons::Ok);
            return;
        case ImportedKind::LargeCount:
            if (context.prompt.ShowMessage(LargeCountQuestion(path, DecimalText(chosen.count)),
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
    AddWords(context, rows, std::move(chosen.words), chosen.skippedLines, chosen.deletedWords);
}

void PasteWords(const LibraryContext& context, std::u16string_view text) {
    LenientWordList list = ReadWordListLeniently(text);
    if (list.words.empty() && list.deletedWords == 0) {
        context.prompt.ShowMessage(std::u16string(kNoWordsToPasteMessage), MessageButtons::Ok);
        return;
    }
    AddWords(context, TidyUpRows(context.table), std::move(list.words), list.skippedLines,
             list.deletedWords);
}

}  // namespace emb
