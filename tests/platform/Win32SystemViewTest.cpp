#include "Win32SystemView.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "LocateLibraries.h"
#include "Messages.h"
#include "WideText.h"

namespace emb {
namespace {

class Win32SystemViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t buffer[MAX_PATH] = {};
        ASSERT_GT(GetSystemDirectoryW(buffer, MAX_PATH), 0u);
        m_systemDirectory = FromWide(buffer);
        m_wow64Directory = m_system.WindowsDirectory() + u"\\SysWOW64";
        RemoveEditionTables();
    }
    void TearDown() override {
        RemoveEditionTables();
        if (m_madeWow64Folder) {
            RemoveDirectoryW(AsWide(m_wow64Directory));
        }
    }

    std::u16string TablePath(std::u16string_view edition) const {
        return m_systemDirectory + u"\\" + std::u16string(edition) + u".MB";
    }
    void InstallTable(std::u16string_view edition) { MakeFile(TablePath(edition)); }
    static void MakeFile(const std::u16string& path) {
        const HANDLE file = CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    void RemoveEditionTables() {
        for (const Edition& edition : kEditions) {
            DeleteFileW(AsWide(TablePath(edition.name)));
            RemoveDirectoryW(AsWide(TablePath(edition.name)));
            DeleteFileW(AsWide(m_wow64Directory + u"\\" + std::u16string(edition.name) + u".MB"));
        }
    }

    std::u16string m_systemDirectory;
    std::u16string m_wow64Directory;  // where 64-bit Windows keeps its 32-bit system files
    bool m_madeWow64Folder = false;
    std::vector<std::u16string> m_messages;
    Win32SystemView m_system{[this](const std::u16string& text) { m_messages.push_back(text); }};
};

TEST_F(Win32SystemViewTest, FindsTheInstalledEditionInTheSystemFolder) {
    InstallTable(u"EDNB700");
    InstallTable(u"EDNAX");
    LibraryPaths paths;
    EXPECT_EQ(LocateLibraries(m_system, paths), LocateStatus::Found);
    EXPECT_TRUE(m_messages.empty());
    const std::u16string ime = ImeFolderOf(m_system.ProfileFolder());
    EXPECT_EQ(paths.traditionalPath, ime + u"EDNBX\\EDNBX.EMB");
    EXPECT_EQ(paths.simplifiedPath, ime + u"EDNAX\\EDNAX.EMB");

    // The library folders now exist in the real profile.
    EXPECT_EQ(ProbePath(m_system, paths.traditionalFolder), PathKind::Directory);
    EXPECT_EQ(ProbePath(m_system, paths.simplifiedFolder), PathKind::Directory);
}

// A 32-bit installer of the input method puts its table where a 64-bit program's system32 is
// not: the 64-bit program finds it all the same.
TEST_F(Win32SystemViewTest, FindsAnEditionInstalledOnlyInThe32BitSystemFolder) {
    if (sizeof(void*) != 8) {
        GTEST_SKIP() << "for a 64-bit program";
    }
    // Wine without 32-bit support has no such folder; 64-bit Windows always has it.
    m_madeWow64Folder = CreateDirectoryW(AsWide(m_wow64Directory), nullptr) != 0;
    MakeFile(m_wow64Directory + u"\\EDNBX.MB");
    ASSERT_EQ(ProbePath(m_system, TablePath(u"EDNBX")), PathKind::None);
    LibraryPaths paths;
    EXPECT_EQ(LocateLibraries(m_system, paths), LocateStatus::Found);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(paths.simplifiedPath, ImeFolderOf(m_system.ProfileFolder()) + u"EDNAX\\EDNAX.EMB");
}

TEST_F(Win32SystemViewTest, AFolderNamedLikeATableIsNotAnEdition) {
    ASSERT_TRUE(CreateDirectoryW(AsWide(TablePath(u"EDNQB")), nullptr));
    EXPECT_EQ(ProbePath(m_system, TablePath(u"EDNQB")), PathKind::Directory);
    LibraryPaths paths;
    EXPECT_EQ(LocateLibraries(m_system, paths), LocateStatus::Defaulted);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], NotDetectedMessage());
    EXPECT_EQ(ProbePath(m_system, paths.traditionalFolder), PathKind::Directory);
}

TEST_F(Win32SystemViewTest, ReportsTheSystemsFolders) {
    const std::u16string windows = m_system.WindowsDirectory();
    EXPECT_GE(windows.size(), 5u);
    EXPECT_EQ(m_systemDirectory.rfind(windows, 0), 0u);
    EXPECT_EQ(ProbePath(m_system, windows), PathKind::Directory);

    const std::u16string profile = m_system.ProfileFolder();
    ASSERT_FALSE(profile.empty());
    EXPECT_EQ(ProbePath(m_system, profile), PathKind::Directory);
    // Windows and our test prefixes both have the roaming folder under its old name.
    EXPECT_EQ(ProbePath(m_system, profile + u"\\Application Data"), PathKind::Directory);
}

TEST_F(Win32SystemViewTest, ProbesFilesAndFoldersThroughWideNames) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::u16string folder = FromWide(temp) + u"探测한글";
    m_system.CreateFolder(folder);
    EXPECT_EQ(ProbePath(m_system, u" " + folder + u" "), PathKind::Directory);
    const std::u16string file = folder + u"\\词.EMB";
    const HANDLE handle = CreateFileW(AsWide(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CloseHandle(handle);
    EXPECT_EQ(ProbePath(m_system, file), PathKind::File);
    EXPECT_EQ(ProbePath(m_system, folder + u"\\nothing"), PathKind::None);
    DeleteFileW(AsWide(file));
    RemoveDirectoryW(AsWide(folder));
}

}  // namespace
}  // namespace emb
