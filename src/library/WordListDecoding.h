#pragma once

// The text of a word list file. A file without a byte-order mark says nothing of its encoding,
// and a few lines of GBK can be valid UTF-8 too: the encoding is the one its bytes most likely
// are, decided line by line, never the first that happens not to fail.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace emb {

// The system's legacy Chinese code page (GB18030, or GBK where the system lacks it), which the
// portable code has no table of.
class LegacyTextDecoder {
public:
    virtual ~LegacyTextDecoder() = default;
    // The text of bytes, or nullopt when they are not valid in the code page.
    virtual std::optional<std::u16string> Decode(std::span<const std::uint8_t> bytes) const = 0;
};

struct DecodedText {
    std::u16string text;                        // a line that does not decode: its end alone
    std::vector<std::size_t> undecodableLines;  // their 1-based numbers, ascending
};

// Made of what Chinese phrases are: CJK ideographs (those beyond the BMP as surrogate pairs),
// CJK symbols and punctuation, the compatibility and vertical forms, and full-width forms.
bool IsChinesePhrase(std::u16string_view phrase);

// A byte-order mark decides the encoding (UTF-8, UTF-16 LE or BE). Without one, bytes with
// NULs that fall mostly on odd offsets (the high bytes of ASCII letters and line ends) are
// UTF-16 LE. Otherwise the text is UTF-8 when at most one line in twenty is not valid UTF-8 and
// UTF-8 reads at least as many words of Chinese characters (IsChinesePhrase) as there are such
// lines; they are then undecodable. Otherwise the legacy code page is taken when it reads more such
// words than UTF-8 does; UTF-8 is kept (its invalid lines undecodable) when it reads every line or
// reads such words at all. nullopt when the decoding taken fails, or the text holds a
// control character other than tab, CR and LF (NUL among them).
std::optional<DecodedText> DecodeWordListText(std::span<const std::uint8_t> bytes,
                                              const LegacyTextDecoder& legacy);

}  // namespace emb
