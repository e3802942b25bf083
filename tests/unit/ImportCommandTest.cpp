#include <gtest/gtest.h>

#include <random>

#include "LibraryCommands.h"
#include "LiteralRules.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "WordTableRules.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeGbkDecoder.h"
#include "fakes/RecordingPrompt.h"
#include "support/TableText.h"

namespace emb {
namespace {

using testing::FakeFileSystem;
using testing::FakeGbkDecoder;
using testing::RecordingPrompt;
using testing::RowsOf;
using testing::RowText;
using testing::TableOf;
using Bytes = std::vector<std::uint8_t>;
using Records = std::vector<WordRecord>;
using Shown = RecordingPrompt::Shown;

const LibraryPaths kPaths{u"C:\\i\\EDNQB", u"C:\\i\\EDNQB\\EDNQB.EMB", u"C:\\i\\EDNQA",
                          u"C:\\i\\EDNQA\\EDNQA.EMB"};
const std::u16string kFile = u"E:\\备份\\words.EMB";

Bytes Raw(std::string_view bytes) {
    return Bytes(bytes.begin(), bytes.end());
}
Bytes Utf8(std::u16string_view text) {
    return Raw(ToUtf8(text));
}
// With a byte-order mark.
Bytes Utf16(std::u16string_view text, bool bigEndian) {
    Bytes bytes;
    for (const char16_t unit : std::u16string(1, 0xFEFF) + std::u16string(text)) {
        const auto high = static_cast<std::uint8_t>(unit >> 8);
        const auto low = static_cast<std::uint8_t>(unit & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}
Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// 100 lines of distinct words with 4-letter codes, LF and CR LF line ends in turn.
std::pair<Bytes, Records> HundredLineList() {
    std::u16string text;
    Records words;
    for (int i = 0; i < 100; ++i) {
        const std::u16string code = {u'k', kCodeLetters[i / 25], kCodeLetters[i % 25], u'y'};
        const std::u16string phrase = {static_cast<char16_t>(0x4E10 + i),
                                       static_cast<char16_t>(0x6C00 + i)};
        words.push_back({code, phrase});
        text += code + u'\t' + phrase + (i % 2 == 0 ? u"\n" : u"\r\n");
    }
    return {Utf8(text), words};
}

Bytes RandomBytes(std::size_t count) {
    std::mt19937 random(18);
    Bytes bytes(count);
    for (std::uint8_t& byte : bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

class ImportCommandTest : public ::testing::Test {
protected:
    void Import() { ImportWords({table, kPaths, files, prompt}, gbk); }
    void ImportFile(const Bytes& bytes) {
        files.files[kFile] = bytes;
        prompt.fileAnswers.push_back(kFile);
        Import();
    }
    void ImportFile(const Records& records) { ImportFile(BuildFileImage(records).bytes); }

    MemoryWordTable table;
    FakeFileSystem files;
    RecordingPrompt prompt;
    FakeGbkDecoder gbk;
};

struct FileCase {
    std::string name;
    Bytes file;
    Records added;                  // rows after the table's word a/一, then the blank row
    std::vector<Shown> shown = {};  // after the open dialog
    bool imported = true;           // false: nothing added, not even the blank row
    MessageAnswer answer = MessageAnswer::No;  // to a question
};

const std::u16string kNotImportable = kFile + u"\n不是自造词库文件，也不是文本词表，没有导入。";
const std::u16string kCodeRule =
    u"\n这些行不是“编码 词组”或“词组 编码”，或者编码不是1到4个字母a～y、词组不是1到40个汉字。";

std::u16string LargeCountQuestion(std::u16string_view count) {
    return kFile + u"\n这个文件的记录数是" + std::u16string(count) +
           u"，不像本程序保存的词库。\n仍然按词库导入吗？";
}

TEST_F(ImportCommandTest, DecidesWhatTheFileIsAndAddsOnlyWords) {
    const auto [hundredLines, hundredWords] = HundredLineList();
    const Records khlgWqvb = {{u"khlg", u"中国"}, {u"wqvb", u"你好"}};
    Bytes shortBackup = BuildFileImage(Records{{u"wq", u"你们"}}).bytes;
    shortBackup[0] = 4;
    shortBackup.resize(CodeFieldOffset(1));
    Bytes damaged = BuildFileImage(khlgWqvb).bytes;
    damaged[0] = damaged[1] = 0xFF;
    Bytes noMark = Utf16(u"khlg\t中国", false);
    noMark.erase(noMark.begin(), noMark.begin() + 2);
    const Bytes png = Raw(std::string_view("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)) + RandomBytes(60);
    const std::u16string phrase40(40, u'词');

    const std::vector<FileCase> cases = {
        {"100-line UTF-8 list, LF and CR LF", hundredLines, hundredWords},
        {"UTF-8 with a byte-order mark", Raw("\xEF\xBB\xBF") + Utf8(u"khlg\t中国\nwqvb\t你好"),
         khlgWqvb},
        {"UTF-16 LE", Utf16(u"khlg\t中国\r\nwqvb\t你好\r\n", false), khlgWqvb},
        {"UTF-16 BE", Utf16(u"khlg\t中国\r\nwqvb\t你好\r\n", true), khlgWqvb},
        {"GBK", Raw("khlg\t\xD6\xD0\xB9\xFA\r\nwqvb \xC4\xE3\xBA\xC3\r\n"), khlgWqvb},
        {"phrase before code", Utf8(u"中国\tkhlg\n你好 wqvb\n"), khlgWqvb},
        {"spaces and tabs", Utf8(u"  khlg   中国 \n\t wqvb \t 你好\t\n"), khlgWqvb},
        {"blank lines", Utf8(u"\n\r\n   \nkhlg\t中国\n\t\n\nwqvb\t你好\n\n"), khlgWqvb},
        {"uppercase codes", Utf8(u"KHLG\t中国\nWqVb\t你好"), khlgWqvb},
        {"codes with z, digits or more than four letters",
         Utf8(u"khlg\t中国\nzzzz\t某\nab1\t某\nabcde\t某\na\t一\nwqvb\t你好\n"),
         khlgWqvb,
         {{u"导入了2个词，1个重复的词没有添加。\n跳过了3行：第2、3、4行。" + kCodeRule}}},
        {"phrases with ASCII or too long, lines of one or three fields",
         Utf8(u"ab\t中a国\n\nab\tabc\nkhlg\t" + phrase40 + u"\nab\t" + phrase40 +
              u"词\n一 二 三\nab\t中 国\nwqvb\t你好\nxyz\n"),
         {{u"khlg", phrase40}, {u"wqvb", u"你好"}},
         {{u"导入了2个词，0个重复的词没有添加。\n跳过了6行：第1、3、5、6、7……行。" + kCodeRule}}},
        {"a backup",
         BuildFileImage(Records{{u"wq", u"你们"}, {u"a", u"一"}}).bytes,
         {{u"wq", u"你们"}}},
        {"a backup shorter than its count", shortBackup, {{u"wq", u"你们"}, {u"", u""}}},
        {"an empty file", {}, {}},
        {"a one-byte file", {0x05}, {}},
        {"count 65535 answered yes",
         damaged,
         {khlgWqvb[0], khlgWqvb[1], {u"", u""}},
         {{LargeCountQuestion(u"65535"), MessageButtons::YesNo}},
         true,
         MessageAnswer::Yes},
        {"count 65535 answered no",
         damaged,
         {},
         {{LargeCountQuestion(u"65535"), MessageButtons::YesNo}},
         false},
        {"a PNG", png, {}, {{LargeCountQuestion(u"20617"), MessageButtons::YesNo}}, false},
        {"text without a word",
         Utf8(u"hello world\n"),
         {},
         {{LargeCountQuestion(u"25960"), MessageButtons::YesNo}},
         false},
        {"text with a control character",
         Utf8(u"khlg\t中国\n\x01\n"),
         {},
         {{LargeCountQuestion(u"26731"), MessageButtons::YesNo}},
         false},
        {"random bytes with a small count",
         Raw(std::string_view("\x03\0", 2)) + RandomBytes(300),
         {},
         {{kNotImportable}},
         false},
        {"UTF-16 without a byte-order mark", noMark, {}, {{kNotImportable}}, false},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        table = TableOf({{u"a", u"一", u"0000"}, {u"", u"", u"0001"}});
        prompt.shown.clear();
        prompt.answers = {c.answer};
        ImportFile(c.file);

        std::vector<RowText> expected = {{u"a", u"一", u"0000"}};
        for (const WordRecord& word : c.added) {
            expected.push_back(
                {word.code, word.phrase, FormatRowNumber(static_cast<int>(expected.size()))});
        }
        if (c.imported) {
            expected.push_back({u"", u"", FormatRowNumber(static_cast<int>(expected.size()))});
        }
        EXPECT_EQ(RowsOf(table), expected);
        std::vector<Shown> shown = {{u"<open dialog>"}};
        shown.insert(shown.end(), c.shown.begin(), c.shown.end());
        EXPECT_EQ(prompt.shown, shown);
        EXPECT_EQ(files.OpenFiles(), 0);
    }
}

TEST_F(ImportCommandTest, OffersUserWordFilesFirstThenWordListsAndACancelStillTidies) {
    table = TableOf({{u"a", u"一", u"0000"},
                     {u"", u"二", u"0001"},
                     {u"c", u"三", u"0002"},
                     {u"", u"", u"0003"}});
    Import();
    ASSERT_EQ(prompt.dialogs.size(), 1u);
    const FileDialogRequest& request = prompt.dialogs[0];
    EXPECT_EQ(request.kind, FileDialogKind::Open);
    EXPECT_EQ(request.filter, u"save files (*.EMB)|*.EMB|文本词表 (*.txt)|*.txt||");
    EXPECT_EQ(request.defaultExtension, u"EMB");
    EXPECT_EQ(request.flags, 2u);
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{{u"a", u"一", u"0000"}, {u"c", u"三", u"0001"}}));
    EXPECT_EQ(prompt.shown, (std::vector<Shown>{{u"<open dialog>"}}));
}

TEST_F(ImportCommandTest, AFileThatCantBeReadIsReported) {
    table = TableOf({{u"a", u"一", u"0000"}, {u"", u"", u"0001"}});
    files.files[kFile] = EmptyFileImage();
    files.locked.insert(kFile);
    prompt.fileAnswers.push_back(kFile);
    Import();
    EXPECT_EQ(prompt.shown,
              (std::vector<Shown>{{u"<open dialog>"}, {u"打开文件失败", MessageButtons::Ok}}));
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"a", u"一", u"0000"}}));

    prompt.shown.clear();
    prompt.fileAnswers.push_back(u"E:\\missing.EMB");
    Import();
    EXPECT_EQ(prompt.shown.back(), (Shown{u"打开文件失败", MessageButtons::Ok}));
}

TEST_F(ImportCommandTest, AReadOnlyFileImportsAndIsNeverWritten) {
    files.readOnly.insert(kFile);
    ImportFile(Records{{u"a", u"一"}});
    ImportFile(Utf8(u"b\t二\n"));
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{
                  {u"a", u"一", u"0000"}, {u"b", u"二", u"0001"}, {u"", u"", u"0002"}}));
    for (const std::string& entry : files.log) {
        EXPECT_EQ(entry.find("write"), std::string::npos) << entry;
    }
}

TEST_F(ImportCommandTest, OnlyExactDuplicatesAreSkipped) {
    table = TableOf({{u"a", u"一", u"0000"}, {u"b", u"二", u"0001"}, {u"", u"", u"0002"}});
    ImportFile(Records{{u"a", u"一"},    // already there
                       {u"x", u"一"},    // same phrase, other code
                       {u"b", u"三"},    // same code, other phrase
                       {u"A", u"一"},    // codes compare case-sensitively
                       {u"x", u"一"}});  // a duplicate of a row added by this import
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"a", u"一", u"0000"},
                                                   {u"b", u"二", u"0001"},
                                                   {u"x", u"一", u"0002"},
                                                   {u"b", u"三", u"0003"},
                                                   {u"A", u"一", u"0004"},
                                                   {u"", u"", u"0005"}}));
}

TEST_F(ImportCommandTest, TheLibrarysOwnBackupAddsNothingAndAClearedTableNumbersFromZero) {
    const Records words = {{u"a", u"一"}, {u"b", u"二"}};
    files.files[kPaths.traditionalPath] = BuildFileImage(words).bytes;
    LoadChosenLibrary({table, kPaths, files, prompt}, LibraryChoice::Traditional);
    ImportFile(words);
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{
                  {u"a", u"一", u"0000"}, {u"b", u"二", u"0001"}, {u"", u"", u"0002"}}));

    table.DeleteAllRows();
    ImportFile(Utf8(u"q\t七\n"));
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"q", u"七", u"0000"}, {u"", u"", u"0001"}}));
}

TEST_F(ImportCommandTest, GivesTheRowsOfARowByRowDuplicateScan) {
    std::mt19937 random(7);
    auto word = [&] {
        return WordRecord{
            std::u16string(1, static_cast<char16_t>(u'a' + random() % 4)),
            std::u16string(1 + random() % 2, static_cast<char16_t>(0x4E00 + random() % 3))};
    };
    for (int round = 0; round < 50; ++round) {
        MemoryWordTable start;
        for (int i = 0; i < static_cast<int>(random() % 12); ++i) {
            const WordRecord w = word();
            start.InsertRow(i, random() % 5 == 0 ? u"" : w.code);  // some incomplete rows
            start.SetCellText(i, kPhraseColumn, w.phrase);
        }
        Records records;
        for (int i = 0; i < static_cast<int>(random() % 20); ++i) {
            records.push_back(word());
        }
        MemoryWordTable expected = start;
        reference::ImportRecordsScanningRows(expected, records);
        table = start;
        ImportFile(records);
        ASSERT_EQ(RowsOf(table), RowsOf(expected)) << "round " << round;
    }
}

}  // namespace
}  // namespace emb
