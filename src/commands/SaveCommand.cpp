#include <vector>

#include "CommandMessages.h"
#include "LibraryCommands.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"

namespace emb {

bool RewriteLibraryFile(FileSystem& files, const std::u16string& path,
                        std::span<const WordRecord> records) {
    const FileImage image = BuildFileImage(records);
    if (!image.Ok()) {
        return false;
    }
    std::unique_ptr<RandomAccessFile> file = files.OpenForUpdate(path);
    if (!file) {
        return false;
    }

    // What a failed write must put back.
    std::vector<std::uint8_t> previous(kFileSize);
    previous.resize(file->ReadAt(0, previous));

    if (!file->WriteAt(0, image.bytes)) {
        file->WriteAt(0, previous);
        file->Close();
        return false;
    }
    if (!file->Close()) {
        // The data may have reached the file in part; the handle is gone, so put it back anew.
        if (std::unique_ptr<RandomAccessFile> again = files.OpenForUpdate(path)) {
            again->WriteAt(0, previous);
            again->Close();
        }
        return false;
    }
    return true;
}

void SaveTable(const LibraryContext& context, LibraryChoice choice) {
    if (!PrepareRowsForSave(context.table)) {
        context.prompt.ShowMessage(kTooManyWordsMessage, MessageButtons::Ok);
        return;
    }
    if (choice == LibraryChoice::None) {
        return;
    }
    const std::u16string& path = LibraryPathOf(context.paths, choice);
    if (!RewriteLibraryFile(context.files, path, RowsAsRecords(context.table))) {
        context.prompt.ShowMessage(path + std::u16string(kFailedSuffix), MessageButtons::Ok);
    }
}

}  // namespace emb
