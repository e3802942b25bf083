#pragma once

// The message list of the user guide, read the way the guide writes it:
//
//   提示：first line of a message as its box shows it
//   　　　next line of the same message (three ideographic spaces, as wide as "提示：")
//     explanation for the user (anything else ends the message)
//   原因：one text that 〈原因〉 in a message stands for
//
// 〈…〉 marks a part filled in at run time, such as 〈词库文件路径〉.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace guide {

inline constexpr std::string_view kMessagePrefix = "提示：";
inline constexpr std::string_view kReasonPrefix = "原因：";
inline constexpr std::string_view kContinuation = "　　　";
inline constexpr std::string_view kReasonPlaceholder = "〈原因〉";

// Text as a message box shows it: CR LF breaks a line as LF does, and spaces at the end of a
// line and line breaks at the end of the text show nothing.
std::string VisibleText(std::string_view text);

struct MessageList {
    std::vector<std::string> messages;  // visible text, placeholders kept
    std::vector<std::string> reasons;
    std::vector<std::size_t> textLines;  // 1-based numbers of the lines holding their text
    std::string problem;                 // why no list could be read; empty when it could
};

// The entries of the section whose heading (a line underlined with - or =) contains heading.
// A UTF-8 byte-order mark and CR LF line ends are allowed.
MessageList ReadMessageList(std::string_view guide, std::string_view heading);

// The messages, each one with 〈原因〉 once for every reason.
std::vector<std::string> ExpandReasons(const MessageList& list);

// Notepad on older Windows doesn't wrap lines: the guide's lines fit in this many columns.
inline constexpr std::size_t kMaxColumns = 80;

// The columns a line takes: an ASCII character one, a tab up to the next multiple of 8, any
// other character two (Chinese fonts draw them all double width).
std::size_t Columns(std::string_view line);

// The 1-based numbers of the guide's lines wider than kMaxColumns. A line of message text
// (list.textLines) is not counted when the message's own line, as its box shows it, is that
// wide: it must stay as the box shows it.
std::vector<std::size_t> WideLines(std::string_view guide, const MessageList& list);

// The pieces of message between its placeholders.
std::vector<std::string> FixedParts(std::string_view message);

}  // namespace guide
