#pragma once

#include <cstddef>
#include <string_view>

namespace emb {

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

}  // namespace emb
