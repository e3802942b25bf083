#pragma once

// Word lists as text: one word a line, a code and a phrase. embtool build reads them strictly
// (its own dump's form, nothing else); Import reads them leniently, as other input methods
// export them, and takes only the lines that are words the user could have typed.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PhraseCoder.h"
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
// word list). A line without a tab is a phrase whose code coder works out, else refused.
WordList ParseWordList(std::string_view utf8, PhraseCoder* coder = nullptr);

// What is wrong with the line, in English, without the line number.
std::string_view DescribeLineProblem(LineProblem problem);

struct LenientWordList {
    std::vector<WordRecord> words;          // in text order, codes lowercased
    std::vector<std::size_t> skippedLines;  // 1-based numbers of the lines that are not words
    std::size_t deletedWords = 0;           // lines a Rime snapshot marks deleted, passed over
    std::size_t codedWords = 0;             // words of lone phrases, their codes worked out
};

// Import's form, over decoded text: the word lists other input methods write. Lines end with LF
// or CRLF. Passed over without a count: blank lines, # comments, a YAML header from --- to ...
// (its columns list says which tab-separated column of a Rime dictionary's lines is the text
// and which the code), [section] lines, and key=value lines before a [Data] line or in a
// section other than [Data]. Every other line is a word when it holds fields separated by tabs
// or spaces: a code and a phrase in either order, or a code and several phrases (each a word
// with that code). A code is ASCII letters (lowercased), a # flag glued to it dropped; a third
// and later column that is a number or c=/d=/t= counts is ignored, and c= below 0 marks a
// deleted word. A phrase alone on its line (or without its Rime code column) is a word when
// coder works out its code. Each word must be one the user could have typed (IsTypableWord);
// any other line is skipped, never altered.
LenientWordList ReadWordListLeniently(std::u16string_view text, PhraseCoder* coder = nullptr);

// Words as a word list's lines, "code<TAB>phrase" and CR LF each: what Notepad shows and a
// spreadsheet pastes as two columns, and what the lenient reader takes back.
std::u16string WordListLines(const std::vector<WordRecord>& words);

}  // namespace emb
