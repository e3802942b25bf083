#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace emb {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is passed to Windows as is");

inline const wchar_t* AsWide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// Copies between the program's UTF-16 text and the window framework's wide strings.
inline std::wstring WideString(std::u16string_view text) {
    return {text.begin(), text.end()};
}
inline std::u16string Utf16String(std::wstring_view text) {
    return {text.begin(), text.end()};
}

inline std::u16string FromWide(const wchar_t* text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

// The text of a fixed buffer up to its first NUL, or all of it when there is none.
inline std::u16string TextBeforeNul(const wchar_t* buffer, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && buffer[length] != L'\0') {
        ++length;
    }
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

}  // namespace emb
