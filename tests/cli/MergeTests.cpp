#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "CliTestSupport.h"
#include "MemoryWordTable.h"
#include "Messages.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"

namespace embtool::test {
namespace {

// Built piece by piece: g++ 12 warns falsely (-Wrestrict) on "'" + string + "'" when optimising.
std::string Quoted(const std::u16string& path) {
    std::string quoted(1, '\'');
    quoted += U8(path);
    quoted += '\'';
    return quoted;
}

using Records = std::vector<emb::WordRecord>;

// A file holding records in the order given, count and all.
Bytes FileOf(const Records& records) {
    const emb::FileImage image = emb::BuildFileImage(records);
    EXPECT_TRUE(image.Ok());
    return image.bytes;
}

// The file that the program's Save writes for a table of rows in this order.
Bytes SavedFileOf(const Records& rows) {
    emb::MemoryWordTable table;
    for (const emb::WordRecord& row : rows) {
        const int index = table.RowCount();
        table.InsertRow(index, row.code);
        table.SetCellText(index, emb::kPhraseColumn, row.phrase);
    }
    EXPECT_TRUE(emb::PrepareRowsForSave(table));
    return FileOf(emb::RowsAsRecords(table));
}

// count distinct complete words whose codes start with prefix, in descending code order.
Records ManyWords(std::u16string_view prefix, int count) {
    Records words;
    for (int i = count; i > 0; --i) {
        const std::string number = std::to_string(10000 + i);
        const std::u16string digits(number.begin(), number.end());
        words.push_back({std::u16string(prefix) + digits, u"词" + digits});
    }
    return words;
}

// The bytes of a file; nullopt for a folder or nothing at path.
std::optional<Bytes> FileBytes(const std::u16string& path) {
    if (std::filesystem::is_directory(std::filesystem::path(path))) {
        return std::nullopt;
    }
    return ReadFile(path);
}

std::string Summary(int added, int skipped, int dropped) {
    const auto counted = [](int count, const std::string& singular) {
        return std::to_string(count) + ' ' + singular + (count == 1 ? "" : "s");
    };
    return "added " + counted(added, "word") + ", skipped " + counted(skipped, "duplicate") +
           ", dropped " + counted(dropped, "incomplete record") + "\n";
}

class MergeTest : public testing::Test {
protected:
    RunResult Merge() { return RunTool({u"merge", libraryPath, backupPath}); }

    // Merges, expecting success with summary on stdout and the library holding expected.
    void ExpectMerged(const std::string& summary, const Bytes& expected) {
        const RunResult result = Merge();
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, summary);
        EXPECT_EQ(ReadFile(libraryPath), expected);
    }

    // Merges, expecting exit status 2 with one line on stderr that contains text, and every
    // file in the folder as it was.
    RunResult ExpectFailure(const std::string& text) {
        const std::vector<std::u16string> names = folder.Names();
        const std::optional<Bytes> library = FileBytes(libraryPath);
        const std::optional<Bytes> backup = FileBytes(backupPath);

        const RunResult result = Merge();

        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_TRUE(result.err.ends_with('\n')) << result.err;
        EXPECT_NE(result.err.find(text), std::string::npos) << result.err;
        EXPECT_EQ(FileBytes(libraryPath), library);
        EXPECT_EQ(FileBytes(backupPath), backup);
        EXPECT_EQ(folder.Names(), names);
        return result;
    }

    TempFolder folder;
    std::u16string libraryPath = folder.Path(u"library.emb");
    std::u16string backupPath = folder.Path(u"backup.emb");
};

TEST_F(MergeTest, AddsEveryWordThatDiffersInCodeOrPhraseAndSortsTheLibrary) {
    WriteFile(libraryPath, FileOf({{u"wq", u"你们"}, {u"khlg", u"中国"}}));
    WriteFile(backupPath, FileOf({{u"wqvb", u"你好"},
                                  {u"kh", u"中国"},    // the library's phrase, another code
                                  {u"Khlg", u"中国"},  // codes differ in one unit's value
                                  {u"aaaa", u"工"}}));

    ExpectMerged(Summary(4, 0, 0), FileOf({{u"Khlg", u"中国"},
                                           {u"aaaa", u"工"},
                                           {u"kh", u"中国"},
                                           {u"khlg", u"中国"},
                                           {u"wq", u"你们"},
                                           {u"wqvb", u"你好"}}));
}

TEST_F(MergeTest, SkipsExactDuplicatesOfTheLibraryAndWithinTheBackup) {
    WriteFile(libraryPath, FileOf({{u"wq", u"你们"}, {u"khlg", u"中国"}}));
    Bytes backup = FileOf({{u"khlg", u"中国"},  // the library's word
                           {u"wq", u"我们"},    // the library's code, another phrase
                           {u"wq", u"我们"},    // the record before it
                           {u"wq", u"你们"},
                           {u"wq", u"你们们"},
                           {u"khlg", u"中国"}});
    // Text after a field's zero unit is not read: still the library's word.
    PutUnits(backup, emb::CodeFieldOffset(5) + 10, u"zz");
    PutUnits(backup, emb::PhraseFieldOffset(5) + 6, u"人");
    WriteFile(backupPath, backup);

    // Equal codes end where Save's sort puts them, so the expected file comes from a table of
    // the library's words followed by the words added, in the order Import appends them.
    ExpectMerged(
        Summary(2, 4, 0),
        SavedFileOf({{u"wq", u"你们"}, {u"khlg", u"中国"}, {u"wq", u"我们"}, {u"wq", u"你们们"}}));
}

TEST_F(MergeTest, MergingALibraryWithItselfAddsNothingAndSortsIt) {
    const Records words = {{u"b", u"乙"}, {u"a", u"甲"}, {u"b", u"乙"}};
    WriteFile(libraryPath, FileOf(words));
    backupPath = libraryPath;
    ExpectMerged(Summary(0, 3, 0), FileOf({{u"a", u"甲"}, {u"b", u"乙"}, {u"b", u"乙"}}));
}

TEST_F(MergeTest, ReadsRecordsPastTheEndOfAShortBackupAsImportDoes) {
    WriteFile(libraryPath, FileOf({{u"bbbb", u"人民"}}));
    // A count of 6 over two records, the second cut in its phrase after two units.
    Bytes backup;
    PutCount(backup, 6);
    PutUnits(backup, emb::CodeFieldOffset(0), u"aaaa");
    PutUnits(backup, emb::PhraseFieldOffset(0), u"工");
    PutUnits(backup, emb::CodeFieldOffset(1), u"bbbb");
    PutUnits(backup, emb::PhraseFieldOffset(1), u"人民大会堂");
    backup.resize(emb::PhraseFieldOffset(1) + 4);
    WriteFile(backupPath, backup);

    // Record 1 reads as the library's word. Records 2 to 5 read empty: the first is taken as
    // a row and dropped by the tidy-up, the rest are duplicates of it.
    ExpectMerged(Summary(1, 4, 1), FileOf({{u"aaaa", u"工"}, {u"bbbb", u"人民"}}));
}

TEST_F(MergeTest, ComparesIncompleteRecordsOnlyWithTheBackupsOwn) {
    // The library's incomplete records are gone before Import compares: each different
    // incomplete record of the backup is taken, then dropped when the library is saved.
    Bytes library = FileOf({{u"", u"孤"}, {u"cc", u""}, {u"aa", u"工"}, {u"", u""}});
    // A word in the slot after the count is not one of the library's words.
    PutUnits(library, emb::CodeFieldOffset(4), u"gone");
    PutUnits(library, emb::PhraseFieldOffset(4), u"旧词");
    WriteFile(libraryPath, library);
    WriteFile(backupPath, FileOf({{u"", u"孤"},
                                  {u"cc", u""},
                                  {u"", u""},
                                  {u"", u"孤"},
                                  {u"gone", u"旧词"},
                                  {u"aa", u"工"}}));

    ExpectMerged(Summary(1, 2, 3), FileOf({{u"aa", u"工"}, {u"gone", u"旧词"}}));
}

TEST_F(MergeTest, RewritesTheFirst127090BytesInPlaceAndKeepsTheRest) {
    // A longer library: stale bytes in its free slots are zeroed, its tail stays.
    Bytes library = FileOf({{u"zz", u"末"}});
    library[emb::kFileSize - 1] = 0x55;
    const Bytes tail(1000, 0xAB);
    library.insert(library.end(), tail.begin(), tail.end());
    WriteFile(libraryPath, library);
    WriteFile(backupPath, FileOf({{u"aa", u"工"}}));

    Bytes expected = FileOf({{u"aa", u"工"}, {u"zz", u"末"}});
    expected.insert(expected.end(), tail.begin(), tail.end());
    ExpectMerged(Summary(1, 0, 0), expected);

    // A shorter library grows to the full size.
    Bytes shortLibrary;
    PutCount(shortLibrary, 1);
    PutUnits(shortLibrary, emb::CodeFieldOffset(0), u"mm");
    PutUnits(shortLibrary, emb::PhraseFieldOffset(0), u"中");
    WriteFile(libraryPath, shortLibrary);
    ExpectMerged(Summary(1, 0, 0), FileOf({{u"aa", u"工"}, {u"mm", u"中"}}));
}

TEST_F(MergeTest, AcceptsFileNamesInChinese) {
    libraryPath = folder.Path(u"简体自造词库.emb");
    backupPath = folder.Path(u"备份 2024.emb");
    WriteFile(libraryPath, FileOf({{u"wqvb", u"你好"}}));
    WriteFile(backupPath, FileOf({{u"wqvb", u"你好"}, {u"khlg", u"中国"}}));
    ExpectMerged(Summary(1, 1, 0), FileOf({{u"khlg", u"中国"}, {u"wqvb", u"你好"}}));
}

TEST_F(MergeTest, CountsTheWordLimitAfterDuplicatesAndIncompleteRecords) {
    const Records library = ManyWords(u"a", 1000);
    WriteFile(libraryPath, FileOf(library));
    Records backup = ManyWords(u"b", emb::kWordLimit - 1000);
    backup.push_back(library.front());
    backup.push_back({u"", u"空"});
    WriteFile(backupPath, FileOf(backup));

    Records all = library;
    all.insert(all.end(), backup.begin(), backup.end() - 2);
    std::sort(all.begin(), all.end(),
              [](const emb::WordRecord& a, const emb::WordRecord& b) { return a.code < b.code; });
    ExpectMerged(Summary(emb::kWordLimit - 1000, 1, 1), FileOf(all));
}

TEST_F(MergeTest, RefusesMoreThanTheWordLimitLeavingTheLibraryUnchanged) {
    Bytes library = FileOf(ManyWords(u"a", 1000));
    library.push_back(0x7F);  // a tail, to see that no byte at all is written
    WriteFile(libraryPath, library);
    WriteFile(backupPath, FileOf(ManyWords(u"b", emb::kWordLimit - 1000 + 1)));

    EXPECT_EQ(ExpectFailure(U8(emb::kTooManyWordsMessage)).err,
              U8(emb::kTooManyWordsMessage) + "\n");
}

TEST_F(MergeTest, MergesAWordListAndRefusesWhatIsNeitherAWordListNorABackup) {
    WriteFile(libraryPath, FileOf({{u"wq", u"你们"}}));
    WriteFile(backupPath, U8(u"khlg\t中国\n你们 WQ\nzzzz\t某\n\nab\tabc\n"));
    ExpectMerged(
        "added 1 word, skipped 1 duplicate, skipped 2 lines that are not words (lines 3, "
        "5)\n",
        FileOf({{u"khlg", u"中国"}, {u"wq", u"你们"}}));

    // GBK: the program reads it through Windows, embtool has no table of it.
    WriteFile(backupPath, std::string_view("khlg\t\xD6\xD0\xB9\xFA\n"));
    ExpectFailure(Quoted(backupPath) +
                  " is neither a user-word file (its record count 26731 is above 1222) nor a "
                  "word list in UTF-8 or UTF-16: not merged");
    WriteFile(backupPath, Bytes{0x03, 0x00, 0x41, 0x00, 0x01, 0x4E});
    ExpectFailure(Quoted(backupPath) +
                  " is neither a user-word file nor a word list in UTF-8 or UTF-16: not merged");
}

TEST_F(MergeTest, FailsWithOneLineNamingAFileThatCannotBeUsed) {
    // No library: nothing is created in its place.
    WriteFile(backupPath, FileOf({{u"aa", u"工"}}));
    EXPECT_EQ(ExpectFailure("").err,
              "cannot open '" + U8(libraryPath) + "' for reading and writing\n");
    EXPECT_FALSE(ReadFile(libraryPath));

    WriteFile(libraryPath, FileOf({{u"bb", u"人"}}));
    backupPath = folder.Path(u"缺少.emb");
    EXPECT_EQ(ExpectFailure("").err, "cannot open '" + U8(backupPath) + "'\n");

    backupPath = folder.Path(u"folder");
    std::filesystem::create_directory(std::filesystem::path(backupPath));
    ExpectFailure(Quoted(backupPath));

    backupPath = folder.Path(u"backup.emb");
    libraryPath = folder.Path(u"folder");
    ExpectFailure(Quoted(libraryPath));
}

TEST_F(MergeTest, RefusesALibraryThatCannotBeWritten) {
    WriteFile(libraryPath, FileOf({{u"bb", u"人"}}));
    WriteFile(backupPath, FileOf({{u"aa", u"工"}}));
    const std::filesystem::path library(libraryPath);
    const auto writeBits = std::filesystem::perms::owner_write |
                           std::filesystem::perms::group_write |
                           std::filesystem::perms::others_write;
    std::filesystem::permissions(library, writeBits, std::filesystem::perm_options::remove);
    const bool writable =
        static_cast<bool>(std::ofstream(library, std::ios::binary | std::ios::app));
    if (!writable) {
        ExpectFailure(Quoted(libraryPath));
    }
    // Windows deletes no read-only file: the folder could not be removed.
    std::filesystem::permissions(library, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    if (writable) {
        GTEST_SKIP() << "a read-only file can be written with these rights";
    }
}

}  // namespace
}  // namespace embtool::test
