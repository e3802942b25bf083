#include "SourceLiterals.h"

#include <cstdint>
#include <utility>

namespace guide {
namespace {

bool IsIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void AppendUtf8(std::string& out, std::uint32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

class Scanner {
public:
    Scanner(std::string_view source, Syntax syntax) : m_source(source), m_syntax(syntax) {}

    std::vector<Literal> Run() {
        std::vector<Literal> literals;
        std::size_t pos = 0;
        while (pos < m_source.size()) {
            const char c = m_source[pos];
            if (const std::size_t after = SkipComment(pos); after != pos) {
                pos = after;
            } else if (c == '"') {
                const std::string_view token = TokenBefore(pos);
                literals.push_back({{}, LineAt(pos)});
                pos = ReadLiteral(pos, IsPrefix(token) ? token : "", literals.back().text);
            } else if (c == '\'' && m_syntax == Syntax::Cpp) {
                const std::string_view token = TokenBefore(pos);
                // 1'000 is a number with a digit separator, not a character literal.
                pos = !token.empty() && IsDigit(token[0]) ? pos + 1 : SkipCharacter(pos + 1);
            } else {
                ++pos;
            }
        }
        return literals;
    }

private:
    // The identifier or number that ends right before pos.
    std::string_view TokenBefore(std::size_t pos) const {
        std::size_t start = pos;
        while (start > 0 && IsIdentifierChar(m_source[start - 1])) {
            --start;
        }
        return m_source.substr(start, pos - start);
    }

    bool IsPrefix(std::string_view token) const {
        if (m_syntax == Syntax::ResourceScript) {
            return token.empty() || token == "L";
        }
        if (!token.empty() && token.back() == 'R') {
            token.remove_suffix(1);
        }
        return token.empty() || token == "L" || token == "u" || token == "U" || token == "u8";
    }

    static bool IsRaw(std::string_view prefix) { return !prefix.empty() && prefix.back() == 'R'; }
    static bool IsNarrow(std::string_view prefix) { return prefix.empty() || prefix == "u8"; }

    static void AppendUnit(std::string& text, std::uint32_t value, bool byte) {
        if (byte && value <= 0xFF) {
            text += static_cast<char>(value);
        } else {
            AppendUtf8(text, value);
        }
    }

    // Past the comment that starts at pos, or pos when none does.
    std::size_t SkipComment(std::size_t pos) const {
        if (m_source.substr(pos, 2) == "//") {
            const std::size_t end = m_source.find('\n', pos);
            return end == std::string_view::npos ? m_source.size() : end;
        }
        if (m_source.substr(pos, 2) == "/*") {
            const std::size_t end = m_source.find("*/", pos + 2);
            return end == std::string_view::npos ? m_source.size() : end + 2;
        }
        return pos;
    }

    std::size_t SkipSpaceAndComments(std::size_t pos) const {
        while (pos < m_source.size()) {
            if (const std::size_t after = SkipComment(pos); after != pos) {
                pos = after;
            } else if (m_source[pos] == ' ' || m_source[pos] == '\t' || m_source[pos] == '\n' ||
                       m_source[pos] == '\r') {
                ++pos;
            } else {
                break;
            }
        }
        return pos;
    }

    std::size_t SkipCharacter(std::size_t pos) const {
        while (pos < m_source.size() && m_source[pos] != '\'' && m_source[pos] != '\n') {
            pos += m_source[pos] == '\\' ? 2 : 1;
        }
        return pos + 1;
    }

    // Reads the literal whose first piece opens at pos, and every piece joined to it. The
    // joined literal takes the encoding prefix that any of its pieces has.
    std::size_t ReadLiteral(std::size_t pos, std::string_view prefix, std::string& text) const {
        std::vector<std::pair<std::size_t, bool>> pieces;  // opening quote, raw
        std::string_view encoding;
        std::string scratch;
        while (true) {
            pieces.emplace_back(pos, IsRaw(prefix));
            if (IsRaw(prefix)) {
                prefix.remove_suffix(1);
            }
            if (!prefix.empty()) {
                encoding = prefix;
            }
            pos = pieces.back().second ? ReadRawPiece(pos, scratch) : ReadPiece(pos, true, scratch);
            while (pos < m_source.size() && IsIdentifierChar(m_source[pos])) {
                ++pos;  // a user-defined suffix such as sv
            }
            const std::size_t next = SkipSpaceAndComments(pos);
            std::size_t quote = next;
            while (quote < m_source.size() && IsIdentifierChar(m_source[quote])) {
                ++quote;
            }
            prefix = m_source.substr(next, quote - next);
            if (quote >= m_source.size() || m_source[quote] != '"' || !IsPrefix(prefix)) {
                break;
            }
            pos = quote;
        }
        for (const auto& [quote, raw] : pieces) {
            raw ? ReadRawPiece(quote, text) : ReadPiece(quote, IsNarrow(encoding), text);
        }
        return pos;
    }

    std::size_t ReadRawPiece(std::size_t pos, std::string& text) const {
        const std::size_t open = m_source.find('(', pos);
        if (open == std::string_view::npos) {
            return m_source.size();
        }
        // Appended piece by piece: GCC 12 misreads ")" + std::string at -O3 (-Wrestrict).
        std::string close = ")";
        close.append(m_source.substr(pos + 1, open - pos - 1)).append("\"");
        const std::size_t end = m_source.find(close, open);
        if (end == std::string_view::npos) {
            text += m_source.substr(open + 1);
            return m_source.size();
        }
        text += m_source.substr(open + 1, end - open - 1);
        return end + close.size();
    }

    std::size_t ReadPiece(std::size_t pos, bool narrow, std::string& text) const {
        ++pos;
        while (pos < m_source.size()) {
            const char c = m_source[pos];
            if (c == '"') {
                if (m_syntax == Syntax::ResourceScript && m_source.substr(pos, 2) == "\"\"") {
                    text += '"';
                    pos += 2;
                    continue;
                }
                return pos + 1;
            }
            if (c == '\n') {
                return pos;  // unterminated: the compiler refuses it anyway
            }
            if (c == '\\') {
                pos = ReadEscape(pos + 1, narrow, text);
                continue;
            }
            text += c;
            ++pos;
        }
        return pos;
    }

    // Decodes the escape whose letter is at pos; answers the position after it. In a narrow
    // literal \x and octal escapes are bytes, elsewhere they are characters.
    std::size_t ReadEscape(std::size_t pos, bool narrow, std::string& text) const {
        if (pos >= m_source.size()) {
            return pos;
        }
        const char c = m_source[pos];
        switch (c) {
            case 'n':
                text += '\n';
                return pos + 1;
            case 't':
                text += '\t';
                return pos + 1;
            case 'r':
                text += '\r';
                return pos + 1;
            case 'v':
                text += '\v';
                return pos + 1;
            case 'b':
                text += '\b';
                return pos + 1;
            case 'f':
                text += '\f';
                return pos + 1;
            case 'a':
                text += '\a';
                return pos + 1;
            case '\n':
                return pos + 1;  // a spliced line
            case 'x':
            case 'u':
            case 'U': {
                const std::size_t most = c == 'x' ? std::string_view::npos : c == 'u' ? 4 : 8;
                std::uint32_t value = 0;
                std::size_t digits = 0;
                ++pos;
                while (pos < m_source.size() && digits < most && HexValue(m_source[pos]) >= 0) {
                    value = value * 16 + static_cast<std::uint32_t>(HexValue(m_source[pos]));
                    ++pos;
                    ++digits;
                }
                AppendUnit(text, value, narrow && c == 'x');
                return pos;
            }
            default:
                break;
        }
        if (c >= '0' && c <= '7') {
            std::uint32_t value = 0;
            for (int digits = 0; digits < 3 && pos < m_source.size() && m_source[pos] >= '0' &&
                                 m_source[pos] <= '7';
                 ++digits, ++pos) {
                value = value * 8 + static_cast<std::uint32_t>(m_source[pos] - '0');
            }
            AppendUnit(text, value, narrow);
            return pos;
        }
        text += c;  // \\ \" \' \? stand for themselves
        return pos + 1;
    }

    // Lines are counted forward only: literals are found in source order.
    int LineAt(std::size_t pos) {
        for (; m_counted < pos; ++m_counted) {
            if (m_source[m_counted] == '\n') {
                ++m_line;
            }
        }
        return m_line;
    }

    std::string_view m_source;
    Syntax m_syntax;
    std::size_t m_counted = 0;
    int m_line = 1;
};

}  // namespace

std::vector<Literal> StringLiterals(std::string_view source, Syntax syntax) {
    return Scanner(source, syntax).Run();
}

}  // namespace guide
