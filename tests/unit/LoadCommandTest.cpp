#include <gtest/gtest.h>

#include "LibraryCommands.h"
#include "Messages.h"
#include "UserWordFormat.h"
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

const LibraryPaths kPaths{u"C:\\ime\\EDNQB", u"C:\\ime\\EDNQB\\EDNQB.EMB", u"C:\\ime\\EDNQA",
                          u"C:\\ime\\EDNQA\\EDNQA.EMB"};

class LoadCommandTest : public ::testing::Test {
protected:
    void Load(LibraryChoice choice) { LoadChosenLibrary({table, kPaths, files, prompt}, choice); }

    MemoryWordTable table;
    FakeFileSystem files;
    RecordingPrompt prompt;
};

TEST_F(LoadCommandTest, ShowsTheRecordsInFileOrderThenTheBlankRow) {
    files.files[kPaths.simplifiedPath] =
        BuildFileImage(std::vector<WordRecord>{{u"wq", u"你们"}, {u"a", u"工"}, {u"khlg", u"中国"}})
            .bytes;
    table = TableOf({{u"old", u"旧", u"0000"}});
    Load(LibraryChoice::Simplified);
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"wq", u"你们", u"0000"},
                                                   {u"a", u"工", u"0001"},
                                                   {u"khlg", u"中国", u"0002"},
                                                   {u"", u"", u"0003"}}));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(files.OpenFiles(), 0);
    EXPECT_EQ(files.log, (std::vector<std::string>{"update C:\\ime\\EDNQA\\EDNQA.EMB",
                                                   "close C:\\ime\\EDNQA\\EDNQA.EMB"}));
}

TEST_F(LoadCommandTest, TheTraditionalLibraryIsLoadedWhenNothingIsChosen) {
    files.files[kPaths.traditionalPath] =
        BuildFileImage(std::vector<WordRecord>{{u"a", u"繁"}}).bytes;
    Load(LibraryChoice::Traditional);
    EXPECT_EQ(table.CellText(0, kPhraseColumn), u"繁");
    Load(LibraryChoice::None);
    EXPECT_EQ(table.CellText(0, kPhraseColumn), u"繁");
}

TEST_F(LoadCommandTest, AnEmptyLibraryShowsOnlyTheBlankRow) {
    files.files[kPaths.traditionalPath] = EmptyFileImage();
    Load(LibraryChoice::Traditional);
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"", u"", u"0000"}}));
}

TEST_F(LoadCommandTest, AMissingFileIsCreatedAsAnEmptyLibrary) {
    Load(LibraryChoice::Simplified);
    EXPECT_EQ(files.files[kPaths.simplifiedPath], EmptyFileImage());
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"", u"", u"0000"}}));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(files.OpenFiles(), 0);
}

TEST_F(LoadCommandTest, AFileThatCantBeOpenedForUpdateKeepsItsBytes) {
    const auto words = BuildFileImage(std::vector<WordRecord>{{u"a", u"一"}}).bytes;
    for (auto* refusing : {&files.readOnly, &files.locked}) {
        files.files[kPaths.traditionalPath] = words;
        refusing->insert(kPaths.traditionalPath);
        table = TableOf({{u"x", u"未存", u"0000"}});
        prompt.shown.clear();

        Load(LibraryChoice::Traditional);
        EXPECT_EQ(prompt.shown, (std::vector<Shown>{{kPaths.traditionalPath, MessageButtons::Ok},
                                                    {u"打开错误\n", MessageButtons::Ok}}));
        EXPECT_EQ(table.RowCount(), 0);
        EXPECT_EQ(files.files[kPaths.traditionalPath], words);
        refusing->clear();
    }
}

TEST_F(LoadCommandTest, AFileThatCantBeCreatedGivesTheTwoMessages) {
    files.folders = {u"C:\\elsewhere"};  // the library folder is missing
    Load(LibraryChoice::Simplified);
    EXPECT_EQ(prompt.shown, (std::vector<Shown>{{kPaths.simplifiedPath, MessageButtons::Ok},
                                                {u"打开错误\n", MessageButtons::Ok}}));
    EXPECT_FALSE(files.files.contains(kPaths.simplifiedPath));
    EXPECT_EQ(table.RowCount(), 0);

    // Before start-up found the libraries, the path is empty.
    prompt.shown.clear();
    LibraryPaths none;
    LoadChosenLibrary({table, none, files, prompt}, LibraryChoice::Traditional);
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"", MessageButtons::Ok}, {u"打开错误\n", MessageButtons::Ok}}));
}

TEST_F(LoadCommandTest, ShortAndOverCountedFilesShowWhatTheyHold) {
    auto bytes = BuildFileImage(std::vector<WordRecord>{{u"ab", u"一"}, {u"cd", u"二三"}}).bytes;
    bytes[0] = 4;
    bytes.resize(PhraseFieldOffset(1) + 2);  // record 1 cut after its first phrase unit
    files.files[kPaths.traditionalPath] = bytes;
    Load(LibraryChoice::Traditional);
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"ab", u"一", u"0000"},
                                                   {u"cd", u"二", u"0001"},
                                                   {u"", u"", u"0002"},
                                                   {u"", u"", u"0003"},
                                                   {u"", u"", u"0004"}}));

    files.files[kPaths.traditionalPath] = {0x07};
    Load(LibraryChoice::Traditional);
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"", u"", u"0000"}}));
}

TEST_F(LoadCommandTest, StoredTextIsShownUnchanged) {
    const std::u16string code12(12, u'Z');
    const std::u16string phrase40 = u"ab " + std::u16string(37, u'字');
    files.files[kPaths.traditionalPath] =
        BuildFileImage(std::vector<WordRecord>{{code12, phrase40}}).bytes;
    Load(LibraryChoice::Traditional);
    EXPECT_EQ(table.CellText(0, kCodeColumn), code12);
    EXPECT_EQ(table.CellText(0, kPhraseColumn), phrase40);
}

}  // namespace
}  // namespace emb
