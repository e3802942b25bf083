#pragma once

// The text of a word list file. A file without a byte-order mark says nothing of its encoding,
// and a few lines of GBK can be valid UTF-8 too: the encoding is the one its bytes most likely
// are, decided line by line, never the first that happens not to fail.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace emb {

// The system's legacy Chinese code page (936, GBK), which the portable code has no table of.
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

// A byte-order mark decides the encoding (UTF-8, UTF-16 LE or BE). Without one the text is
// UTF-8 when all but at most one line in twenty (and fewer than the lines of non-ASCII UTF-8)
// are valid UTF-8; the others are undecodable. Otherwise the legacy code page is taken when it
// gives more words of Chinese characters than UTF-8 does, its lines that don't decode
// skipped; UTF-8 is kept when it reads every line or gives such words at all. nullopt when
// the decoding taken fails, or the text holds a control character other than tab, CR and LF
// (NUL among them).
std::optional<DecodedText> DecodeWordListText(std::span<const std::uint8_t> bytes,
                                              const LegacyTextDecoder& legacy);

}  // namespace emb
