#include <optional>
#include <vector>

#include "CommandMessages.h"
#include "LibraryCommands.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"

namespace emb {

namespace {

// Whether the file at path starts with exactly expected.
bool StartsWith(FileSystem& files, const std::u16string& path,
                const std::vector<std::uint8_t>& expected) {
    std::unique_ptr<RandomAccessFile> file = files.OpenForReading(path);
    if (!file) {
        return false;
    }
    std::vector<std::uint8_t> stored(expected.size());
    const bool same = file->ReadAt(0, stored) == stored.size() && stored == expected;
    return file->Close() && same;
}

// Writes the previous bytes back over a failed save and checks that they arrived.
bool PutBack(FileSystem& files, const std::u16string& path,
             const std::vector<std::uint8_t>& previous) {
    std::unique_ptr<RandomAccessFile> file = files.OpenForUpdate(path);
    if (!file) {
        return false;
    }
    const bool written = file->WriteAt(0, previous);
    return file->Close() && written && StartsWith(files, path, previous);
}

}  // namespace

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

    // What a failed save must put back.
    std::vector<std::uint8_t> previous(kFileSize);
    previous.resize(file->ReadAt(0, previous));

    const bool written = file->WriteAt(0, image.bytes);
    const bool closed = file->Close();
    // A save counts only once the file is read back as it was meant to be.
    if (written && closed && StartsWith(files, path, image.bytes)) {
        return true;
    }
    PutBack(files, path, previous);
    return false;
}

void SaveTable(const LibraryContext& context, LibraryChoice choice) {
    const std::optional<std::vector<WordRecord>> records = PrepareRecordsForSave(context.table);
    if (!records) {
        context.prompt.ShowMessage(kTooManyWordsMessage, MessageButtons::Ok);
        return;
    }
    if (choice == LibraryChoice::None) {
        return;
    }
    const std::u16string& path = LibraryPathOf(context.paths, choice);
    if (!RewriteLibraryFile(context.files, path, *records)) {
        context.prompt.ShowMessage(path + std::u16string(kFailedSuffix), MessageButtons::Ok);
    }
}

}  // namespace emb
