#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "ImportedFile.h"
#include "LazyCodeTable.h"
#include "LibraryCommands.h"
#include "Messages.h"
#include "Utf8.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/RecordingPrompt.h"
#include "support/ChineseDecoder.h"
#include "support/TableText.h"

namespace emb {
namespace {

using namespace testing;
using Shown = RecordingPrompt::Shown;
using Disk = std::function<void(FakeFileSystem&)>;
using A = MessageAnswer;

const LibraryPaths kPaths{u"D:\\p\\EDNBX", u"D:\\p\\EDNBX\\EDNBX.EMB", u"D:\\p\\EDNAX",
                          u"D:\\p\\EDNAX\\EDNAX.EMB"};
const std::u16string& kLibrary = kPaths.simplifiedPath;
const std::u16string kFile = u"E:\\备份\\words.EMB";
const Records kOld = {{u"old", u"旧"}};
const Records kTraditional = {{u"f", u"繁"}};
const Bytes kTail = {0x42};  // the library is longer than an image: its tail stays
const std::u16string kNoLibrary(kNoLibraryChosenMessage);

Records Words(int count, bool descending) {
    Records words;
    for (int i = 0; i < count; ++i) {
        words.push_back({FormatRowNumber(descending ? count - 1 - i : i), u"词"});
    }
    return words;
}

// What the main window holds: the table, the libraries' disk, the user.
struct Session {
    explicit Session(const Records& rows, const Disk& disk = nullptr) : table(TableOf(rows)) {
        files.files = {{kPaths.traditionalPath, ImageOf(kTraditional)},
                       {kLibrary, ImageOf(kOld) + kTail}};
        if (disk) {
            disk(files);
        }
    }
    LibraryContext Context() { return {table, kPaths, files, prompt}; }

    MemoryWordTable table;
    FakeFileSystem files;
    RecordingPrompt prompt;
};

TEST(LoadCommand, ShowsTheFilesRecordsThenABlankRowOrSaysWhyNot) {
    Bytes cut = ImageOf({{u"ab", u"一"}, {u"cd", u"二三"}});
    cut[0] = 4;
    cut.resize(PhraseFieldOffset(1) + 2);  // record 1 cut after its first phrase unit
    const Records stored = {{u"abcdefghijkl", u"a 工"}};  // shown as stored
    const std::pair<Disk, Records> cases[] = {
        // no rows: the file is refused
        {[&](auto& f) { f.files[kLibrary] = ImageOf(stored); }, {stored[0], {}}},
        {[&](auto& f) { f.files[kLibrary] = cut; }, {{u"ab", u"一"}, {u"cd", u"二"}, {}, {}, {}}},
        {[](auto& f) { f.files[kLibrary] = {7}; }, {{}}},
        {[](auto& f) { f.files.erase(kLibrary); }, {{}}},
        {[](auto& f) { f.readOnly = {kLibrary}; }, {}},
        {[](auto& f) { f.locked = {kLibrary}; }, {}},
        {[](auto& f) { f.files.erase(kLibrary), f.folders = {u"D:"}; }, {}},
    };
    const std::vector<Shown> refused = {{kLibrary}, {std::u16string(kOpenErrorMessage)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Session s({{u"x", u"未存"}}, c.first);
        std::map<std::u16string, Bytes> files = s.files.files;  // what is there is never written
        if (!c.second.empty()) {
            files.try_emplace(kLibrary, EmptyFileImage());
        }
        EXPECT_FALSE(LoadChosenLibrary(s.Context(), LibraryChoice::Simplified).DifferFrom(s.table));
        EXPECT_EQ(s.table.Rows(), Numbered(c.second));
        EXPECT_EQ(s.prompt.shown, c.second.empty() ? refused : std::vector<Shown>());
        EXPECT_EQ(s.files.files, files);
    }
    Session s({});
    LoadChosenLibrary(s.Context(), LibraryChoice::None);  // as the traditional library
    EXPECT_EQ(s.table.Rows(), Numbered({kTraditional[0], {}}));
}

TEST(SaveCommand, WritesTheTidiedSortedTableInPlaceOrSaysWhyNot) {
    const Bytes before = ImageOf(kOld) + kTail;
    const Shown failed{SaveFailedMessage(kLibrary, true)};
    const Shown tooMany{std::u16string(kTooManyWordsMessage)};
    const Shown asked{AddedWordsQuestion(u"1"), MessageButtons::YesNoCancel};
    const Records kNew = {{u"new", u"n"}};
    const Records ime = {{u"ime", u"x"}, kNew[0], {u"ime", u"x"}, {u"", u"e"}};
    const Records later = {{u"imf", u"y"}, ime[0], ime[1]};  // written during the question
    const auto tailed = [](const Records& records) { return ImageOf(records) + kTail; };
    const auto gone = [](std::set<std::u16string> folders) -> Disk {
        return [folders](auto& f) { f.files.erase(kLibrary), f.folders = folders; };
    };
    const auto changed = [](Records file) -> Disk {
        return [file](auto& f) { f.files[kLibrary] = ImageOf(file) + kTail; };
    };
    const struct {
        Records table;
        std::optional<Bytes> file;  // afterwards; nullopt: neither the old bytes nor the new
        std::vector<Shown> shown = {};
        Disk disk = nullptr;
        MessageAnswer answer = A::Ok;  // to the question
        LibraryChoice choice = LibraryChoice::Simplified;
        Disk whileAsked = nullptr;  // another program writing while the question is open
    } cases[] = {
        // The tidy-up, then the sort, in which equal codes change places.
        {{{u"w", u"1"}, {u"", u"2"}, {u"a", u"3"}, {u"a", u""}, {u"a", u"5"}, {}},
         tailed({{u"a", u"5"}, {u"a", u"3"}, {u"w", u"1"}})},
        {{{}}, tailed({})},
        {kOld, ImageOf(kOld), {}, [](auto& f) { f.files[kLibrary] = {1}; }},
        {Words(1221, true), tailed(Words(1221, false))},
        {Words(1222, false), before, {tooMany}},
        {kOld, before, {{kNoLibrary}}, nullptr, A::Ok, LibraryChoice::None},
        // A file gone since the load is made anew, in folders made as start-up makes them.
        {kOld, ImageOf(kOld), {}, gone({})},
        {kOld, ImageOf(kOld), {}, gone({u"D:\\p"})},
        {kOld, ImageOf(kOld), {}, gone({u"D:"})},
        {kOld, Bytes(), {failed}, gone({u"E:"})},
        // Words another program added since the load, added if the user wants them.
        {kNew, tailed({ime[0], kNew[0]}), {asked}, changed(ime), A::Yes},
        {kNew, tailed(kNew), {asked}, changed(ime), A::No},
        {kNew, tailed(ime), {asked}, changed(ime), A::Cancel},
        // The file is read again after the answer, and what has come meanwhile asked about.
        {kNew,
         tailed({ime[0], later[0], kNew[0]}),
         {asked, asked},
         changed(ime),
         A::Yes,
         LibraryChoice::Simplified,
         changed(later)},
        {kNew,
         tailed(kNew),
         {asked, asked},
         changed(ime),
         A::No,
         LibraryChoice::Simplified,
         changed(later)},
        {kNew, tailed(kNew), {asked}, changed(ime), A::No, LibraryChoice::Simplified, changed(ime)},
        {Words(1221, false),
         tailed({kOld[0], ime[0]}),
         {asked, tooMany},
         changed({kOld[0], ime[0]}),
         A::Yes},
        // A failed save leaves the previous bytes or puts them back, and says whether it could.
        {kOld, before, {failed}, [](auto& f) { f.readOnly = {kLibrary}; }},
        {kOld, before, {failed}, [](auto& f) { f.locked = {kLibrary}; }},
        {{{std::u16string(13, u'a'), u"长"}}, before, {failed}},
        {kNew, before, {failed}, [](auto& f) { f.failingWrite = 1; }},
        {kNew, before, {failed}, [](auto& f) { f.failingClose = true; }},
        {kNew, before, {failed}, [](auto& f) { f.corruptingWrite = 1; }},
        {kNew,
         std::nullopt,
         {{SaveFailedMessage(kLibrary, false)}},
         [](auto& f) { f.corruptingWrite = -1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Session s(c.table, c.disk);
        s.prompt.yesNoAnswer = c.answer;
        s.prompt.whileAsking = [&c, &s] { c.whileAsked ? c.whileAsked(s.files) : void(); };
        SavedWords saved(kOld);
        const bool written = SaveTable(s.Context(), c.choice, saved);
        const Bytes file = s.files.files.contains(kLibrary) ? s.files.files[kLibrary] : Bytes();
        EXPECT_EQ(s.prompt.shown, c.shown);
        EXPECT_EQ(file == c.file.value_or(before), c.file.has_value());
        EXPECT_EQ(s.files.files[kPaths.traditionalPath], ImageOf(kTraditional));
        EXPECT_EQ(written, (c.shown.empty() || c.shown.back() == asked) && c.answer != A::Cancel);
        if (written) {  // the table shows what the file holds, and that is what is saved
            EXPECT_EQ(s.table.Rows(), Numbered(RecordsOf(file)));
            EXPECT_FALSE(saved.DifferFrom(s.table));
        }
    }
}

TEST(ImportCommand, AddsTheNewWordsOfAUserWordFileOrAWordList) {
    const Records two = {{u"khlg", u"中国"}, {u"wqvb", u"你好"}};
    const auto counted = [](Bytes bytes, std::uint16_t count) {
        bytes[0] = count & 0xFF, bytes[1] = count >> 8;
        return bytes;
    };
    const auto padded = [](Bytes bytes, std::size_t size) {
        bytes.resize(size, ' ');
        return bytes;
    };
    const std::u16string forty(40, u'词');
    const auto skipped = [](std::size_t added, std::size_t duplicates,
                            std::vector<std::size_t> lines) {
        return Shown{WordListImportedMessage(added, duplicates, 0, 0, lines)};
    };
    constexpr std::nullopt_t refused = std::nullopt;
    std::u16string hundredLines;  // distinct words, LF and CR LF in turn
    Records hundred;
    Bytes noise = {3, 0};  // random bytes with a small count
    for (std::uint32_t i = 0; i < 300; ++i) {
        noise.push_back(static_cast<std::uint8_t>((i * 2654435761u) >> 24));
    }
    for (int i = 0; i < 100; ++i) {
        hundred.push_back({{u'k', static_cast<char16_t>(u'a' + i / 25),
                            static_cast<char16_t>(u'a' + i % 25), u'y'},
                           {static_cast<char16_t>(0x4E10 + i), static_cast<char16_t>(0x6C00 + i)}});
        hundredLines +=
            hundred.back().code + u'\t' + hundred.back().phrase + (i % 2 == 0 ? u"\n" : u"\r\n");
    }
    const struct {
        Bytes file;
        std::optional<Records> added;   // after the table's words and before the blank row
        std::vector<Shown> shown = {};  // after the open dialog, when the file is taken
        MessageAnswer answer = A::No;
    } cases[] = {
        // User-word files; only exact duplicates are skipped, codes compared case by case.
        {ImageOf({{u"a", u"一"},
                  {u"x", u"一"},
                  {u"b", u"三"},
                  {u"A", u"一"},
                  {u"x", u"一"},
                  {u"!~", u"符"}}),
         {{{u"x", u"一"}, {u"b", u"三"}, {u"A", u"一"}, {u"!~", u"符"}}}},
        {counted(ImageOf(two), 1222), {{two[0], two[1], {}}}},
        {counted(ImageOf(two), 1223),
         {{two[0], two[1], {}}},
         {{LargeCountQuestion(kFile, u"1223"), MessageButtons::YesNo}},
         A::Yes},
        {counted(ImageOf(two), 1223), refused},
        {ImageOf({{u"a b", u"一"}}), refused},
        {counted(ImageOf({{u"a b", u"一"}}), 1222), refused},  // a count that fits: not asked
        // Word lists: the fields in either order, the lines that are no words.
        {Utf8Bytes(u"khlg\t中国\r\nwqvb\t你好\n"), two},
        {Utf8Bytes(u"wqwu\t我们\npwnr\t学习\n") +
             Bytes{'w', 'q', 'w', 'y', '\t', 0xC4, 0xE3, 0xC3, 0xC7},
         {{{u"wqwu", u"我们"}, {u"pwnr", u"学习"}}},
         {skipped(2, 0, {3})}},  // a line in GBK among UTF-8 ones can't be decoded
        {Utf8Bytes(u"\n  中国   KHLG \n\t\n\t WqVb \t 你好\t\n\n"), two},
        {padded(Utf8Bytes(u"khlg\t中国\n"), 16 << 20), Records{two[0]}},
        {padded(Utf8Bytes(u"khlg\t中国\n"), (16 << 20) + 1), refused},
        {padded(Utf8Bytes(u"khlg\t中国\n"), 1 << 20) + Utf8Bytes(u"\nwqvb\t你好"), two},
        {Utf8Bytes(u"khlg\t中国\nzzzz\t某\nab1\t某\nabcde\t某\na\t乙\nwqvb\t你好\nkhlg\t中国\n"),
         {{two[0], {u"a", u"乙"}, two[1]}},
         {skipped(3, 1, {2, 3, 4})}},
        {Utf8Bytes(u"ab\t中a国\n\nab\tabc\nkhlg\t" + forty + u"\nab\t" + forty +
                   u"词\n一 二 三\nab\t中 国\nwqvb\t你好\nxyz"),
         {{{u"khlg", forty}, {u"ab", u"中"}, {u"ab", u"国"}, two[1]}},
         {skipped(4, 0, {1, 3, 5, 6, 9})}},
        {Utf8Bytes(u"hello world\n"), refused},
        {Utf8Bytes(hundredLines), hundred},
        {noise, refused},
        {{}, Records()},                // an empty file adds nothing
        {counted(ImageOf(two), 65535),  // a damaged count
         {{two[0], two[1], {}}},
         {{LargeCountQuestion(kFile, u"65535"), MessageButtons::YesNo}},
         A::Yes},
        {Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'},
         refused},  // a picture: asked, answered No
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Session s({{u"a", u"一"}, {u"", u"二"}, {u"b", u"二"}, {}},
                  [&c](auto& f) { f.files[kFile] = c.file, f.readOnly = {kFile}; });
        s.prompt.fileAnswers = {kFile};
        s.prompt.yesNoAnswer = c.answer;
        ImportWords(s.Context(), ChineseDecoder());

        const std::uint16_t count = c.file.size() < 2 ? 0 : c.file[0] | c.file[1] << 8;
        std::vector<Shown> shown = {{u"open " + std::u16string(kImportFileFilter)}};
        shown.push_back(count > 1222 ? Shown{LargeCountQuestion(kFile, DecimalText(count)),
                                             MessageButtons::YesNo}
                                     : Shown{NotImportableMessage(kFile)});
        shown.resize(c.added ? 1 : 2);  // the refusal only when the file is not taken
        shown.insert(shown.end(), c.shown.begin(), c.shown.end());
        EXPECT_EQ(s.prompt.shown, shown);
        Records rows = {{u"a", u"一"}, {u"b", u"二"}};
        const Records added = c.added.value_or(Records());
        rows.insert(rows.end(), added.begin(), added.end());
        rows.resize(rows.size() + (c.added ? 1 : 0));  // the blank row
        EXPECT_EQ(s.table.Rows(), Numbered(rows));
    }
    // A file that is neither kind offers no words, not even those it would hold as records.
    EXPECT_EQ(ExamineImportedFile(ImageOf({{u"a b", u"一"}}), ChineseDecoder()).words, Records());
}

// Paste reads the clipboard's text as Import reads a word list.
TEST(ImportCommand, PasteAddsATextsWordsOrSaysItHoldsNone) {
    const std::pair<std::u16string, std::vector<Shown>> pastes[] = {
        {u"khlg\t中国\r\nb 二\r\nab1 某\r\n经济\r\n",
         {{WordListImportedMessage(2, 1, 1, 0, std::vector<std::size_t>{3})}}},
        {u"hello world", {{std::u16string(kNoWordsToPasteMessage)}}},
    };
    for (const auto& [text, shown] : pastes) {
        Session s({{u"a", u"一"}, {u"", u"二"}, {u"b", u"二"}, {}});
        OneCode codes;
        PasteWords(s.Context(), text, &codes);
        EXPECT_EQ(s.prompt.shown, shown);
        EXPECT_EQ(
            s.table.Rows(),
            text == u"hello world"
                ? TableOf({{u"a", u"一"}, {u"", u"二"}, {u"b", u"二"}, {}}).Rows()
                : Numbered(
                      {{u"a", u"一"}, {u"b", u"二"}, {u"khlg", u"中国"}, {u"xiyy", u"经济"}, {}}));
    }
}

TEST(ImportCommand, TidiesTheTableEvenWhenNoFileIsRead) {
    for (const auto& path : {std::optional<std::u16string>(), std::optional(kFile)}) {
        Session s({{u"a", u"一"}, {u"", u"二"}, {u"b", u"二"}, {}},
                  [](auto& f) { f.files[kFile] = {}, f.locked = {kFile}; });
        s.prompt.fileAnswers = {path};
        ImportWords(s.Context(), ChineseDecoder());
        EXPECT_EQ(s.table.Rows(), Numbered({{u"a", u"一"}, {u"b", u"二"}}));
        EXPECT_EQ(s.prompt.shown.back().text, path ? std::u16string(kImportOpenFailedMessage)
                                                   : u"open " + std::u16string(kImportFileFilter));
    }
}

TEST(CodeCommand, ACodeTableThatCannotBeReadIsSaidAndCodesNothing) {
    Session s(Records{{u"", u"经济"}, {}});
    s.table.SetSelection({{0}, 0});
    LazyCodeTable codes(u"缺少/wubi86.dict.yaml");
    CodeSelectedPhrases(s.Context(), codes);
    EXPECT_EQ(s.prompt.shown, std::vector<Shown>{{CodeTableUnreadableMessage(codes.Path())}});
    EXPECT_EQ(s.table.Rows(), Numbered({{u"", u"经济"}, {}}));
}

TEST(BackupAndClear, BackupCopiesTheChosenLibraryAndClearEmptiesTheTableOnYes) {
    const Shown dialog{u"save " + std::u16string(kBackupFileFilter)};
    const std::u16string bare = u"E:\\备份\\words";  // typed without an extension
    const Bytes copy = ImageOf(kOld) + kTail;
    const Bytes text = Bytes{0xEF, 0xBB, 0xBF} + Utf8Bytes(u"old\t旧\r\n");
    const Bytes rime = Utf8Bytes(
        u"# Rime dictionary\n# encoding: utf-8\n\n---\nname: \"words\"\nversion: \"2026-12-07\"\n"
        u"sort: original\ncolumns: [text, code]\n...\n\n旧\told\n");
    const Shown asked{ReplaceFileQuestion(kFile), MessageButtons::YesNo};
    constexpr LibraryChoice simplified = LibraryChoice::Simplified;
    const struct {
        LibraryChoice choice;
        std::optional<std::u16string> answer;  // the dialog's; nullopt: cancelled
        std::size_t type = 0;
        std::u16string written = {};  // where the backup goes, when it does
        Bytes bytes = {};
        std::optional<Shown> shown = {};  // after the dialog
        bool failing = false;
        MessageAnswer replace = A::No;
    } backups[] = {
        {simplified, kFile, 0, kFile, copy},
        {simplified, std::nullopt},
        {LibraryChoice::None, kFile, 0, {}, {}, Shown{kNoLibrary}},
        {LibraryChoice::Traditional, kFile, 0, {}, {}, Shown{BackupFailedMessage(kFile)}, true},
        {simplified, bare, 1, bare + u".txt", text},
        {simplified, bare, 2, bare + u".dict.yaml", rime},
        {simplified, bare + u".v2", 1, bare + u".v2", text},
        {simplified, bare, 1, {}, {}, Shown{BackupFailedMessage(bare + u".txt")}, true},
        // The name given an extension is taken: the dialog didn't ask, so Backup does.
        {simplified, bare, 0, {}, {}, asked},
        {simplified, bare, 0, kFile, copy, asked, false, A::Yes},
    };
    for (const auto& b : backups) {
        SCOPED_TRACE(&b - backups);
        Session s({}, [&](auto& f) { f.files[kFile] = {1}, f.failingCopy = b.failing; });
        s.prompt.fileAnswers = {b.answer};
        s.prompt.fileType = b.type;
        s.prompt.yesNoAnswer = b.replace;
        BackupLibrary(s.Context(), b.choice, u"2026-12-07");
        std::vector<Shown> shown = {dialog};
        if (b.shown) {
            shown.push_back(*b.shown);
        }
        EXPECT_EQ(s.prompt.shown, shown);
        std::map<std::u16string, Bytes> files = {
            {kPaths.traditionalPath, ImageOf(kTraditional)}, {kLibrary, copy}, {kFile, {1}}};
        if (!b.written.empty()) {
            files[b.written] = b.bytes;
        }
        EXPECT_EQ(s.files.files, files);
    }
    for (const MessageAnswer answer : {A::No, A::Yes}) {
        Session s(kOld);
        s.prompt.yesNoAnswer = answer;
        ClearTable(s.Context());
        const Shown asked{std::u16string(kConfirmClearMessage), MessageButtons::YesNo};
        EXPECT_EQ(s.prompt.shown, std::vector<Shown>(1, asked));
        EXPECT_EQ(s.table.RowCount(), answer == A::Yes ? 0 : 1);
    }
}

}  // namespace
}  // namespace emb
