#include "WordListText.h"

#include <algorithm>

#include "UserWordFormat.h"
#include "Utf8.h"

namespace embtool {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr char16_t kZeroWidthNoBreakSpace = 0xFEFF;

bool HasControlCharacter(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x20; });
}

// The word on one non-empty line, or the problem with it.
std::optional<LineProblem> ParseLine(std::string_view line, emb::WordRecord& word) {
    const std::optional<std::u16string> text = emb::FromUtf8(line);
    if (!text) {
        return LineProblem::MalformedUtf8;
    }
    const std::size_t tab = text->find(u'\t');
    if (tab == std::u16string::npos) {
        return LineProblem::NoTab;
    }
    if (text->find(u'\t', tab + 1) != std::u16string::npos) {
        return LineProblem::SeveralTabs;
    }
    word.code = text->substr(0, tab);
    word.phrase = text->substr(tab + 1);
    if (HasControlCharacter(word.code) || HasControlCharacter(word.phrase)) {
        return LineProblem::ControlCharacter;
    }
    // At the start of a dump it would be taken for the byte-order mark and dropped.
    if (text->find(kZeroWidthNoBreakSpace) != std::u16string::npos) {
        return LineProblem::ByteOrderMark;
    }
    if (word.code.size() > emb::kCodeUnits) {
        return LineProblem::CodeTooLong;
    }
    if (word.phrase.size() > emb::kPhraseUnits) {
        return LineProblem::PhraseTooLong;
    }
    return std::nullopt;
}

}  // namespace

WordList ParseWordList(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    WordList result;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        // An LF byte is never part of a longer UTF-8 sequence, so splitting bytes is safe.
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        emb::WordRecord word;
        if (const std::optional<LineProblem> problem = ParseLine(line, word)) {
            result.words.clear();
            result.error = LineError{lineNumber, *problem};
            return result;
        }
        result.words.push_back(std::move(word));
    }
    return result;
}

std::string_view DescribeLineProblem(LineProblem problem) {
    switch (problem) {
        case LineProblem::MalformedUtf8:
            return "malformed UTF-8";
        case LineProblem::NoTab:
            return "no tab between code and phrase";
        case LineProblem::SeveralTabs:
            return "more than one tab (a line holds one code and one phrase)";
        case LineProblem::ControlCharacter:
            return "control character in the code or phrase";
        case LineProblem::ByteOrderMark:
            return "byte-order mark (U+FEFF) after the start of the text";
        case LineProblem::CodeTooLong:
            return "code longer than 12 UTF-16 units";
        case LineProblem::PhraseTooLong:
            return "phrase longer than 40 UTF-16 units";
    }
    return "unreadable line";
}

}  // namespace embtool
