#include "StdioFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "UserWordFormat.h"

namespace emb {
namespace {

namespace fs = std::filesystem;

class StdioFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = fs::temp_directory_path() / (std::string("stdio-") + info->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::u16string PathOf(const std::u16string& name) const {
        return (m_folder / fs::path(name)).u16string();
    }
    std::vector<std::uint8_t> BytesOf(const std::u16string& path) const {
        std::ifstream in(fs::path(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path m_folder;
};

TEST_F(StdioFileTest, UpdateNeedsAnExistingFileAndCreateMakesOne) {
    const std::u16string path = PathOf(u"词库.EMB");
    EXPECT_EQ(StdioFile::Open(path, StdioFile::Mode::Update), nullptr);
    EXPECT_EQ(StdioFile::Open(path, StdioFile::Mode::Read), nullptr);
    EXPECT_FALSE(fs::exists(fs::path(path)));

    auto created = StdioFile::Open(path, StdioFile::Mode::Create);
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(CreateEmptyFile(*created));
    EXPECT_TRUE(created->Close());
    EXPECT_EQ(BytesOf(path), EmptyFileImage());
}

TEST_F(StdioFileTest, CreateNewNeverTouchesAnExistingFile) {
    const std::u16string path = PathOf(u"existing.EMB");
    {
        std::ofstream out(fs::path(path), std::ios::binary);
        out << "keep";
    }
    EXPECT_EQ(StdioFile::Open(path, StdioFile::Mode::CreateNew), nullptr);
    EXPECT_EQ(BytesOf(path), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));

    const std::u16string fresh = PathOf(u"新.EMB");
    auto file = StdioFile::Open(fresh, StdioFile::Mode::CreateNew);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(CreateEmptyFile(*file));
    EXPECT_EQ(ReadRecordCount(*file), 0);
    EXPECT_TRUE(file->Close());
    EXPECT_EQ(BytesOf(fresh).size(), kFileSize);
}

TEST_F(StdioFileTest, WritingInPlaceKeepsTheTailOfALongerFile) {
    const std::u16string path = PathOf(u"long.EMB");
    {
        std::ofstream out(fs::path(path), std::ios::binary);
        const std::string filler(kFileSize + 3, '\x5A');
        out.write(filler.data(), static_cast<std::streamsize>(filler.size()));
    }
    auto file = StdioFile::Open(path, StdioFile::Mode::Update);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Size(), kFileSize + 3);
    const std::vector<WordRecord> records = {{u"khlg", u"中国"}};
    EXPECT_TRUE(WriteFileImage(*file, records).written);
    EXPECT_EQ(ReadAllRecords(*file), records);  // reading after writing on the same stream
    EXPECT_TRUE(file->Close());

    const std::vector<std::uint8_t> bytes = BytesOf(path);
    ASSERT_EQ(bytes.size(), kFileSize + 3);
    std::vector<std::uint8_t> expected = BuildFileImage(records).bytes;
    expected.insert(expected.end(), 3, 0x5A);
    EXPECT_EQ(bytes, expected);
}

TEST_F(StdioFileTest, ReadOnlyModeReadsButRefusesWrites) {
    const std::u16string path = PathOf(u"backup.EMB");
    {
        auto file = StdioFile::Open(path, StdioFile::Mode::Create);
        ASSERT_NE(file, nullptr);
        const std::vector<WordRecord> records = {{u"a", u"一"}};
        ASSERT_TRUE(WriteFileImage(*file, records).written);
    }
    auto file = StdioFile::Open(path, StdioFile::Mode::Read);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadRecord(*file, 0), (WordRecord{u"a", u"一"}));
    const std::uint8_t byte = 1;
    EXPECT_FALSE(file->WriteAt(0, std::span(&byte, 1)) && file->Close());
}

TEST_F(StdioFileTest, PathsWithNulOrNothingAreRefused) {
    EXPECT_EQ(StdioFile::Open(u"", StdioFile::Mode::Create), nullptr);
    const std::u16string withNul = PathOf(u"a") + u'\0' + u"b";
    EXPECT_EQ(StdioFile::Open(withNul, StdioFile::Mode::Create), nullptr);
    EXPECT_TRUE(fs::is_empty(m_folder));
}

}  // namespace
}  // namespace emb
