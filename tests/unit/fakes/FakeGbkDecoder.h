#pragma once

#include <map>

#include "WordListText.h"

namespace emb::testing {

// Code page 936 for ASCII and 中国你好; any other byte fails, as bytes that are not GBK fail the
// system's decoder.
class FakeGbkDecoder final : public LegacyTextDecoder {
public:
    std::optional<std::u16string> Decode(std::span<const std::uint8_t> bytes) const override {
        static const std::map<unsigned, char16_t> kPairs = {
            {0xD6D0, u'中'}, {0xB9FA, u'国'}, {0xC4E3, u'你'}, {0xBAC3, u'好'}};
        std::u16string text;
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            const unsigned pair = at + 1 < bytes.size() ? bytes[at] << 8 | bytes[at + 1] : 0;
            if (bytes[at] >= 0x80 && !kPairs.contains(pair)) {
                return std::nullopt;
            }
            text.push_back(bytes[at] < 0x80 ? bytes[at] : kPairs.at(pair));
            at += bytes[at] < 0x80 ? 0 : 1;
        }
        return text;
    }
};

}  // namespace emb::testing
