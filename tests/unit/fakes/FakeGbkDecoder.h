#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "WordListText.h"

namespace emb::testing {

// Code page 936 for ASCII and a few characters; every other byte fails, as bytes that are not
// GBK text fail the system's decoder.
class FakeGbkDecoder final : public LegacyTextDecoder {
public:
    std::optional<std::u16string> Decode(std::span<const std::uint8_t> bytes) const override {
        struct Character {
            std::uint8_t lead;
            std::uint8_t trail;
            char16_t unit;
        };
        static constexpr Character kCharacters[] = {
            {0xD6, 0xD0, u'中'}, {0xB9, 0xFA, u'国'}, {0xC4, 0xE3, u'你'}, {0xBA, 0xC3, u'好'},
            {0xC3, 0xC7, u'们'}, {0xCE, 0xD2, u'我'}, {0xB9, 0xA4, u'工'}, {0xC8, 0xCB, u'人'},
        };
        std::u16string text;
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            if (bytes[at] < 0x80) {
                text.push_back(bytes[at]);
                continue;
            }
            const Character* found = nullptr;
            for (const Character& character : kCharacters) {
                if (at + 1 < bytes.size() && bytes[at] == character.lead &&
                    bytes[at + 1] == character.trail) {
                    found = &character;
                }
            }
            if (found == nullptr) {
                return std::nullopt;
            }
            text.push_back(found->unit);
            ++at;
        }
        return text;
    }
};

}  // namespace emb::testing
