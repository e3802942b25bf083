#include "WordListText.h"

#include <algorithm>

#include "TextLines.h"
#include "UserWordFormat.h"
#include "Utf8.h"

namespace emb {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

constexpr char16_t kZeroWidthNoBreakSpace = 0xFEFF;

bool HasControlCharacter(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x20; });
}

// The word on one non-empty line of embtool build's form, or the problem with it.
std::optional<LineProblem> ParseStrictLine(std::string_view line, WordRecord& word,
                                           PhraseCoder* coder) {
    const std::optional<std::u16string> text = FromUtf8(line);
    if (!text) {
        return LineProblem::MalformedUtf8;
    }
    const std::size_t tab = text->find(u'\t');
    if (tab == std::u16string::npos) {
        // A phrase alone is a word when its code can be worked out.
        const std::optional<std::u16string> code = coder ? coder->CodeOf(*text) : std::nullopt;
        if (!code) {
            return LineProblem::NoTab;
        }
        return ParseStrictLine(ToUtf8(*code + u'\t' + *text), word, nullptr);
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

}  // namespace

WordList ParseWordList(std::string_view utf8, PhraseCoder* coder) {
    if (utf8.starts_with(kUtf8Mark)) {
        utf8.remove_prefix(kUtf8Mark.size());
    }
    WordList result;
    ForEachLine(utf8, [&result, coder](std::size_t number, std::string_view line) {
        if (result.error || line.empty()) {
            return;
        }
        WordRecord word;
        if (const std::optional<LineProblem> problem = ParseStrictLine(line, word, coder)) {
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

}  // namespace emb
