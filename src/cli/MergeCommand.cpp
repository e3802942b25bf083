#include "MergeCommand.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "EmbTool.h"
#include "FsPath.h"
#include "LibraryCommands.h"
#include "MemoryWordTable.h"
#include "StdioFile.h"
#include "StdioFileSystem.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "WordTableRules.h"

namespace embtool {
namespace {

// The program's file layer, except that it never makes a file: where loading in the program
// would create a missing library empty, a merge has nothing to merge into.
class ExistingFilesOnly final : public emb::FileSystem {
public:
    std::unique_ptr<emb::RandomAccessFile> OpenForUpdate(const std::u16string& path) override {
        return m_files.OpenForUpdate(path);
    }
    std::unique_ptr<emb::RandomAccessFile> OpenForReading(const std::u16string& path) override {
        return m_files.OpenForReading(path);
    }
    std::unique_ptr<emb::RandomAccessFile> CreateNew(const std::u16string&) override {
        return nullptr;
    }
    bool CopyReplacing(const std::u16string&, const std::u16string&) override { return false; }
    void CreateFolder(const std::u16string&) override {}

private:
    emb::StdioFileSystem m_files;
};

// Stands in for the user: picks the backup in Import's open dialog and notes whether a command
// showed a message, which for load and import means that a file could not be opened.
class BackupChooser final : public emb::UserPrompt {
public:
    explicit BackupChooser(const std::u16string& backupPath) : m_backupPath(backupPath) {}

    emb::MessageAnswer ShowMessage(const std::u16string&, emb::MessageButtons buttons) override {
        m_messageShown = true;
        return buttons == emb::MessageButtons::YesNo ? emb::MessageAnswer::No
                                                     : emb::MessageAnswer::Ok;
    }
    std::optional<std::u16string> AskForFile(const emb::FileDialogRequest&) override {
        return m_backupPath;
    }

    // Whether a message was shown since the last call.
    bool TakeMessageShown() { return std::exchange(m_messageShown, false); }

private:
    const std::u16string& m_backupPath;
    bool m_messageShown = false;
};

std::string Counted(std::size_t count, std::string_view singular, std::string_view plural) {
    return std::to_string(count) + ' ' + std::string(count == 1 ? singular : plural);
}

// BACKUP's record count, or nullopt after one line naming it. A folder opens as a stream on
// Linux and would read as an empty backup.
std::optional<std::size_t> BackupRecordCount(const std::u16string& backupPath, std::ostream& err) {
    std::error_code ignored;
    if (std::filesystem::is_directory(ToFsPath(backupPath), ignored)) {
        err << "cannot read " << DisplayPath(backupPath) << ": it is a folder\n";
        return std::nullopt;
    }
    std::unique_ptr<emb::StdioFile> file =
        emb::StdioFile::Open(backupPath, emb::StdioFile::Mode::Read);
    if (!file) {
        err << "cannot open " << DisplayPath(backupPath) << '\n';
        return std::nullopt;
    }
    const std::size_t count = emb::ReadRecordCount(*file);
    file->Close();
    return count;
}

}  // namespace

int RunMerge(const std::u16string& libraryPath, const std::u16string& backupPath, std::ostream& out,
             std::ostream& err) {
    emb::MemoryWordTable table;
    emb::LibraryPaths paths;
    paths.traditionalPath = libraryPath;
    ExistingFilesOnly files;
    BackupChooser prompt(backupPath);
    const emb::LibraryContext context{table, paths, files, prompt};

    // Loading opens the library for update, as Save will: a file that can't be written fails
    // here, before anything is read from the backup.
    emb::LoadChosenLibrary(context, emb::LibraryChoice::Traditional);
    if (prompt.TakeMessageShown()) {
        err << "cannot open " << DisplayPath(libraryPath) << " for reading and writing\n";
        return kExitFailure;
    }
    const std::optional<std::size_t> backupRecords = BackupRecordCount(backupPath, err);
    if (!backupRecords) {
        return kExitFailure;
    }

    // Import tidies the table first, then appends a row for every record it takes and a blank
    // row at the end; tidying here too changes nothing and tells where its rows start.
    emb::TidyUpRows(table);
    const int firstImportedRow = table.RowCount();
    emb::ImportWords(context);
    if (prompt.TakeMessageShown()) {
        err << "cannot open " << DisplayPath(backupPath) << '\n';
        return kExitFailure;
    }
    std::size_t wordsAdded = 0;
    std::size_t incompleteAdded = 0;
    for (int row = firstImportedRow; row < table.RowCount() - 1; ++row) {
        if (emb::IsCompleteRow(table, row)) {
            ++wordsAdded;
        } else {
            ++incompleteAdded;
        }
    }
    // Import read the count again: only a backup changed in between could give more rows.
    const std::size_t taken = wordsAdded + incompleteAdded;
    const std::size_t duplicates = *backupRecords > taken ? *backupRecords - taken : 0;

    if (!emb::PrepareRowsForSave(table)) {
        err << emb::ToUtf8(emb::kTooManyWordsMessage) << '\n';
        return kExitFailure;
    }
    emb::StdioFileSystem stdioFiles;
    if (!emb::RewriteLibraryFile(stdioFiles, libraryPath, emb::RowsAsRecords(table))) {
        err << "cannot write " << DisplayPath(libraryPath) << '\n';
        return kExitFailure;
    }
    out << "added " << Counted(wordsAdded, "word", "words") << ", skipped "
        << Counted(duplicates, "duplicate", "duplicates") << ", dropped "
        << Counted(incompleteAdded, "incomplete record", "incomplete records") << '\n';
    return kExitSuccess;
}

}  // namespace embtool
