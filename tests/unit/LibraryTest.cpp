#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "ImportedFile.h"
#include "LiteralRules.h"
#include "SavedWords.h"
#include "StdioFile.h"
#include "Utf8.h"
#include "WordListDecoding.h"
#include "WordListExport.h"
#include "WordListText.h"
#include "support/ChineseDecoder.h"
#include "support/TableText.h"

namespace emb {
namespace {

using namespace testing;

TEST(UserWordFormat, AnImageIsTheCountThenFixedSlotsOfLittleEndianText) {
    // The last record fills both fields: no terminator, and nothing of the next slot is read.
    const Records records = {{u"kh", u"中"},
                             {u"w\U00010000", u"\U0010FFFF"},
                             {std::u16string(12, u'~'), std::u16string(40, u'字')}};
    Bytes expected(127090);
    const auto put = [&expected](std::size_t at, const Bytes& bytes, std::size_t times = 1) {
        for (std::size_t k = 0; k < times * bytes.size(); ++k) {
            expected[at + k] = bytes[k % bytes.size()];
        }
    };
    put(0, {3, 0});
    put(2, {0x6B, 0, 0x68, 0});
    put(26, {0x2D, 0x4E});
    put(106, {0x77, 0, 0x00, 0xD8, 0x00, 0xDC});
    put(130, {0xFF, 0xDB, 0xFF, 0xDF});
    put(210, {0x7E, 0}, 12);
    put(234, {0x57, 0x5B}, 40);
    EXPECT_EQ(ImageOf(records), expected);
    EXPECT_EQ(RecordsOf(expected), records);
    EXPECT_EQ(EmptyFileImage(), Bytes(127090));
    EXPECT_EQ(ImageOf({}), Bytes(127090));
}

TEST(UserWordFormat, RefusesWhatDoesNotFitAndReadsMissingBytesAsZero) {
    const std::tuple<Records, ImageError, std::size_t> refused[] = {
        {Records(1222, {u"a", u"一"}), ImageError::TooManyRecords, 0},
        {{{u"a", u"一"}, {std::u16string(13, u'a'), u"二"}}, ImageError::CodeTooLong, 1},
        {{{u"a", std::u16string(41, u'字')}}, ImageError::PhraseTooLong, 0},
    };
    for (const auto& [records, error, badRecord] : refused) {
        const FileImage image = BuildFileImage(records);
        EXPECT_EQ(std::tuple(image.error, image.badRecord, image.bytes.size()),
                  std::tuple(error, badRecord, 0u));
    }
    Bytes cut = ImageOf({{u"ab", u"一二"}, {u"cdef", u"三"}});
    cut[0] = 4;
    cut.resize(CodeFieldOffset(1) + 5);  // "cd" and the low byte of 'e'
    EXPECT_EQ(RecordsOf(cut), (Records{{u"ab", u"一二"}, {u"cde", u""}, {}, {}}));
    EXPECT_EQ(RecordsOf({5}), Records());
    EXPECT_EQ(RecordsOf({}), Records());
}

TEST(Utf8, EncodesEachLengthUpToItsBoundsAndDecodesOnlyStrictUtf8) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"", ""},
        {u"a\u007F", "a\x7F"},
        {u"\u0080\u07FF", "\xC2\x80\xDF\xBF"},
        {u"\u0800\uFFFF", "\xE0\xA0\x80\xEF\xBF\xBF"},
        {u"\U00010000\U0001F600\U0010FFFF", "\xF0\x90\x80\x80\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"},
    };
    for (const auto& [text, utf8] : cases) {
        EXPECT_EQ(ToUtf8(text), utf8);
        EXPECT_EQ(FromUtf8(utf8), text);
    }
    EXPECT_EQ(ToUtf8(std::u16string_view(u"\xD800\xDC00", 1)), "\xEF\xBF\xBD");  // pair cut
    EXPECT_EQ(ToUtf8(std::u16string{u'a', 0xD800, u'b', 0xDC00, 0xDBFF}),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD\xEF\xBF\xBD");
    for (const char* bad :
         {"\x80", "\xC3", "a\xE4\xB8", "\xC3(", "\xC0\xAF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF",
          "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80"}) {
        EXPECT_FALSE(FromUtf8(bad)) << bad;
    }
}

TEST(StdioFile, OpensByModeAndWritesInPlace) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / u"stdio-词库";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::u16string path = (folder / u"词库.EMB").u16string();
    for (const std::u16string& bad : {std::u16string(), path + u'\0' + u"x"}) {
        EXPECT_EQ(StdioFile::Open(bad, StdioFile::Mode::CreateNew), nullptr);
    }
    EXPECT_EQ(StdioFile::Open(path, StdioFile::Mode::Read), nullptr);
    EXPECT_EQ(StdioFile::Open(path, StdioFile::Mode::Update), nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(folder));

    auto created = StdioFile::Open(path, StdioFile::Mode::CreateNew);
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->WriteAt(0, ImageOf({{u"a", u"一"}, {u"b", u"二"}}) + Bytes{7}));
    EXPECT_TRUE(created->Close());
    EXPECT_EQ(StdioFile::Open(path, StdioFile::Mode::CreateNew), nullptr);

    auto update = StdioFile::Open(path, StdioFile::Mode::Update);
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update->Size(), 127091u);
    EXPECT_TRUE(update->WriteAt(0, ImageOf({{u"khlg", u"中国"}})));
    EXPECT_EQ(ReadAllRecords(*update), (Records{{u"khlg", u"中国"}}));  // read after a write
    EXPECT_TRUE(update->Close());

    auto read = StdioFile::Open(path, StdioFile::Mode::Read);
    ASSERT_NE(read, nullptr);
    Bytes stored(127100);
    stored.resize(read->ReadAt(0, stored));
    EXPECT_EQ(stored, ImageOf({{u"khlg", u"中国"}}) + Bytes{7});
    EXPECT_FALSE(read->WriteAt(0, Bytes{1}) && read->Close());
    read.reset();
    std::filesystem::remove_all(folder);
}

TEST(WordListText, TheStrictFormIsOneTabBetweenFieldsThatFit) {
    const std::u16string code12 = u"abcdefghij\U00020000";
    const std::u16string phrase40 = std::u16string(38, u'字') + u"\U00020000";
    using P = LineProblem;
    const std::tuple<std::string, Records, std::size_t, P> cases[] = {
        {"b\tx\na\ty\r\n\r\nc\tz\r", {{u"b", u"x"}, {u"a", u"y"}, {u"c", u"z"}}, 0, {}},
        {"\xEF\xBB\xBF\tp\nc\t\n\t\n a \t b ",
         {{u"", u"p"}, {u"c", u""}, {}, {u" a ", u" b "}},
         0,
         {}},
        {ToUtf8(code12 + u"\t" + phrase40), {{code12, phrase40}}, 0, {}},
        {"", {}, 0, {}},
        {"a\tb\n\n\r\nc\xFF\td\nno tab\n", {}, 4, P::MalformedUtf8},
        {"x\t\xE5\n\xB7\xA5", {}, 1, P::MalformedUtf8},
        {"a\tb\nno tab", {}, 2, P::NoTab},
        {"a\tb\tc", {}, 1, P::SeveralTabs},
        {"a\tb\r\r\n", {}, 1, P::ControlCharacter},
        {std::string("a\t\0", 3), {}, 1, P::ControlCharacter},
        {"\xEF\xBB\xBF\xEF\xBB\xBF\tb", {}, 1, P::ByteOrderMark},
        {"a\tb\nc\td\xEF\xBB\xBF", {}, 2, P::ByteOrderMark},
        {ToUtf8(u"abcdefghijk\U00020000\t工"), {}, 1, P::CodeTooLong},
        {ToUtf8(u"a\t" + phrase40 + u"工"), {}, 1, P::PhraseTooLong},
    };
    for (const auto& [text, words, line, problem] : cases) {
        const WordList list = ParseWordList(text);
        EXPECT_EQ(list.words, words) << text;
        EXPECT_EQ(list.error ? std::pair(list.error->line, list.error->problem)
                             : std::pair(std::size_t{0}, P{}),
                  std::pair(line, problem))
            << text;
    }
}

// What a word list's bytes most likely are, line by line.
TEST(WordListDecoding, TakesTheEncodingTheLinesMostLikelyAre) {
    const auto raw = [](std::string_view text) { return Bytes(text.begin(), text.end()); };
    const Bytes nimen = raw("wqwy\t\xC4\xE3\xC3\xC7\n");           // 你们 in GBK
    const std::u16string utf8Words = u"wqwu\t我们\npwnr\t学习\n";  // GBK: 鎴戜滑, 瀛︿範
    const Bytes china = Utf8Bytes(u"khlg\t中国\n");
    // Thirty lines, every n-th of them the odd one.
    const auto thirty = [](int n, const Bytes& odd, const Bytes& usual, std::u16string_view oddText,
                           std::u16string_view usualText) {
        std::pair<Bytes, std::u16string> list;
        for (int line = 1; line <= 30; ++line) {
            list.first = list.first + (line % n == 0 ? odd : usual);
            list.second += line % n == 0 ? oddText : usualText;
        }
        return list;
    };
    const auto [oneBad, oneBadText] = thirty(17, nimen, china, u"\n", u"khlg\t中国\n");
    const auto [oneWord, oneWordText] = thirty(30, nimen, raw("#\n"), u"wqwy\t你们\n", u"#\n");
    const auto [gbk, gbkText] = thirty(3, raw("pwnr\t\xD1\xA7\xCF\xB0\n"), nimen,  // UTF-8 too
                                       u"pwnr\t学习\n", u"wqwy\t你们\n");
    Bytes noMark = Utf16Bytes(u"khlg\t中国", false);
    noMark.erase(noMark.begin(), noMark.begin() + 2);
    const struct {
        Bytes bytes;
        std::optional<std::u16string> text;  // nullopt: refused
        std::vector<std::size_t> undecodable = {};
    } cases[] = {
        // A byte-order mark decides.
        {Bytes{0xEF, 0xBB, 0xBF} + Utf8Bytes(u"khlg 中国\r\n") + nimen, u"khlg 中国\r\n\n", {2}},
        {Utf16Bytes(u"khlg\t中国\r\n", false), u"khlg\t中国\r\n"},
        {Utf16Bytes(u"\U0010FFFF你好\twqvb", true), u"\U0010FFFF你好\twqvb"},
        {Utf16Bytes(u"khlg\t中国\xD800\xE000", false), std::nullopt},
        {Utf16Bytes(u"khlg\t中国\xDC00", false), std::nullopt},
        {Utf16Bytes(u"中国\t\tkhl", false) + Bytes{'g'}, std::nullopt},  // half a unit
        {noMark, u"khlg\t中国"},  // UTF-16 LE without its mark: NULs at odd offsets
        // UTF-8 but for one line in twenty.
        {Utf8Bytes(utf8Words) + nimen, utf8Words + u"\n", {3}},
        {oneBad, oneBadText, {17}},
        // Else the reading with more Chinese words; UTF-8 when they are as many.
        {nimen + china, u"\nkhlg\t中国\n", {1}},
        {raw("nydv\t\xC3\xA6\xC2\xB5\nbfkh\t\xC2\xBD\xC2\xB7\nqgad\t\xC2\xB3\xC3\xA7"),
         u"nydv\t忙碌\nbfkh\t陆路\nqgad\t鲁莽"},
        {gbk, gbkText},
        {oneWord, oneWordText},  // ASCII lines read as both
        {Utf8Bytes(utf8Words), utf8Words},
        {Utf8Bytes(u"hello\tworld"), u"hello\tworld"},
        {nimen + Bytes{0xFF, 0xFF}, std::nullopt},
        {Utf8Bytes(u"khlg\t中国\n\x01\n"), std::nullopt},
        {Utf8Bytes(u"khlg\t中国\x7F"), std::nullopt},
        {Utf8Bytes(u"khlg\t中国\u009F"), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const std::optional<DecodedText> decoded = DecodeWordListText(c.bytes, ChineseDecoder());
        ASSERT_EQ(decoded.has_value(), c.text.has_value());
        if (decoded) {
            EXPECT_EQ(decoded->text, *c.text);
            EXPECT_EQ(decoded->undecodableLines, c.undecodable);
        }
    }
}

// The word lists other input methods write, and the two this program writes, read back.
TEST(WordListText, ReadsTheFormsOtherInputMethodsWrite) {
    const Records two = {{u"wqwu", u"我们"}, {u"pwnr", u"学习"}};
    const struct {
        Bytes file;
        Records words;
        std::size_t deleted = 0;
        std::vector<std::size_t> skipped = {};
        std::size_t coded = 0;
    } cases[] = {
        // Rime dictionaries: the header's columns, as a block or a flow list, or the default.
        {Utf8Bytes(u"# Rime\n---\nname: w\ncolumns:\n  - code\n  - text\n...\n# 注释\n"
                   u"wqwu\t我们\t100\npwnr\t学习\nwqwu\n"),
         two,
         0,
         {11}},
        {Utf8Bytes(u"---\ncolumns: [text, \"code\"]\n...\n我们\twqwu\n学习\tpwnr\t5\n"), two},
        {Utf8Bytes(u"---\n...\n我们\twqwu\t9\twq\n学习\n学 习\tpwnr\n"), {two[0]}, 0, {4, 5}},
        // A Rime snapshot: its # lines, counts after the words, a deleted word.
        {Utf8Bytes(u"#@/db\tw\nwqwu \t我们\tc=3 t=2\npwnr \t学习\tc=-1 d=.1"), {two[0]}, 1},
        // A code and the phrases it types.
        {Utf8Bytes(u"wqwu 我们 你们\r\npwnr 学习\r\n"), {two[0], {u"wqwu", u"你们"}, two[1]}},
        // A table file's header and sections, in GBK.
        {Utf8Bytes(u"[Description]\nName=Wubi\nMaxCodes=4\n[Rule]\nce2=p11+p12+p21+p22\n"
                   u"[Data]\nwqwu ") +
             Bytes{0xCE, 0xD2, 0xC3, 0xC7, '\n', 'p', 'w', 'n', 'r', ' ', 0xD1, 0xA7, 0xCF, 0xB0},
         two},
        // A phrase, then its code with a flag or a weight.
        {Utf8Bytes(u"我们\twqwu#固\t10%\n学习\tpwnr\t-3\n"), two},
        // Not words: a code with z, a setting outside a header, a count amid the fields.
        {Utf8Bytes(u"zzzz\t我们\nkey=value\nwqwu 100 我们\npwnr\t学习\n"), {two[1]}, 0, {1, 2, 3}},
        // A phrase alone, when its code can be worked out.
        {Utf8Bytes(u"经济\n某\n---\n"), {{u"xiyy", u"经济"}}, 0, {2, 3}, 1},
        // What Backup writes.
        {TextWordListFile(two), two},
        {RimeDictionaryFile(Records{two[0], {u"", u"空"}, two[1]}, u"w", u"2026-12-07"), two},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        OneCode codes;
        const ImportedFile file = ExamineImportedFile(c.file, ChineseDecoder(), &codes);
        EXPECT_EQ(file.words, c.words);
        EXPECT_EQ(file.deletedWords, c.deleted);
        EXPECT_EQ(file.skippedLines, c.skipped);
        EXPECT_EQ(file.codedWords, c.coded);
    }
}

TEST(WordListDecoding, ChinesePhrasesAreIdeographsCjkPunctuationAndFullWidthForms) {
    EXPECT_TRUE(IsChinesePhrase(u"中〇「」㐀豈︵，Ａ１\U00020000"));
    for (const std::u16string_view other : {u"æµ", u"ソ", u"\uE000", u"한", u"😀", u"中a"}) {
        EXPECT_FALSE(IsChinesePhrase(other)) << ToUtf8(other);
    }
}

TEST(WordTableRules, AnEditedCellIsCleanedAndACompleteLastRowGetsABlankOneAfter) {
    EXPECT_EQ(FormatRowNumber(42) + u" " + FormatRowNumber(10000), u"0042 10000");
    const std::u16string thirtyNine(39, u'字');
    const std::u16string pairAtForty = std::u16string(38, u'字') + u"\U00010000";
    const std::tuple<int, std::u16string, std::u16string> cells[] = {
        {kCodeColumn, u"abcdef", u"abcd"},
        {kCodeColumn, u"abc\U0010FFFF", u"abc"},
        {kCodeColumn, u"AB12", u"ab"},  // pasted past the editor's filter
        {kCodeColumn, u"z工 a-Ｂ\tc", u"ac"},
        {kPhraseColumn, u"ab 中1\u0080\u0081,\t文", u"中\u0081文"},
        {kPhraseColumn, std::u16string(41, u'字'), std::u16string(40, u'字')},
        {kPhraseColumn, thirtyNine + u"\U00010000", thirtyNine},
        {kPhraseColumn, pairAtForty + u"字", pairAtForty},
        {kPhraseColumn, thirtyNine + u"\xD800字", thirtyNine + u"\xD800"},  // no pair to keep whole
    };
    for (const auto& [column, text, cleaned] : cells) {
        MemoryWordTable table = TableOf({{}});
        table.SetCellText(0, column, text);
        ApplyCellEditRule(table, 0, column);
        EXPECT_EQ(table.Rows(), Numbered({{column == kCodeColumn ? cleaned : u"",
                                           column == kPhraseColumn ? cleaned : u""}}));
    }
    const std::pair<Records, Records> ends[] = {
        {{{u"wq", u"你们"}}, {{u"wq", u"你们"}, {}}},
        {{{u"a", u"一"}, {u"b", u"二"}}, {{u"a", u"一"}, {u"b", u"二"}, {}}},
        {{{u"a", u"一"}, {}}, {{u"a", u"一"}, {}}},
        {{{u"ab", u"abc"}}, {{u"ab", u""}}},
        {{}, {}},
    };
    for (const auto& [before, after] : ends) {
        MemoryWordTable table = TableOf(before);
        ApplyCellEditRule(table, 0, kPhraseColumn);
        EXPECT_EQ(table.Rows(), Numbered(after));
    }
}

// The sort alone, and the tidy-up then the sort, whose order of equal codes the saved files
// show.
TEST(WordTableRules, SavesPreparationLeavesWhatTheLiteralStepsLeave) {
    std::mt19937 random(2026);
    const auto letter = [&random] { return static_cast<char16_t>(u'a' + random() % 3); };
    for (int round = 0; round < 300; ++round) {
        MemoryWordTable fast;
        for (int row = 0; row < static_cast<int>(random() % 40); ++row) {
            const unsigned kind = random() % 6;
            fast.InsertRow(row, kind == 0  ? u""
                                : kind < 3 ? std::u16string{letter()}
                                           : std::u16string{letter(), letter()});
            fast.SetCellText(row, kPhraseColumn, kind == 5 ? u"" : FormatRowNumber(row));
        }
        MemoryWordTable literal = fast;
        MemoryWordTable sorted = fast;  // the sort alone
        MemoryWordTable sortedLiterally = fast;
        SortRowsByCode(sorted, 0, sorted.RowCount() - 1);
        reference::SortRowsByCodeThroughCells(sortedLiterally, 0, sorted.RowCount() - 1);
        ASSERT_EQ(sorted.Rows(), sortedLiterally.Rows()) << "round " << round;
        const std::optional<Records> records = PrepareRecordsForSave(fast);
        reference::TidyUpRowsOneByOne(literal);
        reference::SortRowsByCodeThroughCells(literal, 0, literal.RowCount() - 1);
        ASSERT_EQ(fast.Rows(), literal.Rows()) << "round " << round;
        ASSERT_TRUE(records);
        EXPECT_EQ(Numbered(*records), fast.Rows());
    }
}

TEST(MemoryWordTable, CellsAndRowsOutsideTheTableAreLeftAlone) {
    MemoryWordTable table = TableOf({{u"a", u"一"}, {u"b", u"二"}});
    for (const auto& [row, column] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 3}}) {
        EXPECT_EQ(table.CellText(row, column), u"");
        table.SetCellText(row, column, u"x");
        table.DeleteRow(row == 0 ? column : row);
    }
    EXPECT_EQ(table.Rows(), Numbered({{u"a", u"一"}, {u"b", u"二"}}));
    table.InsertRow(0, u"0");
    table.InsertRow(3, u"c");
    table.DeleteRows({0, 2});
    EXPECT_EQ(table.Rows(), (Rows{Numbered({{u"a", u"一"}})[0], {u"c", u"", u""}}));
}

TEST(SavedWords, TellWhetherSaveWouldWriteOtherWordsAndWhatTheFileHasGained) {
    const SavedWords saved(Records{{u"b", u"乙"}, {u"a", u"甲"}, {u"a", u"甲"}, {u"", u"空"}});
    const std::pair<Records, bool> tables[] = {
        {{{u"b", u"乙"}, {u"a", u"甲"}, {u"a", u"甲"}, {}}, false},
        {{{u"a", u"甲"}, {u"", u"删"}, {u"a", u"甲"}, {u"b", u"乙"}}, false},
        {{{u"b", u"乙"}, {u"a", u"甲"}, {u"a", u"申"}}, true},
        {{{u"b", u"乙"}, {u"a", u"甲"}, {u"", u"甲"}}, true},
        {{{u"b", u"乙"}, {u"a", u"甲"}, {u"a", u"甲"}, {u"b", u"乙"}}, true},
    };
    for (const auto& [words, differs] : tables) {
        EXPECT_EQ(saved.DifferFrom(TableOf(words)), differs) << words.size();
    }
    const std::pair<Records, Records> files[] = {
        {{{u"a", u"甲"}, {u"b", u"乙"}, {u"a", u"甲"}}, {}},
        {{{u"a", u"甲"}}, {}},
        {{{u"z", u"新"}, {u"a", u"甲"}, {u"b", u"乙"}, {u"a", u"甲"}, {u"c", u"丙"}},
         {{u"z", u"新"}, {u"c", u"丙"}}},
        {{{u"a", u"甲"}, {u"a", u"甲"}, {u"a", u"甲"}}, {{u"a", u"甲"}}},
        {{{u"d", u""}, {u"", u"丁"}}, {}},
    };
    for (const auto& [file, added] : files) {
        EXPECT_EQ(saved.AddedIn(file), added) << file.size();
    }
    const Records many(1222, {u"a", u"甲"});  // more than Save writes, loaded and left alone
    EXPECT_FALSE(SavedWords(many).DifferFrom(TableOf(many)));
}

}  // namespace
}  // namespace emb
