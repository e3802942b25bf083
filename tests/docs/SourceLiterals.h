#pragma once

// The string literals of a C++ source or a resource script, as the compiler would see them.

#include <string>
#include <string_view>
#include <vector>

namespace guide {

enum class Syntax {
    Cpp,             // prefixes L u U u8, raw strings, character literals, digit separators
    ResourceScript,  // "" is a quotation mark inside a literal; no character literals
};

struct Literal {
    std::string text;  // UTF-8, escapes decoded, adjacent pieces joined
    int line = 0;      // where the first piece starts, 1-based
};

// Comments and character literals are skipped. Pieces separated only by white space and
// comments are one literal, as the compiler joins them.
std::vector<Literal> StringLiterals(std::string_view source, Syntax syntax);

}  // namespace guide
