#include <gtest/gtest.h>

#include <random>

#include "CommandMessages.h"
#include "LibraryCommands.h"
#include "LiteralRules.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/RecordingPrompt.h"
#include "support/TableText.h"

namespace emb {
namespace {

using testing::FakeFileSystem;
using testing::RecordingPrompt;
using testing::RowsOf;
using testing::RowText;
using testing::TableOf;
using Shown = RecordingPrompt::Shown;

const LibraryPaths kPaths{u"C:\\i\\EDNQB", u"C:\\i\\EDNQB\\EDNQB.EMB", u"C:\\i\\EDNQA",
                          u"C:\\i\\EDNQA\\EDNQA.EMB"};
const std::u16string kBackup = u"E:\\备份\\words.EMB";

class ImportCommandTest : public ::testing::Test {
protected:
    void Import() { ImportWords({table, kPaths, files, prompt}); }
    void ImportFile(const std::vector<WordRecord>& records) {
        files.files[kBackup] = BuildFileImage(records).bytes;
        prompt.fileAnswers.push_back(kBackup);
        Import();
    }

    MemoryWordTable table;
    FakeFileSystem files;
    RecordingPrompt prompt;
};

TEST_F(ImportCommandTest, AsksForAUserWordFileToOpen) {
    Import();
    ASSERT_EQ(prompt.dialogs.size(), 1u);
    const FileDialogRequest& request = prompt.dialogs[0];
    EXPECT_EQ(request.kind, FileDialogKind::Open);
    EXPECT_EQ(request.filter, u"save files (*.EMB)|*.EMB||");
    EXPECT_EQ(request.defaultExtension, u"EMB");
    EXPECT_EQ(request.flags, 2u);
}

TEST_F(ImportCommandTest, ACancelledImportHasStillTidiedTheTable) {
    table = TableOf({{u"a", u"一", u"0000"},
                     {u"", u"二", u"0001"},
                     {u"c", u"三", u"0002"},
                     {u"", u"", u"0003"}});
    Import();
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{{u"a", u"一", u"0000"}, {u"c", u"三", u"0001"}}));
    EXPECT_EQ(prompt.shown, (std::vector<Shown>{{u"<open dialog>"}}));
}

TEST_F(ImportCommandTest, AFileThatCantBeReadIsReported) {
    table = TableOf({{u"a", u"一", u"0000"}, {u"", u"", u"0001"}});
    files.files[kBackup] = EmptyFileImage();
    files.locked.insert(kBackup);
    prompt.fileAnswers.push_back(kBackup);
    Import();
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"<open dialog>"}, {u"打开文件失败", MessageButtons::Ok}}));
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"a", u"一", u"0000"}}));

    prompt.shown.clear();
    prompt.fileAnswers.push_back(u"E:\\missing.EMB");
    Import();
    EXPECT_EQ(prompt.shown.back(), (Shown{u"打开文件失败", MessageButtons::Ok}));
}

TEST_F(ImportCommandTest, AReadOnlyBackupImportsAndIsNeverWritten) {
    files.readOnly.insert(kBackup);
    ImportFile({{u"a", u"一"}});
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"a", u"一", u"0000"}, {u"", u"", u"0001"}}));
    EXPECT_EQ(prompt.shown.size(), 1u);
    for (const std::string& entry : files.log) {
        EXPECT_EQ(entry.find("write"), std::string::npos) << entry;
    }
    EXPECT_EQ(files.OpenFiles(), 0);
}

TEST_F(ImportCommandTest, OnlyExactDuplicatesAreSkipped) {
    table = TableOf({{u"a", u"一", u"0000"}, {u"b", u"二", u"0001"}, {u"", u"", u"0002"}});
    ImportFile({{u"a", u"一"},    // already there
                {u"x", u"一"},    // same phrase, other code
                {u"b", u"三"},    // same code, other phrase
                {u"A", u"一"},    // codes compare case-sensitively
                {u"x", u"一"}});  // a duplicate of a row added by this import
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"a", u"一", u"0000"},
                                                   {u"b", u"二", u"0001"},
                                                   {u"x", u"一", u"0002"},
                                                   {u"b", u"三", u"0003"},
                                                   {u"A", u"一", u"0004"},
                                                   {u"", u"", u"0005"}}));
}

TEST_F(ImportCommandTest, ImportingTheLibrarysOwnBackupAddsNothing) {
    const std::vector<WordRecord> words = {{u"a", u"一"}, {u"b", u"二"}};
    files.files[kPaths.traditionalPath] = BuildFileImage(words).bytes;
    LoadChosenLibrary({table, kPaths, files, prompt}, LibraryChoice::Traditional);
    ImportFile(words);
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{
                  {u"a", u"一", u"0000"}, {u"b", u"二", u"0001"}, {u"", u"", u"0002"}}));
}

TEST_F(ImportCommandTest, AnEmptyFileAddsOnlyTheBlankRowAndAClearedTableNumbersFromZero) {
    ImportFile({});
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"", u"", u"0000"}}));

    table.DeleteAllRows();
    ImportFile({{u"q", u"七"}});
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"q", u"七", u"0000"}, {u"", u"", u"0001"}}));
}

TEST_F(ImportCommandTest, RecordsPastTheEndOfTheFileAddOneEmptyRow) {
    auto bytes = BuildFileImage(std::vector<WordRecord>{{u"a", u"一"}}).bytes;
    bytes[0] = 4;
    bytes.resize(CodeFieldOffset(1));
    files.files[kBackup] = bytes;
    prompt.fileAnswers.push_back(kBackup);
    Import();
    EXPECT_EQ(
        RowsOf(table),
        (std::vector<RowText>{{u"a", u"一", u"0000"}, {u"", u"", u"0001"}, {u"", u"", u"0002"}}));
}

TEST_F(ImportCommandTest, GivesTheRowsOfARowByRowDuplicateScan) {
    std::mt19937 random(7);
    auto word = [&] {
        return WordRecord{
            std::u16string(1, static_cast<char16_t>(u'a' + random() % 4)),
            std::u16string(1 + random() % 2, static_cast<char16_t>(0x4E00 + random() % 3))};
    };
    for (int round = 0; round < 50; ++round) {
        MemoryWordTable start;
        for (int i = 0; i < static_cast<int>(random() % 12); ++i) {
            const WordRecord w = word();
            start.InsertRow(i, random() % 5 == 0 ? u"" : w.code);  // some incomplete rows
            start.SetCellText(i, kPhraseColumn, w.phrase);
        }
        std::vector<WordRecord> records;
        for (int i = 0; i < static_cast<int>(random() % 20); ++i) {
            records.push_back(word());
        }
        MemoryWordTable expected = start;
        reference::ImportRecordsScanningRows(expected, records);
        table = start;
        ImportFile(records);
        ASSERT_EQ(RowsOf(table), RowsOf(expected)) << "round " << round;
    }
}

}  // namespace
}  // namespace emb
