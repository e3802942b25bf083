#include <gtest/gtest.h>

#include "CliTestSupport.h"
#include "ReplaceFile.h"

namespace embtool::test {
namespace {

const Bytes kNew = {1, 2, 3, 4, 5};

TEST(ReplaceFileTest, CreatesTheFileWhenItIsAbsent) {
    TempFolder folder;
    const std::u16string path = folder.Path(u"新文件.emb");
    const ReplaceResult result = ReplaceFileContents(path, kNew);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(ReadFile(path), kNew);
    EXPECT_EQ(folder.Names(), std::vector<std::u16string>{u"新文件.emb"});
}

TEST(ReplaceFileTest, ReplacesAnExistingLongerFileWhole) {
    TempFolder folder;
    const std::u16string path = folder.Path(u"old.emb");
    WriteFile(path, Bytes(1000, 0xEE));
    const ReplaceResult result = ReplaceFileContents(path, kNew);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(ReadFile(path), kNew);
    EXPECT_EQ(folder.Names(), std::vector<std::u16string>{u"old.emb"});
}

TEST(ReplaceFileTest, FailsInAMissingFolderWithoutCreatingAnything) {
    TempFolder folder;
    const std::u16string path = folder.Path(u"missing") + u"/out.emb";
    const ReplaceResult result = ReplaceFileContents(path, kNew);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(U8(path)), std::string::npos) << result.message;
    EXPECT_EQ(result.message.find('\n'), std::string::npos) << result.message;
    EXPECT_TRUE(folder.Names().empty());
}

TEST(ReplaceFileTest, RemovesTheNewFileWhenTheRenameFails) {
    TempFolder folder;
    // A folder in the way: the written file can't be renamed over it.
    const std::u16string path = folder.Path(u"taken");
    std::filesystem::create_directory(std::filesystem::path(path));
    WriteFile(folder.Path(u"taken/inside.txt"), "x");

    const ReplaceResult result = ReplaceFileContents(path, kNew);

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(U8(path)), std::string::npos) << result.message;
    EXPECT_EQ(folder.Names(), std::vector<std::u16string>{u"taken"});
    EXPECT_EQ(ReadFile(folder.Path(u"taken/inside.txt")), (Bytes{'x'}));
}

}  // namespace
}  // namespace embtool::test
