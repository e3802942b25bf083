// The guide check is only as good as its reading of sources and of the guide: a literal the
// scanner misses is a message nobody checks.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "GuideMessages.h"
#include "SourceLiterals.h"

namespace guide {
namespace {

struct Found {
    std::string text;
    int line;
    friend bool operator==(const Found&, const Found&) = default;
};

// gtest prints a mismatch readably.
void PrintTo(const Found& found, std::ostream* out) {
    *out << found.line << ": \"" << found.text << "\"";
}

std::vector<Found> Scan(std::string_view source, Syntax syntax = Syntax::Cpp) {
    std::vector<Found> found;
    for (const Literal& literal : StringLiterals(source, syntax)) {
        found.push_back({literal.text, literal.line});
    }
    return found;
}

TEST(SourceLiteralsTest, JoinsPiecesAndDecodesEscapes) {
    const std::string_view source =
        "const wchar_t a[] = L\"1.选择\\r\\n\"\n"
        "    L\"点击\\u201C导入\\u201D\" // \"not a literal\"\n"
        "    /* \"nor this\" */ L\"\\x41\\101\\\"\\\\\";\n"
        "auto b = u8\"甲\" \"乙\"sv, c = U\"\\U0002A6A5\";\n";
    EXPECT_EQ(Scan(source),
              (std::vector<Found>{
                  {"1.选择\r\n点击“导入”AA\"\\", 1}, {"甲乙", 4}, {"\xF0\xAA\x9A\xA5", 4}}));
}

// A narrow literal's \\x escapes are bytes; the joined literal takes the encoding of any piece.
TEST(SourceLiteralsTest, ReadsEscapesInTheLiteralsEncoding) {
    EXPECT_EQ(Scan("auto bom = \"\\xEF\\xBB\\xBF\";"), (std::vector<Found>{{"\uFEFF", 1}}));
    EXPECT_EQ(Scan("auto a = \"\\xE4\\344\" L\"\\xE4\";"), (std::vector<Found>{{"äää", 1}}));
    EXPECT_EQ(Scan("auto a = u8\"\\xE4\\xB8\\xAD\";"), (std::vector<Found>{{"中", 1}}));
}

TEST(SourceLiteralsTest, SkipsCommentsAndCharacterLiterals) {
    const std::string_view source =
        "// \"注释\"\n"
        "char q = '\"'; int n = 127'090; char e = '\\''; /* \"注释\n\" */\n"
        "const char* s = \"真\"; char16_t w = u'\"';\n"
        "#include \"Header.h\"\n";
    EXPECT_EQ(Scan(source), (std::vector<Found>{{"真", 4}, {"Header.h", 5}}));
}

TEST(SourceLiteralsTest, ReadsRawStringsAndResourceScripts) {
    EXPECT_EQ(Scan("auto r = u8R\"x(a \"引号\" )\" b)x\";"),
              (std::vector<Found>{{"a \"引号\" )\" b", 1}}));
    EXPECT_EQ(Scan("CAPTION \"使用\"\"说明\"\n"
                   "// it's a comment\n"
                   "CONTROL \"保存\", IDOK, \"Button\"\n",
                   Syntax::ResourceScript),
              (std::vector<Found>{{"使用\"说明", 1}, {"保存", 3}, {"Button", 3}}));
}

TEST(GuideReadingTest, ShowsTextAsAMessageBoxDoes) {
    EXPECT_EQ(VisibleText("打开错误\n"), "打开错误");
    EXPECT_EQ(VisibleText("下载安装，\r\n或在留言簿"), "下载安装，\n或在留言簿");
    EXPECT_EQ(VisibleText("Unable:\n\nA sharing violation occurred. "),
              "Unable:\n\nA sharing violation occurred.");
    EXPECT_EQ(VisibleText(" 前后 "), " 前后");
}

TEST(GuideReadingTest, ReadsTheEntriesOfTheMessageSectionOnly) {
    const std::string_view guide =
        "\xEF\xBB\xBF说明\r\n====\r\n提示：不算\r\n\r\n"
        "五、程序会显示的全部提示\r\n------\r\n"
        "写法说明\r\n"
        "提示：第一行\r\n"
        "　　　第二行 \r\n"
        "　　　\r\n"
        "  解释\r\n"
        "　　　不是续行\r\n"
        "提示：甲\r\n"
        "提示：〈原因〉！\r\n"
        "  解释\r\n"
        "原因：理由一\r\n"
        "　　　\r\n"
        "　　　接着\r\n"
        "原因：理由二\r\n"
        "六、下一节\r\n------\r\n"
        "提示：也不算\r\n";
    const MessageList list = ReadMessageList(guide, "全部提示");
    EXPECT_EQ(list.problem, "");
    EXPECT_EQ(list.messages, (std::vector<std::string>{"第一行\n第二行", "甲", "〈原因〉！"}));
    EXPECT_EQ(list.reasons, (std::vector<std::string>{"理由一\n\n接着", "理由二"}));
    EXPECT_EQ(ExpandReasons(list),
              (std::vector<std::string>{"第一行\n第二行", "甲", "理由一\n\n接着！", "理由二！"}));
}

TEST(GuideReadingTest, NamesAMissingOrEmptySection) {
    EXPECT_NE(ReadMessageList("全部提示\n提示：甲\n", "全部提示").problem, "");
    EXPECT_NE(ReadMessageList("全部提示\n---\n提示\n", "全部提示").problem, "");
    EXPECT_EQ(ReadMessageList("全部提示\n---\n提示：甲\n", "全部提示").problem, "");
}

std::string Repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST(GuideReadingTest, FindsTheLinesTooWideForNotepad) {
    const std::string fits = Repeated("中", 40);                       // 80 columns
    const std::string guide = "\xEF\xBB\xBF" + fits + "\r\n" +         // 1
                              fits + "a\r\n" +                         // 2: 81 columns
                              "a\t" + Repeated("b", 72) + "\n" +       // 3: the tab ends at 8
                              "a\t" + Repeated("b", 73) + "\n" +       // 4
                              Repeated("b", 79) + "é\n" +              // 5: é is 2 columns
                              "提示：" + fits + "\n" +                 // 6: not in the section
                              "全部提示\n---\n" +                      // 7, 8
                              "提示：" + fits + "\n" +                 // 9: the box's own lines
                              "　　　" + fits + "\n" +                 // 10
                              "原因：短" + Repeated(" ", 80) + "\n" +  // 11: its text fits
                              "  " + fits + "\n";                      // 12: an explanation
    EXPECT_EQ(WideLines(guide, ReadMessageList(guide, "全部提示")),
              (std::vector<std::size_t>{2, 4, 5, 6, 11, 12}));
}

// The guide itself, as users open it.
TEST(GuideFileTest, FitsNotepadWithoutWrapping) {
    std::ifstream in(std::filesystem::path(WORDMAINT_SOURCE_DIR) / u8"docs/用户说明.txt",
                     std::ios::binary);
    const std::string guide{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(guide.empty());
    EXPECT_EQ(WideLines(guide, ReadMessageList(guide, "程序会显示的全部提示")),
              std::vector<std::size_t>())
        << "these lines are wider than " << kMaxColumns << " columns";
}

TEST(GuideReadingTest, SplitsAMessageAtItsPlaceholders) {
    EXPECT_EQ(FixedParts("〈词库文件路径〉失败"), (std::vector<std::string>{"", "失败"}));
    EXPECT_EQ(FixedParts("甲〈乙〉丙〈丁〉"), (std::vector<std::string>{"甲", "丙", ""}));
    EXPECT_EQ(FixedParts("没有占位"), (std::vector<std::string>{"没有占位"}));
}

}  // namespace
}  // namespace guide
