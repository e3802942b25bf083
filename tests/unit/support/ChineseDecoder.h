#pragma once

// GB18030 as the system decodes it: Windows' own table where the tests run under Wine, glibc's
// iconv natively. Bytes that are not GB18030 fail.

#ifdef _WIN32
#include "Win32ChineseDecoder.h"
namespace emb::testing {
using ChineseDecoder = Win32ChineseDecoder;
}  // namespace emb::testing
#else
#include <iconv.h>

#include "WordListDecoding.h"

namespace emb::testing {
struct ChineseDecoder final : LegacyTextDecoder {
    std::optional<std::u16string> Decode(std::span<const std::uint8_t> bytes) const override {
        std::string in(bytes.begin(), bytes.end());
        std::u16string out(bytes.size(), u'\0');  // never more units than bytes
        char* from = in.data();
        auto* to = reinterpret_cast<char*>(out.data());
        std::size_t left = in.size();
        std::size_t room = out.size() * 2;
        const iconv_t gb18030 = iconv_open("UTF-16LE", "GB18030");
        const bool done = iconv(gb18030, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
        iconv_close(gb18030);
        out.resize(out.size() - room / 2);
        return done ? std::optional(out) : std::nullopt;
    }
};
}  // namespace emb::testing
#endif
