#include "GuideMessages.h"

#include <algorithm>

namespace guide {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

bool IsUnderline(std::string_view line) {
    return !line.empty() && (line.find_first_not_of('-') == std::string_view::npos ||
                             line.find_first_not_of('=') == std::string_view::npos);
}

bool IsHeading(const std::vector<std::string_view>& lines, std::size_t index) {
    return index + 1 < lines.size() && !lines[index].empty() && IsUnderline(lines[index + 1]);
}

}  // namespace

std::string VisibleText(std::string_view text) {
    std::string visible;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        if (text[i] == '\n') {
            while (!visible.empty() && visible.back() == ' ') {
                visible.pop_back();
            }
        }
        visible += text[i];
    }
    while (!visible.empty() && (visible.back() == ' ' || visible.back() == '\n')) {
        visible.pop_back();
    }
    return visible;
}

MessageList ReadMessageList(std::string_view guide, std::string_view heading) {
    if (guide.starts_with(kByteOrderMark)) {
        guide.remove_prefix(kByteOrderMark.size());
    }
    const std::vector<std::string_view> lines = Lines(guide);

    MessageList list;
    std::size_t first = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsHeading(lines, i) && lines[i].find(heading) != std::string_view::npos) {
            first = i + 2;
            break;
        }
    }
    if (first == lines.size()) {
        list.problem = "the guide has no section headed \"" + std::string(heading) + "\"";
        return list;
    }

    std::string* entry = nullptr;
    for (std::size_t i = first; i < lines.size() && !IsHeading(lines, i); ++i) {
        const std::string_view line = lines[i];
        if (line.starts_with(kMessagePrefix)) {
            entry = &list.messages.emplace_back(line.substr(kMessagePrefix.size()));
        } else if (line.starts_with(kReasonPrefix)) {
            entry = &list.reasons.emplace_back(line.substr(kReasonPrefix.size()));
        } else if (entry != nullptr && line.starts_with(kContinuation)) {
            *entry += '\n';
            *entry += line.substr(kContinuation.size());
        } else {
            entry = nullptr;
            continue;
        }
        list.textLines.push_back(i + 1);
    }
    for (std::vector<std::string>* entries : {&list.messages, &list.reasons}) {
        for (std::string& text : *entries) {
            text = VisibleText(text);
        }
    }
    if (list.messages.empty()) {
        list.problem = "the section headed \"" + std::string(heading) + "\" lists no message";
    }
    return list;
}

std::vector<std::string> ExpandReasons(const MessageList& list) {
    std::vector<std::string> expanded;
    for (const std::string& message : list.messages) {
        const std::size_t at = message.find(kReasonPlaceholder);
        if (at == std::string::npos) {
            expanded.push_back(message);
            continue;
        }
        for (const std::string& reason : list.reasons) {
            std::string text = message;
            text.replace(at, kReasonPlaceholder.size(), reason);
            expanded.push_back(std::move(text));
        }
    }
    return expanded;
}

std::size_t Columns(std::string_view line) {
    std::size_t columns = 0;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\t') {
            columns = (columns / 8 + 1) * 8;
        } else if (byte < 0x80) {
            ++columns;
        } else if (byte >= 0xC0) {
            columns += 2;  // the first byte of a longer character; the others add nothing
        }
    }
    return columns;
}

std::vector<std::size_t> WideLines(std::string_view guide, const MessageList& list) {
    if (guide.starts_with(kByteOrderMark)) {
        guide.remove_prefix(kByteOrderMark.size());
    }
    const std::vector<std::string_view> lines = Lines(guide);
    std::vector<std::size_t> wide;
    for (std::size_t number = 1; number <= lines.size(); ++number) {
        const std::string_view line = lines[number - 1];
        const bool text =
            std::find(list.textLines.begin(), list.textLines.end(), number) != list.textLines.end();
        // The box shows no spaces at a line's end.
        const std::string_view shown = line.substr(0, line.find_last_not_of(' ') + 1);
        if (Columns(line) > kMaxColumns && !(text && Columns(shown) > kMaxColumns)) {
            wide.push_back(number);
        }
    }
    return wide;
}

std::vector<std::string> FixedParts(std::string_view message) {
    constexpr std::string_view kOpen = "〈";
    constexpr std::string_view kClose = "〉";
    std::vector<std::string> parts;
    while (true) {
        const std::size_t open = message.find(kOpen);
        const std::size_t close =
            open == std::string_view::npos ? open : message.find(kClose, open + kOpen.size());
        if (close == std::string_view::npos) {
            parts.emplace_back(message);
            return parts;
        }
        parts.emplace_back(message.substr(0, open));
        message.remove_prefix(close + kClose.size());
    }
}

}  // namespace guide
