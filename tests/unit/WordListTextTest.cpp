#include <gtest/gtest.h>

#include "Utf8.h"
#include "WordListText.h"

// embtool build's strict form; Import's lenient form is tested through Import.
namespace emb {
namespace {

std::string U8(std::u16string_view text) {
    return ToUtf8(text);
}

std::vector<WordRecord> Words(std::string_view text) {
    const WordList list = ParseWordList(text);
    EXPECT_FALSE(list.error) << "line " << list.error->line;
    return list.words;
}

std::optional<LineError> ErrorOf(std::string_view text) {
    return ParseWordList(text).error;
}

void ExpectError(std::string_view text, std::size_t line, LineProblem problem) {
    const std::optional<LineError> error = ErrorOf(text);
    ASSERT_TRUE(error) << text;
    EXPECT_EQ(error->line, line) << text;
    EXPECT_EQ(error->problem, problem) << text;
}

TEST(WordListTextTest, KeepsWordsInTextOrderAcrossLineEndings) {
    EXPECT_EQ(Words(U8(u"bb\t人\naa\t工\r\n\r\ncc\t大")),
              (std::vector<WordRecord>{{u"bb", u"人"}, {u"aa", u"工"}, {u"cc", u"大"}}));
    EXPECT_EQ(Words(""), std::vector<WordRecord>{});
    EXPECT_EQ(Words("\n\r\n\n"), std::vector<WordRecord>{});
    EXPECT_EQ(Words("a\tb\r"), (std::vector<WordRecord>{{u"a", u"b"}}));
}

TEST(WordListTextTest, SkipsAByteOrderMarkOnlyAtTheStart) {
    EXPECT_EQ(Words("\xEF\xBB\xBF"
                    "a\tb\n"),
              (std::vector<WordRecord>{{u"a", u"b"}}));
    // Anywhere else U+FEFF is refused: a dump starting with it would lose it when read back.
    ExpectError(
        "\xEF\xBB\xBF\xEF\xBB\xBF"
        "a\tb\n",
        1, LineProblem::ByteOrderMark);
    ExpectError(
        "a\tb\n\xEF\xBB\xBF"
        "c\td\n",
        2, LineProblem::ByteOrderMark);
    ExpectError("a\tb\nc\td\xEF\xBB\xBF\n", 2, LineProblem::ByteOrderMark);
}

TEST(WordListTextTest, KeepsEmptyFieldsAndSpacesForTheTidyUpToJudge) {
    EXPECT_EQ(
        Words("\tphrase\ncode\t\n\t\n a \t b \n"),
        (std::vector<WordRecord>{{u"", u"phrase"}, {u"code", u""}, {u"", u""}, {u" a ", u" b "}}));
}

TEST(WordListTextTest, MeasuresFieldsInUtf16UnitsUpToTheFieldSizes) {
    const std::u16string code12 = u"abcdefghij\U00020000";
    const std::u16string phrase40 =
        u"\U00020000\U00020001\U00020002\U00020003\U00020004\U00020005\U00020006\U00020007"
        u"\U00020008\U00020009\U0002000A\U0002000B\U0002000C\U0002000D\U0002000E\U0002000F"
        u"\U00020010\U00020011\U00020012\U00020013";
    ASSERT_EQ(code12.size(), 12u);
    ASSERT_EQ(phrase40.size(), 40u);
    EXPECT_EQ(Words(U8(code12 + u"\t" + phrase40)), (std::vector<WordRecord>{{code12, phrase40}}));

    ExpectError(U8(u"abcdefghijk\U00020000\t工"), 1, LineProblem::CodeTooLong);
    ExpectError(U8(u"a\t" + phrase40 + u"工"), 1, LineProblem::PhraseTooLong);
    // Too long is refused even where the tidy-up would drop the line.
    ExpectError(U8(u"abcdefghijklm\t"), 1, LineProblem::CodeTooLong);
}

TEST(WordListTextTest, NamesTheFirstBadLineCountingEmptyLines) {
    ExpectError("a\tb\n\n\r\nc\xFF\td\nno tab\n", 4, LineProblem::MalformedUtf8);
    ExpectError("a\tb\nno tab\n", 2, LineProblem::NoTab);
    ExpectError("a\tb\n\na\tb\tc\n", 3, LineProblem::SeveralTabs);
    ExpectError("a\tb\r\r\n", 1, LineProblem::ControlCharacter);
    ExpectError("a\rb\tc\n", 1, LineProblem::ControlCharacter);
    ExpectError(std::string_view("a\tb\0\n", 5), 1, LineProblem::ControlCharacter);
}

TEST(WordListTextTest, RefusesEveryMalformedUtf8Form) {
    for (const std::string_view bad : {
             std::string_view("\xC0\xAF\tx"),          // overlong
             std::string_view("\xED\xA0\x80\tx"),      // encoded surrogate
             std::string_view("\xF4\x90\x80\x80\tx"),  // above U+10FFFF
             std::string_view("x\t\xE5\xB7"),          // truncated at the end of the line
             std::string_view("x\t\xE5\n\xB7\xA5"),    // a sequence split by a line end
         }) {
        ExpectError(bad, 1, LineProblem::MalformedUtf8);
    }
}

}  // namespace
}  // namespace emb
