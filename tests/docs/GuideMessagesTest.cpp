// The user guide (docs/用户说明.txt) lists every message the program can show, and no message the
// program doesn't have.
//
// Nothing here keeps a list of the messages; they are found in two ways:
// 1. Texts. Every string literal of the program's sources (src/**/*.h, *.cpp; res/*.rc, *.h)
//    that holds Chinese text, escapes decoded and adjacent pieces joined, is either one of the
//    few labels in kLabels or must stand in a message of the guide's list, outside its
//    placeholders. A new message text fails here until the guide lists it.
// 2. Composed messages. The portable code that shows messages is run into each of them, with the
//    guide's placeholders as the parts it fills in at run time (a library path named
//    〈词库文件路径〉 makes the save message 〈词库文件路径〉失败), so pieces are joined exactly as
//    the code joins them; each whole message must be in the guide's list. The hyperlink's
//    English messages are found this way only, for every code a failed open can give.
// Back: each message in the guide must be one of those composed messages or a whole text of 1.
// Messages are compared as their box shows them (VisibleText). What 1 can't see: a message put
// together anew from texts the guide already has; 2 sees it once it runs the code that shows it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "CommandMessages.h"
#include "GuideMessages.h"
#include "HyperLinkText.h"
#include "ImportMessages.h"
#include "LibraryCommands.h"
#include "LocateLibraries.h"
#include "MemoryWordTable.h"
#include "SourceLiterals.h"
#include "Utf8.h"
#include "WordListText.h"
#include "WordTableRules.h"

namespace guide {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMessageHeading = "程序会显示的全部提示";

// The run-time parts, named as the guide names them.
const std::u16string kLibraryPath = u"〈词库文件路径〉";
const std::u16string kBackupPath = u"〈备份文件路径〉";
const std::u16string kImportPath = u"〈导入文件路径〉";
const std::u16string kLibraryName = u"〈词库名〉";
const std::u16string kWordCount = u"〈词数〉";
constexpr std::string_view kErrorNumber = "〈错误号〉";

struct Label {
    std::string_view text;
    bool prefix = false;  // the text only opens the label
};

// Texts shown as labels, not as messages. (The name and version texts come from
// CMakeLists.txt through Version.h, which is not scanned: they are labels too.)
constexpr Label kLabels[] = {
    // The library box: its prompt and its two entries.
    {"请选择"},
    {"简体自造词库"},
    {"繁体自造词库"},
    // Column headers.
    {"编码"},
    {"自造词"},
    {"编号"},
    // Buttons.
    {"保存"},
    {"导入"},
    {"备份"},
    {"清空"},
    {"说明"},
    {"确定"},
    // The instructions dialog: its caption and its text.
    {"使用说明"},
    {"1.选择简体或繁体库\r\n", true},
    // The open dialog's filter, as Import asks for it.
    {"save files (*.EMB)|*.EMB|文本词表 (*.txt)|*.txt||"},
    // The link at the window's foot.
    {"澄岫川五笔 https://github.com/chengxiuchuan-wubi/userwords"},
};

bool IsLabel(const Label& label, std::string_view text) {
    return label.prefix ? text.starts_with(label.text) : text == label.text;
}

// Chinese characters, their punctuation and full-width forms.
bool IsChineseText(std::string_view text) {
    const std::optional<std::u16string> units = emb::FromUtf8(text);
    if (!units) {
        return true;  // not text at all: let the check name it
    }
    return std::any_of(units->begin(), units->end(), [](char16_t unit) {
        return (unit >= 0x2E80 && unit <= 0x9FFF) || (unit >= 0xF900 && unit <= 0xFAFF) ||
               (unit >= 0xFE30 && unit <= 0xFE4F) || (unit >= 0xFF00 && unit <= 0xFFEF) ||
               (unit >= 0xD840 && unit <= 0xD88C);  // high halves of U+20000 to U+323AF
    });
}

// Line breaks shown as \n, so a failure names the text on one line.
std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '\n'   ? std::string("\\n")
                  : c == '\r' ? std::string("\\r")
                              : std::string(1, c);
    }
    return quoted + "\"";
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const fs::path& SourceRoot() {
    static const fs::path root(WORDMAINT_SOURCE_DIR);
    return root;
}

fs::path GuidePath() {
    return SourceRoot() / fs::path(u8"docs/用户说明.txt");
}

struct FoundLiteral {
    std::string place;  // file:line
    std::string text;
};

std::vector<FoundLiteral> ChineseLiterals() {
    std::vector<fs::path> files;
    for (const char* folder : {"src", "res"}) {
        for (const fs::directory_entry& entry :
             fs::recursive_directory_iterator(SourceRoot() / folder)) {
            const fs::path extension = entry.path().extension();
            if (entry.is_regular_file() &&
                (extension == ".h" || extension == ".cpp" || extension == ".rc")) {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());

    std::vector<FoundLiteral> found;
    for (const fs::path& file : files) {
        const Syntax syntax = file.extension() == ".rc" ? Syntax::ResourceScript : Syntax::Cpp;
        const std::string name = fs::relative(file, SourceRoot()).generic_string();
        for (Literal& literal : StringLiterals(ReadText(file), syntax)) {
            if (IsChineseText(literal.text)) {
                found.push_back(
                    {name + ":" + std::to_string(literal.line), std::move(literal.text)});
            }
        }
    }
    return found;
}

bool IsLabelText(std::string_view text) {
    return std::any_of(std::begin(kLabels), std::end(kLabels),
                       [text](const Label& label) { return IsLabel(label, text); });
}

// Nothing can be opened, created or copied.
class UnusableDisk final : public emb::FileSystem {
public:
    std::unique_ptr<emb::RandomAccessFile> OpenForUpdate(const std::u16string&) override {
        return nullptr;
    }
    std::unique_ptr<emb::RandomAccessFile> OpenForReading(const std::u16string&) override {
        return nullptr;
    }
    std::unique_ptr<emb::RandomAccessFile> CreateNew(const std::u16string&) override {
        return nullptr;
    }
    bool CopyReplacing(const std::u16string&, const std::u16string&) override { return false; }
    void CreateFolder(const std::u16string&) override {}
};

// Keeps what it is asked to show; every file dialog answers the backup placeholder.
class CollectingPrompt final : public emb::UserPrompt {
public:
    std::vector<std::u16string> shown;

    emb::MessageAnswer ShowMessage(const std::u16string& text,
                                   emb::MessageButtons buttons) override {
        shown.push_back(text);
        return buttons == emb::MessageButtons::YesNo ? emb::MessageAnswer::No
                                                     : emb::MessageAnswer::Ok;
    }
    std::optional<std::u16string> AskForFile(const emb::FileDialogRequest&) override {
        return kBackupPath;
    }
};

class NoCodePage final : public emb::LegacyTextDecoder {
public:
    std::optional<std::u16string> Decode(std::span<const std::uint8_t>) const override {
        return std::nullopt;
    }
};

// A system without any edition of the input method.
class BareSystem final : public emb::SystemView {
public:
    explicit BareSystem(std::u16string windowsDirectory)
        : m_windowsDirectory(std::move(windowsDirectory)) {}

    std::vector<std::u16string> shown;

    std::u16string WindowsDirectory() override { return m_windowsDirectory; }
    std::u16string ProfileFolder() override { return u"C:\\Users\\wu"; }
    std::optional<std::uint32_t> FindFirstAttributes(const std::u16string&) override {
        return std::nullopt;
    }
    void CreateFolder(const std::u16string&) override {}
    void ShowMessage(const std::u16string& text) override { shown.push_back(text); }

private:
    std::u16string m_windowsDirectory;
};

std::set<std::string> ComposedMessages() {
    std::vector<std::u16string> shown;

    // Start-up: the Windows folder can't be read; no edition is installed.
    for (const std::u16string windows : {u"", u"C:\\Windows"}) {
        BareSystem system(windows);
        emb::LibraryPaths paths;
        emb::LocateLibraries(system, paths);
        shown.insert(shown.end(), system.shown.begin(), system.shown.end());
    }

    // The commands on a disk that refuses everything.
    emb::MemoryWordTable table;
    const emb::LibraryPaths paths{u"", kLibraryPath, u"", kLibraryPath};
    UnusableDisk disk;
    CollectingPrompt prompt;
    const emb::LibraryContext context{table, paths, disk, prompt};
    emb::SavedWords saved = emb::LoadChosenLibrary(context, emb::LibraryChoice::Simplified);
    emb::SaveTable(context, emb::LibraryChoice::Simplified, saved);
    emb::SaveTable(context, emb::LibraryChoice::None, saved);
    emb::ImportWords(context, NoCodePage());
    emb::BackupLibrary(context, emb::LibraryChoice::None);
    emb::BackupLibrary(context, emb::LibraryChoice::Simplified);
    emb::ClearTable(context);
    for (int row = 0; row <= emb::kWordLimit; ++row) {
        table.InsertRow(row, u"a");
        table.SetCellText(row, emb::kPhraseColumn, u"词");
    }
    emb::SaveTable(context, emb::LibraryChoice::Simplified, saved);
    shown.insert(shown.end(), prompt.shown.begin(), prompt.shown.end());

    // What Import says about the file it read.
    shown.push_back(emb::NotImportableMessage(kImportPath));
    shown.push_back(emb::LargeCountQuestion(kImportPath, u"〈记录数〉"));
    shown.push_back(
        emb::WordListSkippedMessage(u"〈词数〉", u"〈重复数〉", u"〈行数〉", u"〈行号〉"));
    // Composed by the window and by a save that could not put the old bytes back; the number
    // of words another program added is the guide's placeholder.
    shown.push_back(emb::UnsavedChangesQuestion(kLibraryName));
    std::u16string added = emb::AddedWordsQuestion(7);
    added.replace(added.find(u'7'), 1, kWordCount);
    shown.push_back(added);
    shown.push_back(kLibraryPath + std::u16string(emb::kFailedSuffix) +
                    std::u16string(emb::kNotRestoredLine));

    std::set<std::string> messages;
    for (const std::u16string& text : shown) {
        messages.insert(VisibleText(emb::ToUtf8(text)));
    }
    // The link shows its error for every result of an open up to 32; an unknown code is
    // shown as its number.
    for (int code = 0; code <= 32; ++code) {
        std::string text = emb::ToUtf8(emb::OpenErrorMessage(code));
        // Appended piece by piece: GCC 12 misreads "(" + std::string at -O3 (-Wrestrict).
        std::string number = "(";
        number.append(std::to_string(code)).append(")");
        std::string placeholder = "(";
        placeholder.append(kErrorNumber).append(")");
        if (const std::size_t at = text.find(number); at != std::string::npos) {
            text.replace(at, number.size(), placeholder);
        }
        messages.insert(VisibleText(text));
    }
    return messages;
}

class GuideMessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string guide = ReadText(GuidePath());
        ASSERT_FALSE(guide.empty()) << "cannot read " << GuidePath();
        const MessageList list = ReadMessageList(guide, kMessageHeading);
        ASSERT_EQ(list.problem, "");
        listed = ExpandReasons(list);
        literals = ChineseLiterals();
    }

    bool InListedMessage(std::string_view piece) const {
        return std::any_of(listed.begin(), listed.end(), [piece](const std::string& message) {
            const std::vector<std::string> parts = FixedParts(message);
            return std::any_of(parts.begin(), parts.end(), [piece](const std::string& part) {
                return part.find(piece) != std::string::npos;
            });
        });
    }

    std::vector<std::string> listed;  // the guide's messages, each reason in its place
    std::vector<FoundLiteral> literals;
};

TEST_F(GuideMessagesTest, EveryTextInTheSourcesIsInAListedMessageOrALabel) {
    ASSERT_FALSE(literals.empty());
    for (const FoundLiteral& literal : literals) {
        if (!IsLabelText(literal.text) && !InListedMessage(VisibleText(literal.text))) {
            ADD_FAILURE() << literal.place << ": " << Quoted(literal.text)
                          << " is in no message of the guide's list";
        }
    }
}

TEST_F(GuideMessagesTest, EveryComposedMessageIsListed) {
    for (const std::string& message : ComposedMessages()) {
        if (std::find(listed.begin(), listed.end(), message) == listed.end()) {
            ADD_FAILURE() << "the program shows " << Quoted(message)
                          << ", which the guide's list doesn't have";
        }
    }
}

TEST_F(GuideMessagesTest, EveryListedMessageIsOneTheProgramShows) {
    std::set<std::string> known = ComposedMessages();
    for (const FoundLiteral& literal : literals) {
        if (!IsLabelText(literal.text)) {
            known.insert(VisibleText(literal.text));
        }
    }
    for (const std::string& message : listed) {
        if (!known.contains(message)) {
            ADD_FAILURE() << "the guide lists " << Quoted(message)
                          << ", which the program never shows";
        }
    }
}

TEST_F(GuideMessagesTest, EveryLabelIsStillInTheSources) {
    for (const Label& label : kLabels) {
        const bool used = std::any_of(
            literals.begin(), literals.end(),
            [&label](const FoundLiteral& literal) { return IsLabel(label, literal.text); });
        EXPECT_TRUE(used) << "no source text is the label " << Quoted(label.text);
    }
}

// Users open the guide in Notepad on any Windows, so it stays UTF-8 with a byte-order mark and
// CR LF line ends.
TEST(GuideFileTest, IsUtf8WithByteOrderMarkAndWindowsLineEnds) {
    const std::string guide = ReadText(GuidePath());
    ASSERT_TRUE(guide.starts_with("\xEF\xBB\xBF"));
    EXPECT_TRUE(emb::FromUtf8(guide).has_value()) << "the guide is not valid UTF-8";
    int line = 1;
    for (std::size_t i = 0; i < guide.size(); ++i) {
        const bool bareLineFeed = guide[i] == '\n' && (i == 0 || guide[i - 1] != '\r');
        const bool bareReturn = guide[i] == '\r' && (i + 1 == guide.size() || guide[i + 1] != '\n');
        if (bareLineFeed || bareReturn) {
            ADD_FAILURE() << "line " << line << " does not end in CR LF";
            return;
        }
        line += guide[i] == '\n' ? 1 : 0;
    }
    EXPECT_TRUE(guide.ends_with("\r\n"));
}

}  // namespace
}  // namespace guide
