#pragma once

#include <string>

namespace emb {

// One user word: the keystroke code and the phrase it types, both UTF-16.
struct WordRecord {
    std::u16string code;
    std::u16string phrase;

    friend bool operator==(const WordRecord&, const WordRecord&) = default;
};

}  // namespace emb
