#include <gtest/gtest.h>

#include "CommandMessages.h"
#include "LibraryCommands.h"
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
using Bytes = std::vector<std::uint8_t>;
using Shown = RecordingPrompt::Shown;

const LibraryPaths kPaths{u"D:\\p\\EDNBX", u"D:\\p\\EDNBX\\EDNBX.EMB", u"D:\\p\\EDNAX",
                          u"D:\\p\\EDNAX\\EDNAX.EMB"};

class SaveCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldBytes = BuildFileImage(std::vector<WordRecord>{{u"old", u"旧词"}}).bytes;
        files.files[kPaths.traditionalPath] = oldBytes;
        files.files[kPaths.simplifiedPath] = oldBytes;
    }
    void Save(LibraryChoice choice) { SaveTable({table, kPaths, files, prompt}, choice); }
    Bytes& Simplified() { return files.files[kPaths.simplifiedPath]; }

    MemoryWordTable table;
    FakeFileSystem files;
    RecordingPrompt prompt;
    Bytes oldBytes;
};

TEST_F(SaveCommandTest, WritesTheCompleteRowsSortedByCode) {
    table = TableOf({{u"wq", u"你们", u"0000"},
                     {u"", u"删", u"0001"},
                     {u"khlg", u"中国", u"0002"},
                     {u"wq", u"", u"0003"},
                     {u"", u"", u"0004"}});
    Save(LibraryChoice::Simplified);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{{u"khlg", u"中国", u"0000"}, {u"wq", u"你们", u"0001"}}));
    EXPECT_EQ(Simplified(),
              BuildFileImage(std::vector<WordRecord>{{u"khlg", u"中国"}, {u"wq", u"你们"}}).bytes);
    EXPECT_EQ(files.files[kPaths.traditionalPath], oldBytes);
    EXPECT_EQ(files.OpenFiles(), 0);
}

TEST_F(SaveCommandTest, OnlyTheBlankRowSavesAnEmptyLibrary) {
    table = TableOf({{u"", u"", u"0000"}});
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(Simplified(), EmptyFileImage());
    EXPECT_EQ(table.RowCount(), 0);

    table.DeleteAllRows();  // as after Clear
    Simplified() = oldBytes;
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(Simplified(), EmptyFileImage());
}

TEST_F(SaveCommandTest, MoreWordsThanAFileHoldsAreRefusedAfterTheTidyUp) {
    for (int i = 0; i < kWordLimit + 1; ++i) {
        table.InsertRow(0, FormatRowNumber(i));
        table.SetCellText(0, kPhraseColumn, u"词");
    }
    AppendBlankRow(table);
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"保存失败，记录数大于1221", MessageButtons::Ok}}));
    EXPECT_EQ(Simplified(), oldBytes);
    ASSERT_EQ(table.RowCount(), 1222);
    EXPECT_EQ(table.CellText(0, kCodeColumn), u"0000");
    EXPECT_EQ(table.CellText(1221, kCodeColumn), u"1221");

    table.DeleteRow(0);
    prompt.shown.clear();
    Save(LibraryChoice::Simplified);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(ReadRecordCount(*files.OpenForReading(kPaths.simplifiedPath)), 1221);
}

TEST_F(SaveCommandTest, NoChosenLibraryWritesNothingAndSaysNothing) {
    table = TableOf({{u"b", u"二", u"0000"}, {u"a", u"一", u"0001"}, {u"", u"", u"0002"}});
    Save(LibraryChoice::None);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(Simplified(), oldBytes);
    EXPECT_EQ(files.files[kPaths.traditionalPath], oldBytes);
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{{u"a", u"一", u"0000"}, {u"b", u"二", u"0001"}}));
}

TEST_F(SaveCommandTest, AFileThatCantBeOpenedIsReportedAndNotCreated) {
    table = TableOf({{u"a", u"一", u"0000"}});
    files.files.erase(kPaths.simplifiedPath);
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"D:\\p\\EDNAX\\EDNAX.EMB失败", MessageButtons::Ok}}));
    EXPECT_FALSE(files.files.contains(kPaths.simplifiedPath));

    prompt.shown.clear();
    files.readOnly.insert(kPaths.traditionalPath);
    Save(LibraryChoice::Traditional);
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"D:\\p\\EDNBX\\EDNBX.EMB失败", MessageButtons::Ok}}));
    EXPECT_EQ(files.files[kPaths.traditionalPath], oldBytes);
}

TEST_F(SaveCommandTest, ALongerFileKeepsItsTailAndAShorterOneGrows) {
    table = TableOf({{u"a", u"一", u"0000"}});
    const Bytes image = BuildFileImage(std::vector<WordRecord>{{u"a", u"一"}}).bytes;

    Simplified() = oldBytes;
    Simplified().insert(Simplified().end(), {0xEE, 0xFF});
    Save(LibraryChoice::Simplified);
    Bytes expected = image;
    expected.insert(expected.end(), {0xEE, 0xFF});
    EXPECT_EQ(Simplified(), expected);

    Simplified() = Bytes(100, 0x11);
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(Simplified(), image);
}

TEST_F(SaveCommandTest, AFailedWritePutsThePreviousBytesBack) {
    table = TableOf({{u"new", u"新", u"0000"}});
    files.failingWrite = 1;  // the image: half of it lands, then the disk fails
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"D:\\p\\EDNAX\\EDNAX.EMB失败", MessageButtons::Ok}}));
    EXPECT_EQ(Simplified(), oldBytes);
    EXPECT_EQ(files.OpenFiles(), 0);
}

TEST_F(SaveCommandTest, AFailedCloseIsReportedAndThePreviousBytesPutBack) {
    table = TableOf({{u"new", u"新", u"0000"}});
    Simplified().push_back(0x42);  // a tail that must survive the restore too
    const Bytes before = Simplified();
    files.failingClose = true;
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"D:\\p\\EDNAX\\EDNAX.EMB失败", MessageButtons::Ok}}));
    EXPECT_EQ(Simplified(), before);
}

TEST_F(SaveCommandTest, AWriteThatDoesNotReadBackIsUndoneAndReported) {
    table = TableOf({{u"new", u"新", u"0000"}});
    Simplified().push_back(0x42);
    const Bytes before = Simplified();
    files.corruptingWrite = 1;  // the image changes on its way to the disk; the restore doesn't
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"D:\\p\\EDNAX\\EDNAX.EMB失败", MessageButtons::Ok}}));
    EXPECT_EQ(Simplified(), before);
    EXPECT_EQ(files.OpenFiles(), 0);
}

TEST_F(SaveCommandTest, ADiskThatChangesEveryWriteIsStillReported) {
    table = TableOf({{u"new", u"新", u"0000"}});
    files.corruptingEveryWrite = true;
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"D:\\p\\EDNAX\\EDNAX.EMB失败", MessageButtons::Ok}}));
}

TEST_F(SaveCommandTest, ASuccessfulSaveIsReadBack) {
    table = TableOf({{u"a", u"一", u"0000"}});
    Save(LibraryChoice::Simplified);
    EXPECT_TRUE(prompt.shown.empty());
    const std::vector<std::string> expected = {
        "update D:\\p\\EDNAX\\EDNAX.EMB", "write D:\\p\\EDNAX\\EDNAX.EMB",
        "close D:\\p\\EDNAX\\EDNAX.EMB", "read D:\\p\\EDNAX\\EDNAX.EMB",
        "close D:\\p\\EDNAX\\EDNAX.EMB"};
    EXPECT_EQ(files.log, expected);
}

TEST_F(SaveCommandTest, EqualCodesChangePlacesAtEverySave) {
    table = TableOf({{u"a", u"甲", u"0000"}, {u"a", u"乙", u"0001"}});
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(Simplified(),
              BuildFileImage(std::vector<WordRecord>{{u"a", u"乙"}, {u"a", u"甲"}}).bytes);
    Save(LibraryChoice::Simplified);
    EXPECT_EQ(Simplified(),
              BuildFileImage(std::vector<WordRecord>{{u"a", u"甲"}, {u"a", u"乙"}}).bytes);
}

TEST(RewriteLibraryFile, RefusesTextThatDoesNotFitAndLeavesTheFileAlone) {
    FakeFileSystem files;
    const Bytes before(kFileSize, 0x33);
    files.files[u"x"] = before;
    const std::vector<WordRecord> tooLong = {{std::u16string(13, u'a'), u"一"}};
    EXPECT_FALSE(RewriteLibraryFile(files, u"x", tooLong));
    EXPECT_EQ(files.files[u"x"], before);
}

}  // namespace
}  // namespace emb
