#pragma once

// Word lists as text: one word a line, a code and a phrase. embtool build reads them strictly
// (its own dump's form, nothing else); Import reads them leniently, as other input methods
// export them, and takes only the lines that are words the user could have typed.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "WordRecord.h"

namespace emb {

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
    std::vector<WordRecord> words;   // in text order; empty when error is set
    std::optional<LineError> error;  // the first line that is refused
};

// embtool build's form. Lines end with LF or CRLF; a UTF-8 byte-order mark may open the text;
// empty lines are skipped. Every other line is exactly one code and one phrase separated by
// one tab, either of them possibly empty, the code at most 12 and the phrase at most 40 UTF-16
// units, with no control characters and no U+FEFF (neither would survive a dump read back as a
// word list).
WordList ParseWordList(std::string_view utf8);

// What is wrong with the line, in English, without the line number.
std::string_view DescribeLineProblem(LineProblem problem);

struct LenientWordList {
    std::vector<WordRecord> words;          // in text order, codes lowercased
    std::vector<std::size_t> skippedLines;  // 1-based numbers of the lines that are not words
};

// Import's form, over decoded text. Lines end with LF or CRLF; lines of nothing but spaces and
// tabs are passed over. Every other line is a word when it holds two fields separated by tabs
// or spaces, in either order, one of them made of ASCII letters (the code, lowercased), that
// make a word the user could have typed (IsTypableWord). Any other line is skipped, never
// altered.
LenientWordList ReadWordListLeniently(std::u16string_view text);

// Words as a word list's lines, "code<TAB>phrase" and CR LF each: what Notepad shows and a
// spreadsheet pastes as two columns, and what the lenient reader takes back.
std::u16string WordListLines(const std::vector<WordRecord>& words);

}  // namespace emb
