#include "ImportedFile.h"
#include "LibraryCommands.h"
#include "Messages.h"
#include "UserWordFormat.h"
#include "WordListText.h"
#include "WordTableRules.h"

namespace emb {
namespace {

// After the rows kept by the tidy-up: the words that are not there yet, then the blank row; and
// which lines of a word list were skipped, held deleted words or phrases that were coded.
void AddWords(const LibraryContext& context, const std::vector<WordRecord>& rows,
              std::vector<WordRecord> words, const ImportedFile& list) {
    const std::size_t offered = words.size();
    const std::size_t added = AppendNewWords(context.table, rows, std::move(words));
    AppendBlankRow(context.table);
    if (!list.skippedLines.empty() || list.deletedWords != 0 || list.codedWords != 0) {
        context.prompt.ShowMessage(WordListImportedMessage(added, offered - added, list.codedWords,
                                                           list.deletedWords, list.skippedLines),
                                   MessageButtons::Ok);
    }
}

}  // namespace

void ImportWords(const LibraryContext& context, const LegacyTextDecoder& legacy,
                 PhraseCoder* coder) {
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

    ImportedFile chosen = ExamineImportedFile(bytes, legacy, coder);
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
    std::vector<WordRecord> words = std::move(chosen.words);
    AddWords(context, rows, std::move(words), chosen);
}

void PasteWords(const LibraryContext& context, std::u16string_view text, PhraseCoder* coder) {
    LenientWordList list = ReadWordListLeniently(text, coder);
    if (list.words.empty() && list.deletedWords == 0) {
        context.prompt.ShowMessage(std::u16string(kNoWordsToPasteMessage), MessageButtons::Ok);
        return;
    }
    AddWords(context, TidyUpRows(context.table), std::move(list.words),
             ImportedFile{ImportedKind::WordList,
                          0,
                          {},
                          std::move(list.skippedLines),
                          list.deletedWords,
                          list.codedWords});
}

}  // namespace emb
