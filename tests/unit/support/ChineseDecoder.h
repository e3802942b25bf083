#pragma once

// Code page 936 (GBK) as the system decodes it: Windows' own table where the tests run under
// Wine, glibc's iconv natively. Bytes that are not GBK fail.

#ifdef _WIN32
#include "Win32GbkDecoder.h"
namespace emb::testing {
using GbkDecoder = Win32GbkDecoder;
}  // namespace emb::testing
#else
#include <iconv.h>

#include "WordListDecoding.h"

namespace emb::testing {
struct GbkDecoder final : LegacyTextDecoder {
    std::optional<std::u16string> Decode(std::span<const std::uint8_t> bytes) const override {
        std::string in(bytes.begin(), bytes.end());
        std::u16string out(bytes.size(), u'\0');  // never more units than bytes
        char* from = in.data();
        auto* to = reinterpret_cast<char*>(out.data());
        std::size_t left = in.size();
        std::size_t room = out.size() * 2;
        const iconv_t gbk = iconv_open("UTF-16LE", "GBK");
        const bool done = iconv(gbk, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
        iconv_close(gbk);
        out.resize(out.size() - room / 2);
        return done ? std::optional(out) : std::nullopt;
    }
};
}  // namespace emb::testing
#endif
