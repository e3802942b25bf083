#include <optional>
#include <vector>

#include "LibraryCommands.h"
#include "Messages.h"
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

// Writes the previous bytes back over a failed save and checks that they arrived: what reads
// back is what the file holds, whatever the close said.
bool PutBack(FileSystem& files, const std::u16string& path,
             const std::vector<std::uint8_t>& previous) {
    std::unique_ptr<RandomAccessFile> file = files.OpenForUpdate(path);
    if (!file) {
        return false;
    }
    const bool written = file->WriteAt(0, previous);
    file->Close();
    return written && StartsWith(files, path, previous);
}

// The folder of the file at path and the folder above it, one level each, as start-up makes
// them.
void CreateFoldersOf(FileSystem& files, const std::u16string& path) {
    const std::size_t end = path.rfind(u'\\');
    if (end == std::u16string::npos || end == 0) {
        return;
    }
    const std::u16string folder = path.substr(0, end);
    if (const std::size_t above = folder.rfind(u'\\'); above != std::u16string::npos) {
        files.CreateFolder(folder.substr(0, above + 1));
    }
    files.CreateFolder(folder);
}

// The records of the file at path as it is now. A file that has gone since the load is made
// anew as an empty library, as loading makes it, so the table can still be saved. Nothing when
// a file is there that can't be opened for update.
std::optional<std::vector<WordRecord>> CurrentRecords(FileSystem& files,
                                                      const std::u16string& path) {
    if (std::unique_ptr<RandomAccessFile> file = files.OpenForUpdate(path)) {
        std::vector<WordRecord> records = ReadAllRecords(*file);
        file->Close();
        return records;
    }
    CreateFoldersOf(files, path);
    std::unique_ptr<RandomAccessFile> created = files.CreateNew(path);
    if (!created) {
        return std::nullopt;
    }
    CreateEmptyFile(*created);
    created->Close();
    return std::vector<WordRecord>();
}

}  // namespace

RewriteResult RewriteLibraryFile(FileSystem& files, const std::u16string& path,
                                 std::span<const WordRecord> records) {
    const FileImage image = BuildFileImage(records);
    if (!image.Ok()) {
        return {};
    }
    std::unique_ptr<RandomAccessFile> file = files.OpenForUpdate(path);
    if (!file) {
        return {};
    }

    // What a failed save must put back.
    std::vector<std::uint8_t> previous(kFileSize);
    previous.resize(file->ReadAt(0, previous));

    const bool written = file->WriteAt(0, image.bytes);
    const bool closed = file->Close();
    // A save counts only once the file is read back as it was meant to be.
    if (written && closed && StartsWith(files, path, image.bytes)) {
        return {true, true};
    }
    return {false, PutBack(files, path, previous)};
}

bool SaveTable(const LibraryContext& context, LibraryChoice choice, SavedWords& saved) {
    WordTable& table = context.table;
    std::optional<std::vector<WordRecord>> records = PrepareRecordsForSave(table);
    if (!records) {
        context.prompt.ShowMessage(std::u16string(kTooManyWordsMessage), MessageButtons::Ok);
        return false;
    }
    if (choice == LibraryChoice::None) {
        context.prompt.ShowMessage(std::u16string(kNoLibraryChosenMessage), MessageButtons::Ok);
        return false;
    }
    const std::u16string& path = LibraryPathOf(context.paths, choice);
    std::optional<std::vector<WordRecord>> current = CurrentRecords(context.files, path);
    // The input method adds the words its user makes to the same file: they are not thrown
    // away without asking. Words it removed are not brought back: the table wins.
    SavedWords seen = saved;  // the file's words the user knows of
    while (current) {
        const std::vector<WordRecord> added = NewWords(*records, seen.AddedIn(*current));
        if (added.empty()) {
            break;
        }
        const MessageAnswer answer = context.prompt.ShowMessage(
            AddedWordsQuestion(DecimalText(added.size())), MessageButtons::YesNoCancel);
        if (answer == MessageAnswer::Cancel) {
            return false;
        }
        if (answer == MessageAnswer::Yes) {
            AppendNewWords(table, *records, added);
            records = PrepareRecordsForSave(table);
            if (!records) {
                context.prompt.ShowMessage(std::u16string(kTooManyWordsMessage),
                                           MessageButtons::Ok);
                return false;
            }
        }
        // Words written while the question was open are asked about in turn: nothing the user
        // has not seen is written over.
        seen = SavedWords(*current);
        std::optional<std::vector<WordRecord>> again = CurrentRecords(context.files, path);
        if (again == current) {
            break;
        }
        current = std::move(again);
    }
    if (!current) {
        context.prompt.ShowMessage(SaveFailedMessage(path, true), MessageButtons::Ok);
        return false;
    }

    const RewriteResult result = RewriteLibraryFile(context.files, path, *records);
    if (!result) {
        context.prompt.ShowMessage(SaveFailedMessage(path, result.restored), MessageButtons::Ok);
        return false;
    }
    saved = SavedWords(*records);
    return true;
}

}  // namespace emb
