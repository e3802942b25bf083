#include "MergeCommand.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>

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
#include "WordListDecoding.h"
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
    bool WriteReplacing(const std::u16string&, std::span<const std::uint8_t>) override {
        return false;
    }
    void CreateFolder(const std::u16string&) override {}

private:
    emb::StdioFileSystem m_files;
};

// Stands in for the user at the library's load, which shows a message only when the file could
// not be opened.
class LoadWatcher final : public emb::UserPrompt {
public:
    emb::MessageAnswer ShowMessage(const std::u16string&, emb::MessageButtons) override {
        m_messageShown = true;
        return emb::MessageAnswer::Ok;
    }
    std::optional<emb::ChosenFile> AskForFile(const emb::FileDialogRequest&) override {
        return std::nullopt;
    }

    bool MessageShown() const { return m_messageShown; }

private:
    bool m_messageShown = false;
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
                                               emb::PhraseCoder& codes, std::ostream& err) {
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
    emb::ImportedFile backup = emb::ExamineImportedFile(bytes, legacy, &codes);
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

int RunMerge(const std::u16string& libraryPath, const std::u16string& backupPath,
             emb::PhraseCoder& codes, std::ostream& out, std::ostream& err) {
    emb::MemoryWordTable table;
    emb::LibraryPaths paths;
    paths.traditionalPath = libraryPath;
    ExistingFilesOnly files;
    LoadWatcher prompt;

    // Loading opens the library for update, as Save will: a file that can't be written fails
    // here, before anything is read from the backup.
    emb::LoadChosenLibrary({table, paths, files, prompt}, emb::LibraryChoice::Traditional);
    if (prompt.MessageShown()) {
        err << "cannot open " << DisplayPath(libraryPath) << " for reading and writing\n";
        return kExitFailure;
    }
    // The words merged are those of the bytes examined: the backup is read once.
    const NoLegacyCodePage legacy;
    const std::optional<emb::ImportedFile> backup = ExamineBackup(backupPath, legacy, codes, err);
    if (!backup) {
        return kExitFailure;
    }

    // As Import adds them: after the tidied table's words, without duplicates.
    const std::vector<emb::WordRecord> rows = emb::TidyUpRows(table);
    const int firstImportedRow = table.RowCount();
    const std::size_t taken = emb::AppendNewWords(table, rows, backup->words);
    std::size_t wordsAdded = 0;
    for (int row = firstImportedRow; row < table.RowCount(); ++row) {
        wordsAdded += emb::IsCompleteRow(table, row) ? 1 : 0;
    }
    const std::size_t incompleteAdded = taken - wordsAdded;
    const std::size_t duplicates = backup->words.size() - taken;

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
        if (backup->codedWords != 0) {
            out << ", coded " << Counted(backup->codedWords, "phrase alone", "phrases alone");
        }
        if (backup->deletedWords != 0) {
            out << ", passed over "
                << Counted(backup->deletedWords, "word marked deleted", "words marked deleted");
        }
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
