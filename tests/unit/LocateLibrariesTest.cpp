#include "LocateLibraries.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeSystemView.h"

namespace emb {
namespace {

using testing::FakeSystemView;

const std::u16string kIme = u"C:\\users\\wu\\Application Data\\Microsoft\\IME\\";
const std::u16string kSystem = u"C:\\windows\\system32\\";

class LocateLibrariesTest : public ::testing::Test {
protected:
    void SetUp() override {
        system.AddFolder(u"C:\\users\\wu\\Application Data\\Microsoft");
        system.AddFolder(kSystem.substr(0, kSystem.size() - 1));
    }
    LocateStatus Locate() { return LocateLibraries(system, paths); }

    FakeSystemView system;
    LibraryPaths paths;
};

TEST_F(LocateLibrariesTest, AnEditionCountsInEitherSystemFolderAndTheFirstListedWins) {
    const std::u16string kWow64 = u"C:\\windows\\SysWOW64";
    constexpr LocateStatus kFound = LocateStatus::Found;
    constexpr LocateStatus kDefaulted = LocateStatus::Defaulted;
    struct Case {
        std::u16string inSystem32;  // the edition whose table is there, if any
        std::u16string inOther;     // the same in the other system folder
        std::u16string otherFolder;
        LocateStatus status;
        std::u16string traditional;  // the chosen pair's libraries
        std::u16string simplified;
    };
    const Case cases[] = {
        {u"EDNQA", u"", kWow64, kFound, u"EDNQB", u"EDNQA"},
        {u"", u"EDNQA", kWow64, kFound, u"EDNQB", u"EDNQA"},
        {u"EDNBX", u"EDNBX", kWow64, kFound, u"EDNBX", u"EDNAX"},
        {u"", u"", kWow64, kDefaulted, u"EDNQB", u"EDNQA"},
        {u"EDNB700", u"EDNAX", kWow64, kFound, u"EDNBX", u"EDNAX"},
        {u"EDNA700", u"EDNQB", kWow64, kFound, u"EDNQB", u"EDNQA"},
        {u"", u"EDNA700", kWow64, kFound, u"EDNB700", u"EDNA700"},
        // 32-bit Windows has no other folder: nothing is looked for beside an empty name.
        {u"", u"EDNQA", u"", kDefaulted, u"EDNQB", u"EDNQA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        FakeSystemView fresh;
        fresh.AddFolder(u"C:\\users\\wu\\Application Data\\Microsoft");
        fresh.otherSystemDirectory = c.otherFolder;
        if (!c.inSystem32.empty()) {
            fresh.AddFile(kSystem + c.inSystem32 + u".MB");
        }
        if (!c.inOther.empty()) {
            fresh.AddFile(c.otherFolder + u"\\" + c.inOther + u".MB");
        }
        LibraryPaths found;
        EXPECT_EQ(LocateLibraries(fresh, found), c.status);
        EXPECT_EQ(found,
                  (LibraryPaths{
                      kIme + c.traditional, kIme + c.traditional + u"\\" + c.traditional + u".EMB",
                      kIme + c.simplified, kIme + c.simplified + u"\\" + c.simplified + u".EMB"}));
        EXPECT_EQ(fresh.messages.size(), c.status == kFound ? 0u : 1u);
    }
}

TEST_F(LocateLibrariesTest, AFolderNamedLikeATableDoesNotCount) {
    system.AddFolder(kSystem + u"EDNQB.MB");
    EXPECT_EQ(Locate(), LocateStatus::Defaulted);
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0],
              u"没有检测到澄岫川五笔，请到https://github.com/chengxiuchuan-wubi/userwords/"
              u"releases下载安装，\r\n或在留言簿提出问题和留下联系方式");
    EXPECT_EQ(paths.traditionalPath, kIme + u"EDNQB\\EDNQB.EMB");
    // The folders of pair 1 are made even though the input method is absent.
    EXPECT_EQ(system.created,
              (std::vector<std::u16string>{kIme, kIme + u"EDNQB", kIme + u"EDNQA"}));
}

TEST_F(LocateLibrariesTest, TheWindowsDirectoryNeedsFiveCharacters) {
    system.windowsDirectory = u"C:\\WI";
    system.AddFolder(u"C:\\WI\\system32");
    system.AddFile(u"C:\\WI\\system32\\EDNQB.MB");
    EXPECT_EQ(Locate(), LocateStatus::Found);

    LibraryPaths untouched;
    system.windowsDirectory = u"C:\\W";
    system.messages.clear();
    system.created.clear();
    system.searches.clear();
    EXPECT_EQ(LocateLibraries(system, untouched), LocateStatus::NoSystemDirectory);
    EXPECT_EQ(system.messages,
              (std::vector<std::u16string>{u"读取系统盘出错，请检查你是否以管理员登陆"}));
    EXPECT_EQ(untouched, LibraryPaths{});
    EXPECT_TRUE(system.searches.empty());
    EXPECT_TRUE(system.created.empty());

    system.windowsDirectory.clear();
    EXPECT_EQ(LocateLibraries(system, untouched), LocateStatus::NoSystemDirectory);
}

TEST_F(LocateLibrariesTest, OnlyMissingFoldersAreCreated) {
    system.AddFile(kSystem + u"EDNQB.MB");
    system.AddFolder(kIme.substr(0, kIme.size() - 1));
    system.AddFolder(kIme + u"EDNQB");
    EXPECT_EQ(Locate(), LocateStatus::Found);
    EXPECT_EQ(system.created, (std::vector<std::u16string>{kIme + u"EDNQA"}));

    system.created.clear();
    EXPECT_EQ(Locate(), LocateStatus::Found);
    EXPECT_TRUE(system.created.empty());
}

TEST_F(LocateLibrariesTest, AMissingParentFailsEveryCreationSilently) {
    system.entries.erase(u"C:\\users\\wu\\Application Data\\Microsoft");
    system.AddFile(kSystem + u"EDNQB.MB");
    EXPECT_EQ(Locate(), LocateStatus::Found);
    EXPECT_TRUE(system.created.empty());
    EXPECT_TRUE(system.messages.empty());
}

TEST_F(LocateLibrariesTest, AnUnreadableProfileGivesAFolderFromTheDriveRoot) {
    system.profileFolder.clear();
    system.AddFile(kSystem + u"EDNQB.MB");
    EXPECT_EQ(Locate(), LocateStatus::Found);
    EXPECT_EQ(paths.traditionalPath, u"\\Application Data\\Microsoft\\IME\\EDNQB\\EDNQB.EMB");
}

TEST(ProbePath, IgnoresWhiteSpaceAroundThePathAndTellsFoldersFromFiles) {
    FakeSystemView system;
    system.AddFile(u"C:\\a b\\t.MB");
    system.AddFolder(u"C:\\a b");
    EXPECT_EQ(ProbePath(system, u" \tC:\\a b\\t.MB\r\n "), PathKind::File);
    EXPECT_EQ(system.searches.back(), u"C:\\a b\\t.MB");
    EXPECT_EQ(ProbePath(system, u"C:\\a b"), PathKind::Directory);
    EXPECT_EQ(ProbePath(system, u"C:\\a b\\none"), PathKind::None);
    EXPECT_EQ(ProbePath(system, u"  "), PathKind::None);
    EXPECT_EQ(system.searches.back(), u"");
}

}  // namespace
}  // namespace emb
