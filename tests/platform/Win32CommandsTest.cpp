#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "LibraryCommands.h"
#include "MemoryWordTable.h"
#include "UserWordFormat.h"
#include "WideText.h"
#include "Win32FileSystem.h"
#include "Win32TextDecoder.h"
#include "fakes/RecordingPrompt.h"
#include "support/TableText.h"

namespace emb {
namespace {

namespace fs = std::filesystem;
using testing::RecordingPrompt;
using testing::RowsOf;
using testing::RowText;
using testing::TableOf;
using Bytes = std::vector<std::uint8_t>;
using Shown = RecordingPrompt::Shown;

// Real files in a folder whose name has characters outside the Chinese code page.
class Win32CommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = FromWide(temp) + u"词库한글-" +
                   std::u16string(info->name(), info->name() + std::strlen(info->name()));
        fs::remove_all(fs::path(m_folder));
        ASSERT_TRUE(fs::create_directories(fs::path(m_folder)));
        m_paths = {m_folder, m_folder + u"\\繁.EMB", m_folder, m_folder + u"\\简.EMB"};
    }
    void TearDown() override {
        for (const auto& entry : fs::directory_iterator(fs::path(m_folder))) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        fs::remove_all(fs::path(m_folder));
    }

    LibraryContext Context() { return {m_table, m_paths, m_files, m_prompt}; }
    void Save(LibraryChoice choice) { SaveTable(Context(), choice, m_saved); }
    Bytes Read(const std::u16string& path) {
        std::ifstream in(fs::path(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Write(const std::u16string& path, const Bytes& bytes) {
        std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    std::u16string m_folder;
    LibraryPaths m_paths;
    MemoryWordTable m_table;
    Win32FileSystem m_files;
    RecordingPrompt m_prompt;
    SavedWords m_saved;
    Win32GbkDecoder m_gbk;
};

TEST_F(Win32CommandsTest, LoadSaveBackupAndImportWorkOnRealFiles) {
    LoadChosenLibrary(Context(), LibraryChoice::Simplified);
    EXPECT_EQ(Read(m_paths.simplifiedPath), EmptyFileImage());
    EXPECT_EQ(RowsOf(m_table), (std::vector<RowText>{{u"", u"", u"0000"}}));

    m_table = TableOf({{u"wq", u"你们", u"0000"}, {u"khlg", u"中国", u"0001"}});
    Save(LibraryChoice::Simplified);
    const Bytes saved =
        BuildFileImage(std::vector<WordRecord>{{u"khlg", u"中国"}, {u"wq", u"你们"}}).bytes;
    EXPECT_EQ(Read(m_paths.simplifiedPath), saved);

    const std::u16string backup = m_folder + u"\\备份한.EMB";
    Write(backup, {1, 2, 3});
    m_prompt.fileAnswers.push_back(backup);
    BackupLibrary(Context(), LibraryChoice::Simplified);
    EXPECT_EQ(Read(backup), saved);

    m_table.DeleteAllRows();
    m_prompt.fileAnswers.push_back(backup);
    ImportWords(Context(), m_gbk);
    EXPECT_EQ(RowsOf(m_table),
              (std::vector<RowText>{
                  {u"khlg", u"中国", u"0000"}, {u"wq", u"你们", u"0001"}, {u"", u"", u"0002"}}));
    EXPECT_EQ(m_prompt.shown, (std::vector<Shown>{{u"<save dialog>"}, {u"<open dialog>"}}));
}

TEST_F(Win32CommandsTest, SaveKeepsALongerFilesTailAndGrowsAShorterFile) {
    Bytes longer = EmptyFileImage();
    longer.insert(longer.end(), {0xAA, 0xBB});
    Write(m_paths.traditionalPath, longer);
    m_table = TableOf({{u"a", u"一", u"0000"}});
    Save(LibraryChoice::Traditional);
    Bytes expected = BuildFileImage(std::vector<WordRecord>{{u"a", u"一"}}).bytes;
    expected.insert(expected.end(), {0xAA, 0xBB});
    EXPECT_EQ(Read(m_paths.traditionalPath), expected);

    Write(m_paths.traditionalPath, Bytes(10, 0x77));
    Save(LibraryChoice::Traditional);
    EXPECT_EQ(Read(m_paths.traditionalPath),
              BuildFileImage(std::vector<WordRecord>{{u"a", u"一"}}).bytes);
    EXPECT_TRUE(m_prompt.shown.empty());
}

TEST_F(Win32CommandsTest, AReadOnlyLibraryKeepsItsWordsAndAReadOnlyBackupImports) {
    const Bytes words = BuildFileImage(std::vector<WordRecord>{{u"a", u"一"}}).bytes;
    Write(m_paths.traditionalPath, words);
    ASSERT_TRUE(SetFileAttributesW(AsWide(m_paths.traditionalPath), FILE_ATTRIBUTE_READONLY));

    LoadChosenLibrary(Context(), LibraryChoice::Traditional);
    EXPECT_EQ(m_prompt.shown, (std::vector<Shown>{{m_paths.traditionalPath, MessageButtons::Ok},
                                                  {u"打开错误\n", MessageButtons::Ok}}));
    EXPECT_EQ(m_table.RowCount(), 0);

    m_prompt.shown.clear();
    m_table = TableOf({{u"b", u"二", u"0000"}});
    Save(LibraryChoice::Traditional);
    EXPECT_EQ(m_prompt.shown,
              (std::vector<Shown>{{m_paths.traditionalPath + u"失败", MessageButtons::Ok}}));
    EXPECT_EQ(Read(m_paths.traditionalPath), words);

    m_prompt.shown.clear();
    m_prompt.fileAnswers.push_back(m_paths.traditionalPath);
    ImportWords(Context(), m_gbk);
    EXPECT_EQ(m_prompt.shown, (std::vector<Shown>{{u"<open dialog>"}}));
    EXPECT_EQ(RowsOf(m_table),
              (std::vector<RowText>{
                  {u"b", u"二", u"0000"}, {u"a", u"一", u"0001"}, {u"", u"", u"0002"}}));
}

TEST_F(Win32CommandsTest, AFileHeldOpenWithoutSharingIsRefusedAndKept) {
    const Bytes words = BuildFileImage(std::vector<WordRecord>{{u"a", u"一"}}).bytes;
    Write(m_paths.simplifiedPath, words);
    const HANDLE held = CreateFileW(AsWide(m_paths.simplifiedPath), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    LoadChosenLibrary(Context(), LibraryChoice::Simplified);
    m_table = TableOf({{u"b", u"二", u"0000"}});
    Save(LibraryChoice::Simplified);
    m_prompt.fileAnswers.push_back(m_paths.simplifiedPath);
    ImportWords(Context(), m_gbk);
    const std::u16string backup = m_folder + u"\\copy.EMB";
    m_prompt.fileAnswers.push_back(backup);
    BackupLibrary(Context(), LibraryChoice::Simplified);
    CloseHandle(held);

    EXPECT_EQ(m_prompt.shown, (std::vector<Shown>{{m_paths.simplifiedPath, MessageButtons::Ok},
                                                  {u"打开错误\n", MessageButtons::Ok},
                                                  {m_paths.simplifiedPath + u"失败"},
                                                  {u"<open dialog>"},
                                                  {u"打开文件失败"},
                                                  {u"<save dialog>"},
                                                  {backup + u"失败"}}));
    EXPECT_EQ(Read(m_paths.simplifiedPath), words);
    EXPECT_FALSE(fs::exists(fs::path(backup)));
}

}  // namespace
}  // namespace emb
