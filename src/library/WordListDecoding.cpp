#include "WordListDecoding.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "Utf8.h"
#include "WordListText.h"

namespace emb {
namespace {

constexpr std::array<std::uint8_t, 3> kUtf8Mark = {0xEF, 0xBB, 0xBF};
constexpr std::array<std::uint8_t, 2> kUtf16LittleMark = {0xFF, 0xFE};
constexpr std::array<std::uint8_t, 2> kUtf16BigMark = {0xFE, 0xFF};

template <std::size_t Size>
bool StartsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, Size>& mark) {
    return bytes.size() >= Size && std::equal(mark.begin(), mark.end(), bytes.begin());
}

std::string_view AsChars(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Strict UTF-16 of one byte order: whole units and no lone surrogate.
std::optional<DecodedText> FromUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t at = 0; at < bytes.size(); at += 2) {
        const std::uint8_t high = bigEndian ? bytes[at] : bytes[at + 1];
        const std::uint8_t low = bigEndian ? bytes[at + 1] : bytes[at];
        text.push_back(static_cast<char16_t>((high << 8) | low));
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            return std::nullopt;
        }
    }
    return DecodedText{std::move(text), {}};
}

// UTF-16 LE without its mark, as several input methods export: every ASCII unit has a NUL
// high byte, and few CJK ones have a NUL low byte. No UTF-8 or GBK text holds a NUL at all.
bool LooksLikeUtf16Little(std::span<const std::uint8_t> bytes) {
    std::size_t oddNuls = 0;
    std::size_t evenNuls = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == 0) {
            ++(at % 2 == 0 ? evenNuls : oddNuls);
        }
    }
    return bytes.size() % 2 == 0 && oddNuls > 2 * evenNuls;
}

// C0 controls other than tab, LF and CR; DEL; C1 controls.
bool HasForeignControl(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t unit) {
        const bool lineControl = unit == u'\t' || unit == u'\n' || unit == u'\r';
        return (unit < 0x20 && !lineControl) || (unit >= 0x7F && unit <= 0x9F);
    });
}

std::size_t ChineseWords(std::u16string_view text) {
    const std::vector<WordRecord> words = ReadWordListLeniently(text).words;
    return static_cast<std::size_t>(std::count_if(
        words.begin(), words.end(), [](const WordRecord& w) { return IsChinesePhrase(w.phrase); }));
}

struct Utf8Lines {
    DecodedText decoded;
    std::size_t lines = 0;  // that are not blank
};

// UTF-8 line by line (an LF byte is never part of a longer sequence); a line that isn't valid
// UTF-8 keeps only its line end, and is numbered.
Utf8Lines DecodeUtf8Lines(std::string_view bytes) {
    Utf8Lines result;
    for (std::size_t number = 1; !bytes.empty(); ++number) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = bytes.substr(0, end == bytes.npos ? end : end + 1);
        bytes.remove_prefix(line.size());
        std::optional<std::u16string> text = FromUtf8(line);
        result.lines += line.find_first_not_of(" \t\r\n") != line.npos ? 1 : 0;
        if (!text) {
            result.decoded.undecodableLines.push_back(number);
            text = line.ends_with("\r\n") ? u"\r\n" : line.ends_with('\n') ? u"\n" : u"";
        }
        result.decoded.text += *text;
    }
    return result;
}

std::optional<DecodedText> FromLegacy(std::span<const std::uint8_t> bytes,
                                      const LegacyTextDecoder& legacy) {
    std::optional<std::u16string> text = legacy.Decode(bytes);
    if (!text) {
        return std::nullopt;
    }
    return DecodedText{std::move(*text), {}};
}

// Without a byte-order mark: what the lines' bytes most likely are.
std::optional<DecodedText> ByEvidence(std::span<const std::uint8_t> bytes,
                                      const LegacyTextDecoder& legacy) {
    Utf8Lines utf8 = DecodeUtf8Lines(AsChars(bytes));
    const std::size_t bad = utf8.decoded.undecodableLines.size();
    const std::size_t utf8Words = ChineseWords(utf8.decoded.text);
    // A list in UTF-8 with a line pasted in from elsewhere: at most one line in every twenty
    // begun doesn't decode, and UTF-8 reads no fewer Chinese words than that.
    if (bad > 0 && bad * 20 <= utf8.lines + 19 && bad <= utf8Words) {
        return std::move(utf8.decoded);
    }
    // A short GBK text can be valid UTF-8 (忙碌 reads as "æµ"), and UTF-8 can be valid GBK
    // (我们 reads as 鎴戜滑): GBK is taken only when it gives more words of Chinese characters.
    std::optional<DecodedText> other = FromLegacy(bytes, legacy);
    if (other && ChineseWords(other->text) > utf8Words) {
        return other;
    }
    if (bad == 0 || utf8Words > 0) {
        return std::move(utf8.decoded);
    }
    return other;
}

}  // namespace

bool IsChinesePhrase(std::u16string_view phrase) {
    return std::all_of(phrase.begin(), phrase.end(), [](char16_t unit) {
        return (unit >= 0x3000 && unit <= 0x303F) || (unit >= 0x3400 && unit <= 0x4DBF) ||
               (unit >= 0x4E00 && unit <= 0x9FFF) || (unit >= 0xF900 && unit <= 0xFAFF) ||
               (unit >= 0xFE30 && unit <= 0xFE4F) || (unit >= 0xFF00 && unit <= 0xFFEF) ||
               (unit >= 0xD840 && unit <= 0xD8BF) || IsLowSurrogate(unit);
    });
}

std::optional<DecodedText> DecodeWordListText(std::span<const std::uint8_t> bytes,
                                              const LegacyTextDecoder& legacy) {
    std::optional<DecodedText> decoded;
    if (StartsWith(bytes, kUtf8Mark)) {
        decoded = DecodeUtf8Lines(AsChars(bytes.subspan(kUtf8Mark.size()))).decoded;
    } else if (StartsWith(bytes, kUtf16LittleMark) || StartsWith(bytes, kUtf16BigMark)) {
        decoded = FromUtf16(bytes.subspan(2), StartsWith(bytes, kUtf16BigMark));
    } else if (LooksLikeUtf16Little(bytes)) {
        decoded = FromUtf16(bytes, false);
    } else {
        decoded = ByEvidence(bytes, legacy);
    }
    if (!decoded || HasForeignControl(decoded->text)) {
        return std::nullopt;
    }
    return decoded;
}

}  // namespace emb
