#include <array>

#include "LibraryCommands.h"
#include "Messages.h"
#include "UserWordFormat.h"
#include "WordListExport.h"

namespace emb {
namespace {

// The extensions of the backup dialog's file types, in the order of its filter.
constexpr std::array<std::u16string_view, 3> kBackupExtensions = {u".EMB", u".txt", u".dict.yaml"};
constexpr std::size_t kCopyType = 0;
constexpr std::size_t kRimeType = 2;

// The path with the type's extension added when its name has none.
std::u16string WithExtension(const std::u16string& path, std::u16string_view extension) {
    const std::size_t nameStart = path.find_last_of(u"\\/") + 1;
    if (path.find(u'.', nameStart) != std::u16string::npos) {
        return path;
    }
    return path + std::u16string(extension);
}

// The library's records as a text file of the chosen type; false when it can't be read.
bool WriteAsText(const LibraryContext& context, const std::u16string& source,
                 const std::u16string& destination, std::size_t type, std::u16string_view today) {
    std::unique_ptr<RandomAccessFile> file = context.files.OpenForReading(source);
    if (!file) {
        return false;
    }
    const std::vector<WordRecord> words = ReadAllRecords(*file);
    file->Close();
    return context.files.WriteReplacing(
        destination, type == kRimeType
                         ? RimeDictionaryFile(words, RimeDictionaryName(destination), today)
                         : TextWordListFile(words));
}

}  // namespace

void BackupLibrary(const LibraryContext& context, LibraryChoice choice, std::u16string_view today) {
    // No default extension for the dialog to add: the chosen type's is added below.
    const std::optional<ChosenFile> chosen = context.prompt.AskForFile(
        FileDialogRequest{FileDialogKind::Save, kBackupFileFilter, u"", kOverwritePromptFlag});
    if (!chosen) {
        return;
    }
    if (choice == LibraryChoice::None) {
        context.prompt.ShowMessage(std::u16string(kNoLibraryChosenMessage), MessageButtons::Ok);
        return;
    }
    const std::size_t type = chosen->type < kBackupExtensions.size() ? chosen->type : kCopyType;
    const std::u16string destination = WithExtension(chosen->path, kBackupExtensions[type]);
    // The dialog asked about the name as typed, not about the one with the extension added.
    if (destination != chosen->path && context.files.OpenForReading(destination) &&
        context.prompt.ShowMessage(ReplaceFileQuestion(destination), MessageButtons::YesNo) !=
            MessageAnswer::Yes) {
        return;
    }
    const std::u16string& source = LibraryPathOf(context.paths, choice);
    const bool written = type == kCopyType ? context.files.CopyReplacing(source, destination)
                                           : WriteAsText(context, source, destination, type, today);
    if (!written) {
        context.prompt.ShowMessage(BackupFailedMessage(destination), MessageButtons::Ok);
    }
}

}  // namespace emb
