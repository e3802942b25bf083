#pragma once

#include "WordListDecoding.h"

namespace emb {

// Code page 936 (GBK) through the system's own table: word lists saved by Notepad and by
// other input methods on Chinese Windows are in it.
class Win32GbkDecoder final : public LegacyTextDecoder {
public:
    std::optional<std::u16string> Decode(std::span<const std::uint8_t> bytes) const override;
};

}  // namespace emb
