// embtool on real files: each command's wiring, its refusals, and what only embtool does (an
// output replaced only by a complete new file, info's report, diff's order, merge's summary).
// The rules, the file format and the parsers it runs are the portable core's, tested there.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <system_error>
#include <tuple>

#include "EmbTool.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "Version.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace embtool {
namespace {

namespace fs = std::filesystem;

std::string U8(std::u16string_view text) {
    return emb::ToUtf8(text);
}

std::string FileOf(const std::vector<emb::WordRecord>& words) {
    const std::vector<std::uint8_t> bytes = emb::BuildFileImage(words).bytes;
    return std::string(bytes.begin(), bytes.end());
}

void Write(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

std::string Read(const fs::path& path) {
    return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str();
}

// Every file and folder below the current folder, each file with its bytes.
std::map<fs::path, std::string> Snapshot() {
    std::map<fs::path, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(".")) {
        files[entry.path()] = entry.is_directory() ? "" : Read(entry.path());
    }
    return files;
}

// What a run shows: its exit status, what it wrote to stdout, what it wrote to stderr.
using Result = std::tuple<int, std::string, std::string>;

// Runs embtool with the words of line as its arguments.
Result Tool(std::u16string_view line) {
    std::vector<std::u16string> args;
    for (std::size_t start = 0, end = 0; start < line.size(); start = end + 1) {
        end = std::min(line.find(u' ', start), line.size());
        args.emplace_back(line.substr(start, end - start));
    }
    std::ostringstream out, err;
    const int status = RunEmbTool(args, out, err, u".");  // as if embtool were in the folder
    return {status, out.str(), err.str()};
}

// Each test runs in a new empty folder of its own, so that names and messages are short.
class EmbToolTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(m_folder);
        fs::current_path(m_folder);
    }
    void TearDown() override {
        fs::current_path(m_folder.parent_path());
        fs::remove_all(m_folder);
    }

    fs::path m_folder =
        fs::temp_directory_path() / ("embtool-test-" + std::to_string(std::random_device()()));
};

TEST_F(EmbToolTest, AnswersHelpAndVersionAndRefusesWithOneLineTouchingNoFile) {
    const auto [helpStatus, help, helpErr] = Tool(u"--help");
    EXPECT_TRUE(helpStatus == 0 && help.starts_with("usage: embtool dump [--rime] FILE\n") &&
                helpErr.empty());
    // The header's narrow literals are the UTF-8 bytes the line must carry on every platform.
    const std::string version =
        std::string("embtool (") + WORDMAINT_PRODUCT_NAME + ") " + WORDMAINT_VERSION + "\n";
    EXPECT_EQ(Tool(u"--version"), (Result{0, version, ""}));
    // 1,222 words that both build and merge read.
    std::string words;
    for (int i = 0; i <= 1221; ++i) {
        words += U8(std::u16string{u'a', u'\t', static_cast<char16_t>(u'一' + i), u'\n'});
    }
    Write(u"1222.txt", words);
    Write(u"ok.txt", "a\tb\n");
    Write(u"词库.emb", FileOf({{u"wq", u"你们"}}));
    Write(u"bad.txt", U8(u"aa\t工\ncc\n"));
    Write(u"gbk.txt", "khlg\t\xD6\xD0\xB9\xFA\n");
    Write(u"neither.emb", std::string_view("\x03\x00\x41\x00\x01\x4E", 6));
    fs::create_directory("folder");
    Write(u"folder/inside.txt", "x");
    const std::string neither = " is neither a user-word file";
    const std::string notMerged = " nor a word list in UTF-8 or UTF-16: not merged";

    // Status 1: the problem, then the usage; status 2: one line.
    const struct {
        std::u16string_view line;
        int status;
        std::string message;
    } cases[] = {
        {u"", 1, "no command given"},
        {u"转储 x", 1, U8(u"unknown command '转储'")},
        {u"--help x", 1, "--help takes no arguments"},
        {u"--version x", 1, "--version takes no arguments"},
        {u"diff 词库.emb", 1, "wrong number of arguments for diff"},
        {u"dump 缺少.emb", 2, U8(u"cannot open '缺少.emb'")},
        {u"dump --rime", 1, "wrong number of arguments for dump"},
        {u"info folder", 2, "cannot read 'folder': it is a folder"},
        {u"build bad.txt 词库.emb", 2, "line 2 of 'bad.txt': no tab between code and phrase"},
        {u"build 1222.txt 词库.emb", 2, U8(u"保存失败，记录数大于1221")},
        {u"build ok.txt no/new.emb", 2,
         "cannot create a new file beside 'no/new.emb': " +
             std::generic_category().message(ENOENT)},
        // The new file can't replace a folder, and is removed.
        {u"build ok.txt folder", 2, "cannot replace 'folder' with the new file"},
        {u"merge 缺少.emb 词库.emb", 2, U8(u"cannot open '缺少.emb' for reading and writing")},
        {u"merge 词库.emb 缺少.emb", 2, U8(u"cannot open '缺少.emb'")},
        {u"merge 词库.emb folder", 2, "cannot read 'folder': it is a folder"},
        // GBK: the program reads it through Windows; embtool has no table of it.
        {u"merge 词库.emb gbk.txt", 2,
         "'gbk.txt'" + neither + " (its record count 26731 is above 1222)" + notMerged},
        {u"merge 词库.emb neither.emb", 2, "'neither.emb'" + neither + notMerged},
        {u"merge 词库.emb 1222.txt", 2, U8(u"保存失败，记录数大于1221")},
        {u"diff 词库.emb 缺少.emb", 2, U8(u"cannot open '缺少.emb'")},
        {u"code --table ok.txt", 1, "wrong number of arguments for code"},
        {u"code 经济", 2,
         "no code table: no *.dict.yaml beside embtool; name one with --table FILE"},
        {u"code --table 缺少.dict.yaml 经济", 2, U8(u"'缺少.dict.yaml' cannot be read")},
        {u"code --table ok.txt 经济", 2,
         "'ok.txt' is no Rime dictionary: no header between a '---' line and a '...' line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(U8(c.line));
        const std::map<fs::path, std::string> before = Snapshot();
        EXPECT_EQ(Tool(c.line),
                  (Result{c.status, "", c.message + "\n" + (c.status == 1 ? help : "")}));
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(EmbToolTest, BuildWritesWhatSaveWritesAndDumpReadsEveryRecord) {
    Write(u"词表.txt", U8(u"b\t乙\n\t无码\naa\t甲甲\nB\t大乙\n"));
    Write(u"简体.emb", std::string(emb::kFileSize + 1000, 'x'));
    EXPECT_EQ(Tool(u"build 词表.txt 简体.emb"), (Result{0, "", ""}));
    EXPECT_EQ(Read(u"简体.emb"), FileOf({{u"B", u"大乙"}, {u"aa", u"甲甲"}, {u"b", u"乙"}}));
    EXPECT_EQ(Tool(u"build 词表.txt 新.emb"), (Result{0, "", ""}));
    EXPECT_EQ(Read(u"新.emb"), Read(u"简体.emb"));

    Write(u"简体.emb", FileOf({{u"wqvb", u"你好"}, {u"", u"词"}, {u"aa", u""}}));
    EXPECT_EQ(Tool(u"dump 简体.emb"), (Result{0, U8(u"wqvb\t你好\n\t词\naa\t\n"), ""}));
    // A Rime dictionary named after the file, of the records that are words.
    const std::string rime = std::get<1>(Tool(u"dump --rime 简体.emb"));
    EXPECT_TRUE(rime.find(U8(u"\nname: \"简体\"\n")) != rime.npos &&
                rime.ends_with(U8(u"...\n\n你好\twqvb\n")))
        << rime;
}

TEST_F(EmbToolTest, CodePrintsTheCodesOfTheTableBesideItOrOfTheOneNamed) {
    Write(u"五笔.dict.yaml", U8(u"---\n...\n经\txcag\n济\tiyjh\n"));
    Write(u"other.yaml", U8(u"---\n...\n经\tqqqq\n济\tqqqq\n"));
    EXPECT_EQ(Tool(u"code 经济 经某 济"),
              (Result{2, U8(u"经济\txciy\n济\tiyjh\n"),
                      U8(u"no code for '经某': '某' is not in the code table\n")}));
    EXPECT_EQ(Tool(u"code --table other.yaml 经济"), (Result{0, U8(u"经济\tqqqq\n"), ""}));
    // A phrase alone is a word to build and merge, coded by the table beside embtool.
    Write(u"词表.txt", U8(u"经济\n"));
    EXPECT_EQ(Tool(u"build 词表.txt 词库.emb"), (Result{0, "", ""}));
    EXPECT_EQ(Read(u"词库.emb"), FileOf({{u"xciy", u"经济"}}));
    EXPECT_EQ(std::get<1>(Tool(u"merge 词库.emb 词表.txt")),
              "added 0 words, skipped 1 duplicate, coded 1 phrase alone, skipped 0 lines that are "
              "not words\n");
}

TEST_F(EmbToolTest, BuildKeepsTheOldFileWhenTheNewOneCannotBeWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "needs the POSIX file size limit to make a write fail";
#else
    Write(u"词表.txt", U8(u"aa\t工\n"));
    Write(u"词库.emb", FileOf({{u"wq", u"你们"}}));
    const std::map<fs::path, std::string> before = Snapshot();
    // Every write past the first byte fails with EFBIG, without the signal that would end the
    // process.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlimit limited{1, unlimited.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limited);
    const Result run = Tool(u"build 词表.txt 词库.emb");
    setrlimit(RLIMIT_FSIZE, &unlimited);
    EXPECT_EQ(run, (Result{2, "",
                           U8(u"cannot write '词库.emb': ") +
                               std::generic_category().message(EFBIG) + "\n"}));
    EXPECT_EQ(Snapshot(), before);
#endif
}

TEST_F(EmbToolTest, ReadsInputsOfUpTo64MiB) {
    Write(u"big.emb", "");
    fs::resize_file("big.emb", 64 << 20);
    EXPECT_EQ(std::get<0>(Tool(u"info big.emb")), 0);
    fs::resize_file("big.emb", (64 << 20) + 1);
    EXPECT_EQ(Tool(u"info big.emb"),
              (Result{2, "", "cannot read 'big.emb': larger than 67108864 bytes\n"}));
}

// size bytes: the record count (cut short by a shorter file), then zeros but for 0xFF at each
// offset in nonZero.
std::string Image(std::uint16_t count, std::size_t size, const std::vector<std::size_t>& nonZero) {
    std::string bytes = {static_cast<char>(count & 0xFF), static_cast<char>(count >> 8)};
    bytes.resize(size);
    for (const std::size_t at : nonZero) {
        bytes[at] = '\xFF';
    }
    return bytes;
}

TEST_F(EmbToolTest, InfoReportsEachAnomaly) {
    const struct {
        std::string bytes;
        std::string report;
    } cases[] = {
        // At the limit; a byte after the terminator of slot 1's code (at 106) is in a used slot.
        {Image(1221, 127090, {106 + 6}),
         "record count: 1221\nfile size: 127090 bytes\nanomalies: none"},
        // 1,222 records fill every slot: none lies past the end, and the tail (from its first
        // byte) is no free slot.
        {Image(1222, 127100, {127090}),
         "record count: 1222\nfile size: 127100 bytes\n"
         "anomaly: record count above the limit of 1221\n"
         "anomaly: file longer than 127090 bytes by 10 bytes"},
        // Ends where record 3 would start.
        {Image(5, 314, {}),
         "record count: 5\nfile size: 314 bytes\n"
         "anomaly: counted records past the end of the file: 2 (2 wholly, 0 partly)\n"
         "anomaly: file shorter than 127090 bytes by 126776 bytes"},
        // Ends 101 bytes into record 3: that one is cut, record 4 wholly past the end.
        {Image(5, 415, {}),
         "record count: 5\nfile size: 415 bytes\n"
         "anomaly: counted records past the end of the file: 2 (1 wholly, 1 partly)\n"
         "anomaly: file shorter than 127090 bytes by 126675 bytes"},
        // Too short for the count.
        {Image(0, 1, {0}),
         "record count: 0\nfile size: 1 byte\n"
         "anomaly: file shorter than 127090 bytes by 127089 bytes"},
        // The free slots of a shorter file end where it does.
        {Image(0, 106, {2, 105}),
         "record count: 0\nfile size: 106 bytes\n"
         "anomaly: file shorter than 127090 bytes by 126984 bytes\n"
         "anomaly: non-zero bytes in free slots: 2, the first at offset 2"},
        // One byte, the last of the last free slot.
        {Image(0, 127090, {127089}),
         "record count: 0\nfile size: 127090 bytes\n"
         "anomaly: non-zero bytes in free slots: 1, the first at offset 127089"},
    };
    for (const auto& c : cases) {
        Write(u"词库.emb", c.bytes);
        EXPECT_EQ(Tool(u"info 词库.emb"), (Result{0, c.report + "\n", ""}));
    }
}

TEST_F(EmbToolTest, MergeAddsTheNewWordsSavesTheLibraryAndSaysWhatItDid) {
    Write(u"简体.emb", FileOf({{u"wq", u"你们"}, {u"khlg", u"中国"}}));
    Write(u"备份.emb", FileOf({{u"khlg", u"中国"}, {u"aaaa", u"工"}, {u"", u"孤"}}));
    EXPECT_EQ(Tool(u"merge 简体.emb 备份.emb"),
              (Result{0, "added 1 word, skipped 1 duplicate, dropped 1 incomplete record\n", ""}));
    EXPECT_EQ(Read(u"简体.emb"), FileOf({{u"aaaa", u"工"}, {u"khlg", u"中国"}, {u"wq", u"你们"}}));

    Write(u"备份.txt", U8(u"bb\t人\n你好 wqvb\n中国 khlg\n1\n2\n3\n4\n5\n6\n"));
    EXPECT_EQ(std::get<1>(Tool(u"merge 简体.emb 备份.txt")),
              "added 2 words, skipped 1 duplicate, skipped 6 lines that are not words "
              "(lines 4, 5, 6, 7, 8, ...)\n");
    Write(u"备份.txt", U8(u"1\n2\n3\n4\n5\n中国 khlg\n"));
    EXPECT_EQ(std::get<1>(Tool(u"merge 简体.emb 备份.txt")),
              "added 0 words, skipped 1 duplicate, skipped 5 lines that are not words "
              "(lines 1, 2, 3, 4, 5)\n");
    Write(u"备份.txt", U8(u"中国 khlg\nx\nrrrr\t白\tc=-1 d=0.1 t=3\n"));
    EXPECT_EQ(std::get<1>(Tool(u"merge 简体.emb 备份.txt")),
              "added 0 words, skipped 1 duplicate, passed over 1 word marked deleted, skipped 1 "
              "line that is not a word (line 2)\n");
    EXPECT_EQ(std::get<1>(Tool(u"dump 简体.emb")),
              U8(u"aaaa\t工\nbb\t人\nkhlg\t中国\nwq\t你们\nwqvb\t你好\n"));
}

TEST_F(EmbToolTest, DiffListsTheWordsOfEitherSideByCodeThenPhrase) {
    Write(u"a.emb", FileOf({{u"a", u"甲甲"}, {u"ａ", u"全"}, {u"a", u"甲"}, {u"", u"孤"}}));
    Write(u"b.emb", FileOf({{u"𠀀", u"扩"}, {u"a", u"甲"}, {u"B", u"乙"}, {u"a", u"甲乙"}}));
    // UTF-16 order: the surrogates of U+20000 (𠀀) come before U+FF41 (ａ).
    EXPECT_EQ(Tool(u"diff a.emb b.emb"),
              (Result{1, U8(u"+B\t乙\n+a\t甲乙\n-a\t甲甲\n+𠀀\t扩\n-ａ\t全\n"), ""}));
    // The same words in another order, one repeated, no incomplete record, and one more.
    Write(u"b.emb",
          FileOf({{u"a", u"甲"}, {u"ｚ", u"末"}, {u"ａ", u"全"}, {u"a", u"甲甲"}, {u"a", u"甲"}}));
    EXPECT_EQ(Tool(u"diff a.emb b.emb"), (Result{1, U8(u"+ｚ\t末\n"), ""}));
    EXPECT_EQ(Tool(u"diff a.emb a.emb"), (Result{0, "", ""}));
}

}  // namespace
}  // namespace embtool
