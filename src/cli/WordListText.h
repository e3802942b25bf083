#pragma once

// The text that embtool build reads: UTF-8 lines of code<TAB>phrase.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "WordRecord.h"

namespace embtool {

enum class LineProblem {
    MalformedUtf8,
    NoTab,
    SeveralTabs,
    ControlCharacter,
    ByteOrderMark,
    CodeTooLong,
    PhraseTooLong,
};

struct LineError {
    std::size_t line = 0;  // 1-based, counting every line including empty ones
    LineProblem problem = LineProblem::MalformedUtf8;
};

struct WordList {
    std::vector<emb::WordRecord> words;  // in text order; empty when error is set
    std::optional<LineError> error;      // the first line that is refused
};

// Lines end with LF or CRLF; a UTF-8 byte-order mark may open the text; empty lines are
// skipped. Every other line is exactly one code and one phrase separated by one tab, either of
// them possibly empty, the code at most 12 and the phrase at most 40 UTF-16 units, with no
// control characters and no U+FEFF (neither would survive a dump read back as a word list).
WordList ParseWordList(std::string_view text);

// What is wrong with the line, in English, without the line number.
std::string_view DescribeLineProblem(LineProblem problem);

}  // namespace embtool
