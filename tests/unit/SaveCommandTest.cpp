#include <gtest/gtest.h>

#include <functional>

#include "LibraryCommands.h"
#include "Messages.h"
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
using Records = std::vector<WordRecord>;
using Shown = RecordingPrompt::Shown;

const LibraryPaths kPaths{u"D:\\p\\EDNBX", u"D:\\p\\EDNBX\\EDNBX.EMB", u"D:\\p\\EDNAX",
                          u"D:\\p\\EDNAX\\EDNAX.EMB"};
const std::u16string kFailed = u"D:\\p\\EDNAX\\EDNAX.EMB失败";
const Records kOldWords = {{u"old", u"旧词"}};

Bytes ImageOf(const Records& records) {
    return BuildFileImage(records).bytes;
}

// The simplified library as just loaded: the file holds the old word, the table it and a blank.
class SaveCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        files.files[kPaths.traditionalPath] = ImageOf(kOldWords);
        Simplified() = ImageOf(kOldWords);
        saved = SavedWords(kOldWords);
        table = TableOf({{u"old", u"旧词", u"0000"}, {u"", u"", u"0001"}});
    }
    bool Save(LibraryChoice choice = LibraryChoice::Simplified) {
        return SaveTable({table, kPaths, files, prompt}, choice, saved);
    }
    Bytes& Simplified() { return files.files[kPaths.simplifiedPath]; }

    MemoryWordTable table;
    FakeFileSystem files;
    RecordingPrompt prompt;
    SavedWords saved;
};

TEST_F(SaveCommandTest, WritesTheCompleteRowsSortedByCodeAndRemembersThem) {
    table = TableOf({{u"wq", u"你们", u"0000"},
                     {u"", u"删", u"0001"},
                     {u"khlg", u"中国", u"0002"},
                     {u"wq", u"", u"0003"},
                     {u"", u"", u"0004"}});
    EXPECT_TRUE(Save());
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{{u"khlg", u"中国", u"0000"}, {u"wq", u"你们", u"0001"}}));
    EXPECT_EQ(Simplified(), ImageOf({{u"khlg", u"中国"}, {u"wq", u"你们"}}));
    EXPECT_EQ(files.files[kPaths.traditionalPath], ImageOf(kOldWords));
    EXPECT_FALSE(saved.DifferFrom(table));
    EXPECT_EQ(files.OpenFiles(), 0);

    table = TableOf({{u"", u"", u"0000"}});  // only the blank row: an empty library
    EXPECT_TRUE(Save());
    EXPECT_EQ(Simplified(), EmptyFileImage());
}

TEST_F(SaveCommandTest, MoreWordsThanAFileHoldsAreRefusedAfterTheTidyUp) {
    table = TableOf({});
    for (int i = 0; i <= kWordLimit; ++i) {
        table.InsertRow(0, FormatRowNumber(i));
        table.SetCellText(0, kPhraseColumn, u"词");
    }
    AppendBlankRow(table);
    EXPECT_FALSE(Save());
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{std::u16string(kTooManyWordsMessage), MessageButtons::Ok}}));
    EXPECT_EQ(Simplified(), ImageOf(kOldWords));
    ASSERT_EQ(table.RowCount(), kWordLimit + 1);  // tidied and sorted all the same
    EXPECT_EQ(table.CellText(0, kCodeColumn), u"0000");

    table.DeleteRow(0);
    EXPECT_TRUE(Save());
    EXPECT_EQ(ReadRecordCount(*files.OpenForReading(kPaths.simplifiedPath)), kWordLimit);
}

TEST_F(SaveCommandTest, WithoutAChosenLibraryItSaysSoAndWritesNothing) {
    table = TableOf({{u"b", u"二", u"0000"}, {u"a", u"一", u"0001"}, {u"", u"", u"0002"}});
    EXPECT_FALSE(Save(LibraryChoice::None));
    EXPECT_EQ(prompt.shown, (std::vector<Shown>{{u"未选定库", MessageButtons::Ok}}));
    EXPECT_EQ(Simplified(), ImageOf(kOldWords));
    EXPECT_EQ(files.files[kPaths.traditionalPath], ImageOf(kOldWords));
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{{u"a", u"一", u"0000"}, {u"b", u"二", u"0001"}}));
}

// Every way a save can fail: the message, and what the file holds afterwards.
TEST_F(SaveCommandTest, AFailedSaveLeavesOrPutsBackThePreviousBytesAndSaysWhich) {
    const Bytes before = [] {
        Bytes bytes = ImageOf(kOldWords);
        bytes.push_back(0x42);  // a tail that must survive the restore too
        return bytes;
    }();
    const std::u16string notRestored = SaveFailedMessage(kPaths.simplifiedPath, false);
    struct Case {
        const char* disk;
        std::function<void(FakeFileSystem&)> fail;
        std::u16string message;
        bool previousBytesBack;
    };
    const Case cases[] = {
        {"read-only", [](FakeFileSystem& f) { f.readOnly.insert(kPaths.simplifiedPath); }, kFailed,
         true},
        {"locked", [](FakeFileSystem& f) { f.locked.insert(kPaths.simplifiedPath); }, kFailed,
         true},
        {"a write fails half-way", [](FakeFileSystem& f) { f.failingWrite = 1; }, kFailed, true},
        {"the close fails", [](FakeFileSystem& f) { f.failingClose = true; }, kFailed, true},
        {"the image does not read back", [](FakeFileSystem& f) { f.corruptingWrite = 1; }, kFailed,
         true},
        {"the put-back does not read back either",
         [](FakeFileSystem& f) { f.corruptingEveryWrite = true; }, notRestored, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.disk);
        files = FakeFileSystem();
        Simplified() = before;
        prompt.shown.clear();
        table = TableOf({{u"new", u"新", u"0000"}});
        c.fail(files);
        EXPECT_FALSE(Save());
        EXPECT_EQ(prompt.shown, (std::vector<Shown>{{c.message, MessageButtons::Ok}}));
        EXPECT_EQ(Simplified() == before, c.previousBytesBack);
        EXPECT_EQ(files.OpenFiles(), 0);
    }
}

TEST_F(SaveCommandTest, AFileThatHasGoneIsMadeAnewWithItsFolders) {
    struct Case {
        std::set<std::u16string> folders;  // empty: files can be made anywhere
        bool saved;
    };
    const Case cases[] = {
        {{}, true},
        {{u"D:\\p", u"D:\\p\\EDNAX"}, true},
        {{u"D:"}, true},     // the IME folder and the library's folder, as start-up makes them
        {{u"E:\\"}, false},  // nowhere to make them
    };
    for (const Case& c : cases) {
        files = FakeFileSystem();
        files.folders = c.folders;
        prompt.shown.clear();
        table = TableOf({{u"a", u"一", u"0000"}});
        EXPECT_EQ(Save(), c.saved);
        if (c.saved) {
            EXPECT_TRUE(prompt.shown.empty());
            EXPECT_EQ(Simplified(), ImageOf({{u"a", u"一"}}));
        } else {
            EXPECT_EQ(prompt.shown, (std::vector<Shown>{{kFailed, MessageButtons::Ok}}));
            EXPECT_FALSE(files.files.contains(kPaths.simplifiedPath));
        }
    }
}

TEST_F(SaveCommandTest, ALongerFileKeepsItsTailAndAShorterOneGrows) {
    table = TableOf({{u"old", u"旧词", u"0000"}});
    Simplified().insert(Simplified().end(), {0xEE, 0xFF});
    const Bytes longer = Simplified();
    Save();
    EXPECT_EQ(Simplified(), longer);

    Simplified().resize(30);
    Save();
    EXPECT_EQ(Simplified(), ImageOf(kOldWords));
}

TEST_F(SaveCommandTest, EqualCodesChangePlacesAtEverySave) {
    table = TableOf({{u"a", u"甲", u"0000"}, {u"a", u"乙", u"0001"}});
    Save();
    EXPECT_EQ(Simplified(), ImageOf({{u"a", u"乙"}, {u"a", u"甲"}}));
    Save();
    EXPECT_EQ(Simplified(), ImageOf({{u"a", u"甲"}, {u"a", u"乙"}}));
}

// Another program (the input method) wrote the file after the load: it dropped the old word and
// added two, one of them twice; the table has a new word of its own and one of the two.
TEST_F(SaveCommandTest, WordsAddedToTheFileSinceTheLoadAreOfferedOnce) {
    const Bytes written =
        ImageOf({{u"imea", u"新造"}, {u"mine", u"我的"}, {u"imea", u"新造"}, {u"", u"空"}});
    const std::u16string question = AddedWordsQuestion(u"1");
    struct Case {
        MessageAnswer answer;
        bool saved;
        Records file;  // empty: as the other program left it
    };
    const Case cases[] = {
        {MessageAnswer::Yes, true, {{u"imea", u"新造"}, {u"mine", u"我的"}, {u"old", u"旧词"}}},
        {MessageAnswer::No, true, {{u"mine", u"我的"}, {u"old", u"旧词"}}},
        {MessageAnswer::Cancel, false, {}},
    };
    for (const Case& c : cases) {
        Simplified() = written;
        saved = SavedWords(kOldWords);
        table = TableOf({{u"old", u"旧词", u"0000"}, {u"mine", u"我的", u"0001"}});
        prompt.shown.clear();
        prompt.answers = {c.answer};
        EXPECT_EQ(Save(), c.saved);
        EXPECT_EQ(prompt.shown, (std::vector<Shown>{{question, MessageButtons::YesNoCancel}}));
        EXPECT_EQ(Simplified(), c.file.empty() ? written : ImageOf(c.file));
        if (c.saved) {
            EXPECT_EQ(RowsOf(table).size(), c.file.size());
            prompt.shown.clear();  // the file's words are the table's now: nothing to ask
            EXPECT_TRUE(Save());
            EXPECT_TRUE(prompt.shown.empty());
        }
    }
}

TEST(RewriteLibraryFile, RefusesTextThatDoesNotFitAndLeavesTheFileAlone) {
    FakeFileSystem files;
    const Bytes before(kFileSize, 0x33);
    files.files[u"x"] = before;
    const Records tooLong = {{std::u16string(13, u'a'), u"一"}};
    EXPECT_FALSE(RewriteLibraryFile(files, u"x", tooLong));
    EXPECT_EQ(files.files[u"x"], before);
}

}  // namespace
}  // namespace emb
