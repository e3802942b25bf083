// The user guide (docs/用户说明.txt) lists every message the program shows, and no other; users
// open it in Notepad, so it is UTF-8 with a byte-order mark, CR LF line ends and lines that fit.
//
// The program's messages are all in src/texts/Messages.h, and no other source holds text for
// the user. Every piece of Chinese text there must stand in a message of the guide's list, every
// message composed from them (run-time parts named as the guide names them) must be listed, and
// every listed message must be one of those.
//
// The guide's list, read the way it is written:
//   提示：first line of a message as its box shows it
//   　　　next line of the same message (three ideographic spaces, as wide as "提示：")
//   原因：one text that 〈原因〉 in a message stands for
// Any other line ends an entry. 〈…〉 marks a part filled in at run time.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "Messages.h"
#include "Utf8.h"

namespace {

namespace fs = std::filesystem;
using Texts = std::set<std::string>;

const fs::path kRoot(WORDMAINT_SOURCE_DIR);
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t kMaxColumns = 80;  // Notepad on older Windows doesn't wrap lines

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// As a message box shows text: CR LF breaks a line as LF does; spaces at a line's end and line
// breaks at the text's end show nothing.
std::string Visible(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        if (c == '\n') {
            shown.erase(shown.find_last_not_of(" \r") + 1);
        }
        shown += c;
    }
    shown.erase(shown.find_last_not_of(" \r\n") + 1);
    return shown;
}

std::string Visible(std::u16string_view text) {
    return Visible(emb::ToUtf8(text));
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t end; !text.empty(); text.remove_prefix(std::min(end + 1, text.size()))) {
        end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        if (lines.back().ends_with('\r')) {
            lines.back().pop_back();
        }
    }
    return lines;
}

struct Guide {
    std::vector<std::string> lines;
    Texts listed;                        // every message, each reason in place of 〈原因〉
    std::set<std::size_t> messageLines;  // indexes of the lines holding message text
};

Guide ReadGuide() {
    Guide guide;
    guide.lines = Lines(std::string_view(ReadText(kRoot / u8"docs/用户说明.txt")).substr(3));
    std::vector<std::string> messages;
    std::vector<std::string> reasons;
    std::string* entry = nullptr;
    // The list is the section under the heading (a line underlined with dashes) that names it.
    const auto heading = [&lines = guide.lines](std::size_t i) {
        return i + 1 < lines.size() && lines[i + 1].starts_with("---");
    };
    bool inList = false;
    const std::pair<std::string_view, std::vector<std::string>*> kinds[] = {{"提示：", &messages},
                                                                            {"原因：", &reasons}};
    for (std::size_t i = 0; i < guide.lines.size(); ++i) {
        const std::string_view line = guide.lines[i];
        if (heading(i)) {
            inList = line.find("程序会显示的全部提示") != std::string_view::npos;
        }
        if (!inList) {
            continue;
        }
        for (const auto& [prefix, entries] : kinds) {
            if (line.starts_with(prefix)) {
                entry = &entries->emplace_back(line.substr(prefix.size()));
                guide.messageLines.insert(i);
            }
        }
        if (entry != nullptr && line.starts_with("　　　") && !guide.messageLines.contains(i)) {
            *entry += "\n" + std::string(line.substr(9));
            guide.messageLines.insert(i);
        } else if (!guide.messageLines.contains(i)) {
            entry = nullptr;
        }
    }
    for (const std::string& message : messages) {
        const std::size_t at = message.find("〈原因〉");
        for (const std::string& reason :
             at == std::string::npos ? std::vector<std::string>{""} : reasons) {
            guide.listed.insert(Visible(
                at == std::string::npos ? message : std::string(message).replace(at, 12, reason)));
        }
    }
    return guide;
}

// The messages as the program composes them.
Texts ComposedMessages() {
    const std::u16string library = u"〈词库文件路径〉";
    const std::u16string file = u"〈导入文件路径〉";
    Texts composed;
    for (const std::u16string& message : {
             std::u16string(emb::kSystemDiskMessage),
             emb::NotDetectedMessage(),
             library,  // loading: the path alone, then the open error
             std::u16string(emb::kOpenErrorMessage),
             std::u16string(emb::kTooManyWordsMessage),
             std::u16string(emb::kNoLibraryChosenMessage),
             emb::SaveFailedMessage(library, true),
             emb::SaveFailedMessage(library, false),
             emb::AddedWordsQuestion(u"〈词数〉"),
             emb::UnsavedChangesQuestion(u"〈词库名〉"),
             std::u16string(emb::kImportOpenFailedMessage),
             emb::NotImportableMessage(file),
             emb::LargeCountQuestion(file, u"〈记录数〉"),
             emb::WordListImportedMessage(u"〈词数〉", u"〈重复数〉", u"〈编码数〉", u"〈删除数〉",
                                          u"〈行数〉", u"〈行号〉"),
             emb::ReplaceFileQuestion(u"〈备份文件路径〉"),
             std::u16string(emb::kNoWordsToPasteMessage),
             emb::NotFoundMessage(u"〈查找的文字〉"),
             emb::UncodedPhrasesMessage(u"〈个数〉"),
             emb::CodeTableUnreadableMessage(u"〈编码词典路径〉"),
             emb::BackupFailedMessage(u"〈备份文件路径〉"),
             std::u16string(emb::kConfirmClearMessage),
         }) {
        composed.insert(Visible(message));
    }
    // The link's message for every result of a failed open; an unknown one shows its number.
    for (int code = 0; code <= 32; ++code) {
        std::u16string message = emb::OpenErrorMessage(code);
        const std::u16string number = u"(" + emb::DecimalText(static_cast<std::size_t>(code));
        if (const std::size_t at = message.find(number + u")"); at != std::u16string::npos) {
            message.replace(at + 1, number.size() - 1, u"〈错误号〉");
        }
        composed.insert(Visible(message));
    }
    return composed;
}

// The string literals of Messages.h, adjacent pieces joined, that hold Chinese text.
std::vector<std::string> ChinesePieces() {
    const std::string source = ReadText(kRoot / "src/texts/Messages.h");
    std::vector<std::string> pieces;
    std::u16string piece;
    bool joining = false;
    for (std::size_t at = 0; at < source.size(); ++at) {
        if (source.compare(at, 2, "//") == 0) {
            at = source.find('\n', at);
        } else if (source.compare(at, 2, "u\"") == 0) {
            for (at += 2; source[at] != '"'; ++at) {
                const char c = source[at] == '\\' ? source[++at] : '\0';
                const std::size_t length = c == 'u' ? 4 : 0;
                if (c == 'u') {
                    piece +=
                        static_cast<char16_t>(std::stoi(source.substr(at + 1, 4), nullptr, 16));
                } else if (c != '\0') {
                    piece += c == 'n' ? u'\n' : c == 'r' ? u'\r' : static_cast<char16_t>(c);
                } else {
                    // A whole UTF-8 character: its lead byte and the bytes that follow it.
                    std::size_t end = at + 1;
                    while (end < source.size() && (source[end] & 0xC0) == 0x80) {
                        ++end;
                    }
                    piece += emb::FromUtf8(source.substr(at, end - at)).value_or(u"?");
                    at = end - 1;
                }
                at += length;
            }
            joining = true;
        } else if (joining && std::isspace(static_cast<unsigned char>(source[at])) == 0) {
            if (std::any_of(piece.begin(), piece.end(),
                            [](char16_t unit) { return unit >= 0x3400 && unit <= 0x9FFF; })) {
                pieces.push_back(Visible(piece));
            }
            piece.clear();
            joining = false;
        }
    }
    return pieces;
}

TEST(GuideTest, ListsExactlyTheMessagesTheProgramShows) {
    const Texts listed = ReadGuide().listed;
    const Texts composed = ComposedMessages();
    for (const std::string& message : composed) {
        EXPECT_TRUE(listed.contains(message)) << "the guide's list lacks:\n" << message;
    }
    for (const std::string& message : listed) {
        EXPECT_TRUE(composed.contains(message)) << "the program never shows:\n" << message;
    }
}

// A text added to Messages.h is in the guide, or the check above must be taught its message.
TEST(GuideTest, EveryChineseTextOfTheMessagesStandsInAListedMessage) {
    const Texts listed = ReadGuide().listed;
    const std::vector<std::string> pieces = ChinesePieces();
    EXPECT_GE(pieces.size(), 20u);
    for (const std::string& piece : pieces) {
        const bool found = std::any_of(listed.begin(), listed.end(), [&piece](std::string text) {
            // Only outside the run-time parts.
            for (std::size_t open; (open = text.find("〈")) != std::string::npos;) {
                text.replace(open, text.find("〉", open) + 3 - open, "\x01");
            }
            return text.find(piece) != std::string::npos;
        });
        EXPECT_TRUE(found) << "in no message of the guide:\n" << piece;
    }
}

TEST(GuideTest, NoOtherSourceHoldsTextForTheUser) {
    for (const auto& entry : fs::recursive_directory_iterator(kRoot / "src")) {
        const fs::path& path = entry.path();
        if (path.parent_path().filename() == "texts" ||
            (path.extension() != ".h" && path.extension() != ".cpp")) {
            continue;
        }
        int number = 0;
        for (const std::string& line : Lines(ReadText(path))) {
            ++number;
            const std::string code = line.substr(0, line.find("//"));
            EXPECT_TRUE(std::all_of(code.begin(), code.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
                << path.generic_string() << ":" << number << " holds text for the user";
        }
    }
}

TEST(GuideTest, IsUtf8WithByteOrderMarkCrLfAndLinesNotepadShowsWhole) {
    const std::string text = ReadText(kRoot / u8"docs/用户说明.txt");
    ASSERT_TRUE(text.starts_with(kBom));
    EXPECT_TRUE(emb::FromUtf8(text).has_value()) << "not UTF-8";
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
              static_cast<long>(Lines(text).size()));  // ends in a line break
    for (std::size_t at = text.find_first_of("\r\n"); at != std::string::npos;
         at = text.find_first_of("\r\n", at + 2)) {
        ASSERT_EQ(text.compare(at, 2, "\r\n"), 0) << "a line ends without CR LF at byte " << at;
    }
    // Columns as Notepad shows them: Chinese characters take two, a tab runs to a multiple of 8.
    const auto columns = [](std::string_view line) {
        std::size_t width = 0;
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            width = byte == '\t' ? (width / 8 + 1) * 8 : width + (byte < 0x80 ? 1 : 0);
            width += byte >= 0xC0 ? 2 : 0;
        }
        return width;
    };
    const Guide guide = ReadGuide();
    for (std::size_t i = 0; i < guide.lines.size(); ++i) {
        // A message's own line is as wide as its box shows it (without spaces at its end).
        const std::string_view line = guide.lines[i];
        const bool message = guide.messageLines.contains(i) &&
                             columns(line.substr(0, line.find_last_not_of(' ') + 1)) > kMaxColumns;
        EXPECT_TRUE(columns(line) <= kMaxColumns || message)
            << "line " << i + 1 << " is " << columns(line) << " columns wide";
    }
}

}  // namespace
