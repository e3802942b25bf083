#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Utf8.h"
#include "Win32TextDecoder.h"

namespace emb {
namespace {

std::optional<std::u16string> Decoded(std::string_view bytes) {
    return Win32GbkDecoder().Decode(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

TEST(Win32GbkDecoderTest, DecodesGbkAndRefusesWhatIsNot) {
    const struct {
        std::string_view bytes;
        std::optional<std::u16string> text;
    } cases[] = {
        {"", u""},
        {"khlg\t\xD6\xD0\xB9\xFA\r\nwqvb \xC4\xE3\xBA\xC3", u"khlg\t中国\r\nwqvb 你好"},
        {"\x81\x40\xA1\xA1", u"丂\x3000"},   // a GBK extension character, the ideographic space
        {"\xD6\xD0\xB9", std::nullopt},      // a lead byte at the end
        {"\xD6\x0A\xB9\xFA", std::nullopt},  // a lead byte before a line end
        {"\xE4\xB8\xAD", std::nullopt},      // UTF-8 of 中: its last byte leads nothing
    };
    for (const auto& c : cases) {
        const std::optional<std::u16string> text = Decoded(c.bytes);
        EXPECT_EQ(text.has_value(), c.text.has_value()) << c.bytes;
        if (text && c.text) {
            EXPECT_EQ(ToUtf8(*text), ToUtf8(*c.text)) << c.bytes;
        }
    }
}

}  // namespace
}  // namespace emb
