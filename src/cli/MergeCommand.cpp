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
#include "ImportedFile.h"
#include "LibraryCommands.h"
#include "MemoryWordTable.h"
#include "Messages.h"
#include "StdioFile.h"
#include "StdioFileSystem.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "WordListText.h"
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
// showed a message, which for load means that the file could not be opened. Import's question
// is answered No: a backup that would raise it is refused before Import runs.
class BackupChooser final : public emb::UserPrompt {
public:
    explicit BackupChooser(const std::u16string& backupPath) : m_backupPath(backupPath) {}

    emb::MessageAnswer ShowMessage(const std::u16string& text,
                                   emb::MessageButtons buttons) override {
        m_messageShown = true;
        m_openFailed = m_openFailed || text == emb::kImportOpenFailedMessage;
        return buttons == emb::MessageButtons::YesNo ? emb::MessageAnswer::No
                                                     : emb::MessageAnswer::Ok;
    }
    std::optional<std::u16string> AskForFile(const emb::FileDialogRequest&) override {
        return m_backupPath;
    }

    // Whether a message was shown since the last call.
    bool TakeMessageShown() { return std::exchange(m_messageShown, false); }
    // Whether Import could not open the file it was given.
    bool ImportOpenFailed() const { return m_openFailed; }

private:
    const std::u16string& m_backupPath;
    bool m_messageShown = false;
    bool m_openFailed = false;
};

// embtool has no table of the legacy code page: it reads word lists in UTF-8 and UTF-16.
class NoLegacyCodePage final : public emb::LegacyTextDecoder {
public:
    std::optional<std::u16string> Decode(std::span<const std::uint8_t>) const override {
        return std::nullopt;
    }
};

std::string Counted(std::size_t count, std::string_view singular, std::string_view plural) {
    return std::to_string(count) + ' ' + std::string(count == 1 ? singular : plural);
}

// What BACKUP is, as Import decides it, or nullopt after one line naming it. A folder opens as
// a stream on Linux and would read as an empty backup.
std::optional<emb::ImportedFile> ExamineBackup(const std::u16string& backupPath,
                                               const emb::LegacyTextDecoder& legacy,
                                               std::ostream& err) {
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
    const std::vector<std::uint8_t> bytes = emb::ReadImportedBytes(*file);
    file->Close();
    emb::ImportedFile backup = emb::ExamineImportedFile(bytes, legacy);
    if (backup.kind == emb::ImportedKind::UserWords || backup.kind == emb::ImportedKind::WordList) {
        return backup;
    }
    // The program asks whether to read a file with a large count as a damaged backup; without a
    // person to ask, nothing is merged.
    err << DisplayPath(backupPath) << " is neither a user-word file";
    if (backup.kind == emb::ImportedKind::LargeCount) {
        err << " (its record count " << backup.count << " is above " << emb::kSlotCount << ')';
    }
    err << " nor a word list in UTF-8 or UTF-16: not merged\n";
    return std::nullopt;
}

// " (lines 3, 7, 12, 15, 20, ...)": the first few skipped lines.
std::string NamedLines(const std::vector<std::size_t>& lines) {
    if (lines.empty()) {
        return "";
    }
    std::string text = lines.size() == 1 ? " (line " : " (lines ";
    for (std::size_t i = 0; i < lines.size() && i < emb::kNamedSkippedLines; ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    }
    return text + (lines.size() > emb::kNamedSkippedLines ? ", ...)" : ")");
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
    const NoLegacyCodePage legacy;
    const std::optional<emb::ImportedFile> backup = ExamineBackup(backupPath, legacy, err);
    if (!backup) {
        return kExitFailure;
    }

    // Import tidies the table first, then appends a row for every record it takes and a blank
    // row at the end; tidying here too changes nothing and tells where its rows start.
    emb::TidyUpRows(table);
    const int firstImportedRow = table.RowCount();
    emb::ImportWords(context, legacy);
    if (prompt.ImportOpenFailed()) {
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
    // Import read the file again: only a backup changed in between could give more rows.
    const std::size_t taken = wordsAdded + incompleteAdded;
    const std::size_t offered = backup->words.size();
    const std::size_t duplicates = offered > taken ? offered - taken : 0;

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
        << Counted(duplicates, "duplicate", "duplicates");
    if (backup->kind == emb::ImportedKind::WordList) {
        out << ", skipped "
            << Counted(backup->skippedLines.size(), "line that is not a word",
                       "lines that are not words")
            << NamedLines(backup->skippedLines) << '\n';
    } else {
        out << ", dropped " << Counted(incompleteAdded, "incomplete record", "incomplete records")
            << '\n';
    }
    return kExitSuccess;
}

}  // namespace embtool
