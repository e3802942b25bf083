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

class GbkDecoder final : public LegacyTextDecoder {
public:
    std::optional<std::u16string> Decode(std::span<const std::uint8_t> bytes) const override {
        const iconv_t gbk = iconv_open("UTF-16LE", "GBK");
        std::string in(bytes.begin(), bytes.end());
        std::u16string out(bytes.size(), u'\0');  // never more units than bytes
        char* from = in.data();
        auto* to = reinterpret_cast<char*>(out.data());
        std::size_t left = in.size();
        std::size_t room = out.size() * 2;
        const bool decoded = iconv(gbk, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
        iconv_close(gbk);
        if (!decoded) {
            return std::nullopt;
        }
        out.resize(out.size() - room / 2);
        return out;
    }
};

}  // namespace emb::testing

#endif
