#include <gtest/gtest.h>

#include <algorithm>

#include "CliTestSupport.h"
#include "UserWordFormat.h"

namespace embtool::test {
namespace {

class DumpTest : public testing::Test {
protected:
    RunResult Dump(const Bytes& bytes, std::u16string_view name = u"words.emb") {
        const std::u16string path = folder.Path(name);
        WriteFile(path, bytes);
        return RunTool({u"dump", path});
    }

    TempFolder folder;
};

TEST_F(DumpTest, PrintsEveryCountedRecordAsTheFileHoldsIt) {
    Bytes bytes(emb::kFileSize, 0);
    PutCount(bytes, 5);
    // Text after the terminating zero unit is not part of the field.
    PutUnits(bytes, emb::CodeFieldOffset(0), std::u16string(u"ab\0zz", 5));
    PutUnits(bytes, emb::PhraseFieldOffset(0), u"工人");
    // Fields filled to the last unit have no terminator: the next field must not run in.
    PutUnits(bytes, emb::CodeFieldOffset(1), u"abcdefghijkl");
    PutUnits(bytes, emb::PhraseFieldOffset(1),
             u"一二三四五六七八九十一二三四五六七八九十"
             u"一二三四五六七八九十一二三四五六七八九十");
    PutUnits(bytes, emb::CodeFieldOffset(2),
             u"c\xD800"
             u"d");
    PutUnits(bytes, emb::PhraseFieldOffset(2), u"\U00020000\xDC00");
    // Record 3 stays empty; record 4 has only a phrase.
    PutUnits(bytes, emb::PhraseFieldOffset(4), u"词");

    const RunResult result = Dump(bytes);

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, U8(u"ab\t工人\n"
                             u"abcdefghijkl\t一二三四五六七八九十一二三四五六七八九十"
                             u"一二三四五六七八九十一二三四五六七八九十\n"
                             u"c\xFFFD"
                             u"d\t\U00020000\xFFFD\n"
                             u"\t\n"
                             u"\t词\n"));
}

TEST_F(DumpTest, ReadsFieldsCutByTheEndOfAShortFileAsFarAsTheyGo) {
    Bytes bytes;
    PutCount(bytes, 4);
    PutUnits(bytes, emb::CodeFieldOffset(0), u"aaaa");
    PutUnits(bytes, emb::PhraseFieldOffset(0), u"工");
    PutUnits(bytes, emb::CodeFieldOffset(1), u"bbbb");
    PutUnits(bytes, emb::PhraseFieldOffset(1), u"ABC");
    // Half a unit: its missing high byte reads as zero.
    bytes.resize(emb::PhraseFieldOffset(1) + 2 * 3);
    bytes.push_back(0x44);

    const RunResult result = Dump(bytes);

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, U8(u"aaaa\t工\nbbbb\tABCD\n\t\n\t\n"));
}

TEST_F(DumpTest, PrintsNothingForACountOfZeroOrAFileTooShortForTheCount) {
    Bytes full(emb::kFileSize, 0);
    PutUnits(full, emb::CodeFieldOffset(0), u"aaaa");
    PutUnits(full, emb::PhraseFieldOffset(0), u"工");
    EXPECT_EQ(Dump(full).out, "");
    EXPECT_EQ(Dump({}).out, "");
    const RunResult oneByte = Dump({0x05});
    EXPECT_EQ(oneByte.status, 0);
    EXPECT_EQ(oneByte.out, "");
}

TEST_F(DumpTest, PrintsACountAboveTheLimitUnchanged) {
    Bytes bytes;
    PutCount(bytes, 0xFFFF);
    const RunResult result = Dump(bytes);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.size(), 2u * 0xFFFF);
    EXPECT_EQ(result.out.substr(0, 4), "\t\n\t\n");
}

TEST_F(DumpTest, OpensAFileNamedInChinese) {
    Bytes bytes(emb::kFileSize, 0);
    PutCount(bytes, 1);
    PutUnits(bytes, emb::CodeFieldOffset(0), u"wqvb");
    PutUnits(bytes, emb::PhraseFieldOffset(0), u"你好");
    const RunResult result = Dump(bytes, u"简体自造词库.emb");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, U8(u"wqvb\t你好\n"));
}

TEST_F(DumpTest, FailsWithOneLineNamingAFileThatCannotBeRead) {
    const std::u16string missing = folder.Path(u"缺少.emb");
    const RunResult absent = RunTool({u"dump", missing});
    EXPECT_EQ(absent.status, 2);
    EXPECT_EQ(absent.out, "");
    EXPECT_EQ(absent.err, "cannot open '" + U8(missing) + "'\n");

    const RunResult isFolder = RunTool({u"dump", folder.Path(u".")});
    EXPECT_EQ(isFolder.status, 2);
    EXPECT_EQ(isFolder.out, "");
    EXPECT_NE(isFolder.err.find(U8(folder.Path(u"."))), std::string::npos) << isFolder.err;
    EXPECT_EQ(std::count(isFolder.err.begin(), isFolder.err.end(), '\n'), 1) << isFolder.err;
}

}  // namespace
}  // namespace embtool::test
