#include <gtest/gtest.h>

#include <algorithm>

#include "CliTestSupport.h"
#include "UserWordFormat.h"

namespace embtool::test {
namespace {

using Records = std::vector<emb::WordRecord>;

Bytes FileOf(const Records& records) {
    const emb::FileImage image = emb::BuildFileImage(records);
    EXPECT_TRUE(image.Ok());
    return image.bytes;
}

class DiffTest : public testing::Test {
protected:
    RunResult Diff(const Bytes& a, const Bytes& b) {
        WriteFile(pathA, a);
        WriteFile(pathB, b);
        return RunTool({u"diff", pathA, pathB});
    }

    TempFolder folder;
    std::u16string pathA = folder.Path(u"a.emb");
    std::u16string pathB = folder.Path(u"b.emb");
};

TEST_F(DiffTest, PrintsTheWordsOfEitherSideInOneListByCodeThenPhrase) {
    const RunResult result = Diff(
        FileOf(
            {{u"c", u"丙"}, {u"a", u"甲甲"}, {u"b", u"乙"}, {u"\xFF41", u"全角"}, {u"a", u"甲"}}),
        FileOf({{u"\U00020000", u"扩展"},
                {u"b", u"乙"},
                {u"c", u"丙丙"},
                {u"a", u"甲"},
                {u"aa", u"工"},
                {u"B", u"大乙"}}));

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "");
    // UTF-16 order: U+20000's surrogates come before U+FF41.
    EXPECT_EQ(result.out, U8(u"+B\t大乙\n"
                             u"-a\t甲甲\n"
                             u"+aa\t工\n"
                             u"-c\t丙\n"
                             u"+c\t丙丙\n"
                             u"+\U00020000\t扩展\n"
                             u"-\xFF41\t全角\n"));
}

TEST_F(DiffTest, WritesLoneSurrogatesAsReplacementCharacters) {
    const RunResult result =
        Diff(FileOf({{u"a\xD800", u"词\xDC00"}}), FileOf({{u"a\xD800", u"词"}}));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, U8(u"+a\xFFFD\t词\n"
                             u"-a\xFFFD\t词\xFFFD\n"));
}

TEST_F(DiffTest, IgnoresOrderRepeatsAndIncompleteRecords) {
    // B: the same words, unsorted, repeated, with incomplete records, and with a count past
    // the end of a file cut inside its last field's zero fill.
    Bytes b = FileOf({{u"wq", u"你们"},
                      {u"", u"孤"},
                      {u"khlg", u"中国"},
                      {u"khlg", u"中国"},
                      {u"cc", u""},
                      {u"aaaa", u"工"}});
    PutCount(b, 9);
    b.resize(emb::PhraseFieldOffset(5) + 4);
    const RunResult result =
        Diff(FileOf({{u"aaaa", u"工"}, {u"khlg", u"中国"}, {u"wq", u"你们"}}), b);

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST_F(DiffTest, ComparesAFileWithNoWords) {
    // An empty library, a file too short for the count, a library of incomplete records.
    for (const Bytes& empty : {emb::EmptyFileImage(), Bytes{0x03}, FileOf({{u"", u""}})}) {
        const RunResult result = Diff(empty, FileOf({{u"bb", u"人"}, {u"aa", u"工"}}));
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, U8(u"+aa\t工\n+bb\t人\n"));

        const RunResult reversed = Diff(FileOf({{u"bb", u"人"}, {u"aa", u"工"}}), empty);
        EXPECT_EQ(reversed.status, 1);
        EXPECT_EQ(reversed.out, U8(u"-aa\t工\n-bb\t人\n"));

        const RunResult same = Diff(empty, emb::EmptyFileImage());
        EXPECT_EQ(same.status, 0);
        EXPECT_EQ(same.out, "");
    }
}

TEST_F(DiffTest, FailsWithOneLineNamingAFileThatCannotBeRead) {
    WriteFile(pathA, FileOf({{u"aa", u"工"}}));
    const std::u16string missing = folder.Path(u"缺少.emb");

    for (const auto& args : {std::vector<std::u16string>{u"diff", missing, pathA},
                             std::vector<std::u16string>{u"diff", pathA, missing}}) {
        const RunResult result = RunTool(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "cannot open '" + U8(missing) + "'\n");
    }

    const RunResult isFolder = RunTool({u"diff", pathA, folder.Path(u".")});
    EXPECT_EQ(isFolder.status, 2);
    EXPECT_EQ(isFolder.out, "");
    EXPECT_NE(isFolder.err.find(U8(folder.Path(u"."))), std::string::npos) << isFolder.err;
    EXPECT_EQ(std::count(isFolder.err.begin(), isFolder.err.end(), '\n'), 1) << isFolder.err;
}

}  // namespace
}  // namespace embtool::test
