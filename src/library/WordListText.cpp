#include "WordListText.h"

#include <algorithm>

#include "UserWordFormat.h"
#include "Utf8.h"
#include "WordTableRules.h"

namespace emb {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

constexpr char16_t kZeroWidthNoBreakSpace = 0xFEFF;

// Calls take(number, line) for every line of text, empty ones included, numbered from 1. Lines
// end with LF or CR LF; the last one may have no end. The same for bytes (an LF byte is never
// part of a longer UTF-8 sequence, so splitting them is safe) and for UTF-16 units.
template <typename Char, typename Take>
void ForEachLine(std::basic_string_view<Char> text, Take take) {
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find(Char('\n'));
        std::basic_string_view<Char> line = text.substr(0, end);
        text.remove_prefix(end == std::basic_string_view<Char>::npos ? text.size() : end + 1);
        if (line.ends_with(Char('\r'))) {
            line.remove_suffix(1);
        }
        take(number, line);
    }
}

bool HasControlCharacter(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x20; });
}

// The word on one non-empty line of embtool build's form, or the problem with it.
std::optional<LineProblem> ParseStrictLine(std::string_view line, WordRecord& word) {
    const std::optional<std::u16string> text = FromUtf8(line);
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
    if (word.code.size() > kCodeUnits) {
        return LineProblem::CodeTooLong;
    }
    if (word.phrase.size() > kPhraseUnits) {
        return LineProblem::PhraseTooLong;
    }
    return std::nullopt;
}

bool IsSeparator(char16_t unit) {
    return unit == u' ' || unit == u'\t';
}

bool IsAsciiLetters(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t unit) {
        return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
    });
}

// The fields of a line between runs of separators.
std::vector<std::u16string_view> FieldsOf(std::u16string_view line) {
    std::vector<std::u16string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        if (IsSeparator(line[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < line.size() && !IsSeparator(line[end])) {
            ++end;
        }
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// The word on a line of Import's form, when the line is one.
std::optional<WordRecord> LenientWord(const std::vector<std::u16string_view>& fields) {
    if (fields.size() != 2) {
        return std::nullopt;
    }
    const std::size_t codeField = IsAsciiLetters(fields[0]) ? 0 : 1;
    WordRecord word{std::u16string(fields[codeField]), std::u16string(fields[1 - codeField])};
    std::transform(word.code.begin(), word.code.end(), word.code.begin(), [](char16_t unit) {
        return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
    });
    if (!IsTypableWord(word)) {
        return std::nullopt;
    }
    return word;
}

}  // namespace

WordList ParseWordList(std::string_view utf8) {
    if (utf8.starts_with(kUtf8Mark)) {
        utf8.remove_prefix(kUtf8Mark.size());
    }
    WordList result;
    ForEachLine(utf8, [&result](std::size_t number, std::string_view line) {
        if (result.error || line.empty()) {
            return;
        }
        WordRecord word;
        if (const std::optional<LineProblem> problem = ParseStrictLine(line, word)) {
            result.error = LineError{number, *problem};
        } else {
            result.words.push_back(std::move(word));
        }
    });
    if (result.error) {
        result.words.clear();
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

std::u16string WordListLines(const std::vector<WordRecord>& words) {
    std::u16string text;
    for (const WordRecord& word : words) {
        text += word.code + u'\t' + word.phrase + u"\r\n";
    }
    return text;
}

LenientWordList ReadWordListLeniently(std::u16string_view text) {
    LenientWordList result;
    ForEachLine(text, [&result](std::size_t number, std::u16string_view line) {
        const std::vector<std::u16string_view> fields = FieldsOf(line);
        if (fields.empty()) {
            return;
        }
        if (std::optional<WordRecord> word = LenientWord(fields)) {
            result.words.push_back(std::move(*word));
        } else {
            result.skippedLines.push_back(number);
        }
    });
    return result;
}

}  // namespace emb
