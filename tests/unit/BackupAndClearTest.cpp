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

const LibraryPaths kPaths{u"C:\\i\\EDNB700", u"C:\\i\\EDNB700\\EDNB700.EMB", u"C:\\i\\EDNA700",
                          u"C:\\i\\EDNA700\\EDNA700.EMB"};
const std::u16string kDestination = u"F:\\备份.EMB";

class BackupAndClearTest : public ::testing::Test {
protected:
    void SetUp() override {
        files.files[kPaths.traditionalPath] =
            BuildFileImage(std::vector<WordRecord>{{u"f", u"繁"}}).bytes;
        files.files[kPaths.simplifiedPath] =
            BuildFileImage(std::vector<WordRecord>{{u"j", u"简"}}).bytes;
        table = TableOf({{u"u", u"未存", u"0000"}, {u"", u"", u"0001"}});
    }
    LibraryContext Context() { return {table, kPaths, files, prompt}; }

    MemoryWordTable table;
    FakeFileSystem files;
    RecordingPrompt prompt;
};

TEST_F(BackupAndClearTest, BackupCopiesTheLibraryAsLastSaved) {
    files.files[kDestination] = {1, 2, 3};  // replaced
    prompt.fileAnswers.push_back(kDestination);
    BackupLibrary(Context(), LibraryChoice::Simplified);
    EXPECT_EQ(files.files[kDestination], files.files[kPaths.simplifiedPath]);
    EXPECT_EQ(prompt.shown, (std::vector<Shown>{{u"<save dialog>"}}));
    ASSERT_EQ(prompt.dialogs.size(), 1u);
    EXPECT_EQ(prompt.dialogs[0].kind, FileDialogKind::Save);
    EXPECT_EQ(prompt.dialogs[0].filter, u"save files (*.EMB)|*.EMB||");
    EXPECT_EQ(prompt.dialogs[0].defaultExtension, u"EMB");
    EXPECT_EQ(prompt.dialogs[0].flags, 2u);
    EXPECT_EQ(RowsOf(table)[0], (RowText{u"u", u"未存", u"0000"}));
}

TEST_F(BackupAndClearTest, BackupAsksFirstAndNeedsAChosenLibrary) {
    BackupLibrary(Context(), LibraryChoice::None);  // cancelled
    EXPECT_EQ(prompt.shown, (std::vector<Shown>{{u"<save dialog>"}}));

    prompt.fileAnswers.push_back(kDestination);
    BackupLibrary(Context(), LibraryChoice::None);
    EXPECT_EQ(prompt.shown.back(), (Shown{u"未选定库", MessageButtons::Ok}));
    EXPECT_FALSE(files.files.contains(kDestination));
}

TEST_F(BackupAndClearTest, AFailedCopyIsReported) {
    files.failingCopy = true;
    prompt.fileAnswers.push_back(kDestination);
    BackupLibrary(Context(), LibraryChoice::Traditional);
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"<save dialog>"}, {u"F:\\备份.EMB失败", MessageButtons::Ok}}));
}

TEST_F(BackupAndClearTest, ClearEmptiesTheTableOnlyOnYes) {
    ClearTable(Context());
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"你确定要删除所有自造词吗？", MessageButtons::YesNo}}));
    EXPECT_EQ(table.RowCount(), 2);

    prompt.yesNoAnswer = MessageAnswer::Yes;
    ClearTable(Context());
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(files.files[kPaths.traditionalPath],
              BuildFileImage(std::vector<WordRecord>{{u"f", u"繁"}}).bytes);
}

}  // namespace
}  // namespace emb
