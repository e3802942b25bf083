#include <gtest/gtest.h>

#include <algorithm>

#include "CliTestSupport.h"
#include "Messages.h"
#include "UserWordFormat.h"
#include "WordTableRules.h"

namespace embtool::test {
namespace {

int LineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// count lines of distinct complete words, in descending code order.
std::string ManyWords(int count) {
    std::string text;
    for (int i = count; i > 0; --i) {
        const std::string number = std::to_string(10000 + i);
        text += "c" + number + "\t" + U8(u"词") + number + "\n";
    }
    return text;
}

class BuildTest : public testing::Test {
protected:
    // Builds from text into out and expects it to succeed.
    void BuildOk(std::string_view text) {
        WriteFile(textPath, text);
        const RunResult result = RunTool({u"build", textPath, outPath});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
    }

    std::string DumpOut() {
        const RunResult result = RunTool({u"dump", outPath});
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    // Builds from text, expects the refusal message, and checks that nothing was written.
    void ExpectRefused(std::string_view text, const std::string& message) {
        WriteFile(textPath, text);
        const std::vector<std::u16string> before = folder.Names();
        const std::optional<Bytes> outBefore = ReadFile(outPath);

        const RunResult result = RunTool({u"build", textPath, outPath});

        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, message + "\n");
        EXPECT_EQ(ReadFile(outPath), outBefore);
        EXPECT_EQ(folder.Names(), before);  // no new file left behind either
    }

    std::string LineMessage(int line, std::string_view problem) {
        return "line " + std::to_string(line) + " of '" + U8(textPath) +
               "': " + std::string(problem);
    }

    TempFolder folder;
    std::u16string textPath = folder.Path(u"words.txt");
    std::u16string outPath = folder.Path(u"out.emb");
};

TEST_F(BuildTest, WritesACompleteFileThatDumpsBackTheWords) {
    BuildOk(
        U8(u"aaaa\t工\nbbbb\t人民\nabcdefghijkl\t一二三四五六七八九十一二三四五六七八九十"
           u"一二三四五六七八九十一二三四五六七八九十\n"));

    const std::optional<Bytes> bytes = ReadFile(outPath);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), emb::kFileSize);
    EXPECT_EQ((*bytes)[0], 3);
    EXPECT_EQ((*bytes)[1], 0);
    // Everything past the last record is zero.
    EXPECT_TRUE(std::all_of(bytes->begin() + static_cast<std::ptrdiff_t>(emb::CodeFieldOffset(3)),
                            bytes->end(), [](std::uint8_t byte) { return byte == 0; }));
    EXPECT_EQ(DumpOut(), U8(u"aaaa\t工\n"
                            u"abcdefghijkl\t一二三四五六七八九十一二三四五六七八九十"
                            u"一二三四五六七八九十一二三四五六七八九十\n"
                            u"bbbb\t人民\n"));
}

TEST_F(BuildTest, SortsByUtf16CodeUnitsAndDropsIncompleteLines) {
    // U+FF41 sorts after the surrogates of U+20000 in UTF-16, before them by code point.
    BuildOk(
        U8(u"b\t乙\n"
           u"\t无码\n"
           u"aa\t甲甲\n"
           u"\xFF41\t全角\n"
           u"nophrase\t\n"
           u"\U00020000\t扩展\n"
           u"B\t大乙\n"
           u"a\t甲\n"
           u"\t\n"));

    EXPECT_EQ(DumpOut(), U8(u"B\t大乙\n"
                            u"a\t甲\n"
                            u"aa\t甲甲\n"
                            u"b\t乙\n"
                            u"\U00020000\t扩展\n"
                            u"\xFF41\t全角\n"));
}

TEST_F(BuildTest, WritesAnEmptyLibraryForATextWithoutWords) {
    BuildOk("\n\r\n\tonly a phrase\n");
    EXPECT_EQ(ReadFile(outPath), emb::EmptyFileImage());
}

TEST_F(BuildTest, ReplacesAnExistingLongerFileWhole) {
    WriteFile(outPath, Bytes(emb::kFileSize + 1000, 0xAB));
    BuildOk(U8(u"aa\t工\n"));
    const std::optional<Bytes> bytes = ReadFile(outPath);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), emb::kFileSize);
    EXPECT_EQ(DumpOut(), U8(u"aa\t工\n"));
    EXPECT_EQ(folder.Names(), (std::vector<std::u16string>{u"out.emb", u"words.txt"}));
}

TEST_F(BuildTest, AcceptsFileNamesInChinese) {
    textPath = folder.Path(u"词表.txt");
    outPath = folder.Path(u"繁体自造词库.emb");
    BuildOk(U8(u"wqvb\t你好\n"));
    EXPECT_EQ(DumpOut(), U8(u"wqvb\t你好\n"));
}

// The parser's rules are tested with the parser; here, that a bad line refuses the whole file
// with its number, and the lenient forms Import reads are refused too.
TEST_F(BuildTest, RefusesTheFileAtItsFirstBadLine) {
    const std::string good = U8(u"aa\t工\n");
    ExpectRefused(good + "\n" + "b\xC3\x28\t" + U8(u"人") + "\nno tab\n",
                  LineMessage(3, "malformed UTF-8"));
    ExpectRefused(good + U8(u"工 aa\n"), LineMessage(2, "no tab between code and phrase"));
    ExpectRefused(good + U8(u"abcdefghijklm\t工\n"),
                  LineMessage(2, "code longer than 12 UTF-16 units"));
    // GBK is no UTF-8.
    ExpectRefused(good + "aa\t\xD6\xD0\n", LineMessage(2, "malformed UTF-8"));
}

TEST_F(BuildTest, LeavesAnExistingOutputUntouchedWhenRefusing) {
    Bytes existing(emb::kFileSize, 0);
    PutCount(existing, 1);
    PutUnits(existing, emb::CodeFieldOffset(0), u"keep");
    PutUnits(existing, emb::PhraseFieldOffset(0), u"保留");
    WriteFile(outPath, existing);

    ExpectRefused("aa\tbb\ncc\n", LineMessage(2, "no tab between code and phrase"));
    ExpectRefused(ManyWords(emb::kWordLimit + 1), U8(emb::kTooManyWordsMessage));
    EXPECT_EQ(ReadFile(outPath), existing);
}

TEST_F(BuildTest, CountsTheWordLimitAfterDroppingIncompleteLines) {
    BuildOk(ManyWords(emb::kWordLimit));
    const std::string dumped = DumpOut();
    EXPECT_EQ(LineCount(dumped), emb::kWordLimit);
    EXPECT_EQ(dumped.substr(0, dumped.find('\n')), U8(u"c10001\t词10001"));

    BuildOk(ManyWords(emb::kWordLimit) + "incomplete\t\n");
    EXPECT_EQ(LineCount(DumpOut()), emb::kWordLimit);

    ExpectRefused(ManyWords(emb::kWordLimit + 1), U8(emb::kTooManyWordsMessage));
}

TEST_F(BuildTest, FailsWithOneLineWhenAFileCannotBeUsed) {
    const std::u16string missingText = folder.Path(u"缺少.txt");
    RunResult result = RunTool({u"build", missingText, outPath});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "cannot open '" + U8(missingText) + "'\n");
    EXPECT_FALSE(ReadFile(outPath));

    WriteFile(textPath, U8(u"aa\t工\n"));
    const std::u16string outInMissingFolder = folder.Path(u"missing") + u"/out.emb";
    result = RunTool({u"build", textPath, outInMissingFolder});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(LineCount(result.err), 1) << result.err;
    EXPECT_NE(result.err.find(U8(outInMissingFolder)), std::string::npos) << result.err;
    EXPECT_EQ(folder.Names(), (std::vector<std::u16string>{u"words.txt"}));
}

}  // namespace
}  // namespace embtool::test
