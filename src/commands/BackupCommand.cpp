#include "LibraryCommands.h"
#include "Messages.h"

namespace emb {

void BackupLibrary(const LibraryContext& context, LibraryChoice choice) {
    const std::optional<std::u16string> destination =
        context.prompt.AskForFile(FileDialogRequest{FileDialogKind::Save});
    if (!destination) {
        return;
    }
    if (choice == LibraryChoice::None) {
        context.prompt.ShowMessage(std::u16string(kNoLibraryChosenMessage), MessageButtons::Ok);
        return;
    }
    const std::u16string& source = LibraryPathOf(context.paths, choice);
    if (!context.files.CopyReplacing(source, *destination)) {
        context.prompt.ShowMessage(BackupFailedMessage(*destination), MessageButtons::Ok);
    }
}

}  // namespace emb
