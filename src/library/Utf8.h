#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace emb {

// The two halves of a UTF-16 surrogate pair, high first.
inline bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
// The code point a surrogate pair stands for.
inline char32_t CodePointOf(char16_t high, char16_t low) {
    return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) +
           (static_cast<char32_t>(low) - 0xDC00);
}

// UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// UTF-16 of strict UTF-8; nullopt for malformed input (bad or truncated sequences, overlong
// forms, encoded surrogates, values above U+10FFFF).
std::optional<std::u16string> FromUtf8(std::string_view bytes);

}  // namespace emb
