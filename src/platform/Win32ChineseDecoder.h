#pragma once

#include "WordListDecoding.h"

namespace emb {

// GB18030 (code page 54936) through the system's own table, or GBK (936) on a system without
// it: word lists saved by Notepad and by other input methods on Chinese Windows are in one of
// them, and GB18030 reads every GBK text as GBK does.
class Win32ChineseDecoder final : public LegacyTextDecoder {
public:
    std::optional<std::u16string> Decode(std::span<const std::uint8_t> bytes) const override;
};

}  // namespace emb
