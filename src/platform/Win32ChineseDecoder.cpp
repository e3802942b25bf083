#include "Win32GbkDecoder.h"

#include <windows.h>

#include <climits>

namespace emb {

std::optional<std::u16string> Win32GbkDecoder::Decode(std::span<const std::uint8_t> bytes) const {
    constexpr UINT kGbk = 936;
    if (bytes.empty()) {
        return std::u16string();
    }
    if (bytes.size() > INT_MAX) {
        return std::nullopt;
    }
    // MB_ERR_INVALID_CHARS: a byte that is no GBK fails the call instead of becoming a
    // replacement character, so that text in another encoding is never taken for GBK.
    const auto* source = reinterpret_cast<const char*>(bytes.data());
    const int size = static_cast<int>(bytes.size());
    const int units = ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, source, size, nullptr, 0);
    if (units <= 0) {
        return std::nullopt;
    }
    std::u16string text(static_cast<std::size_t>(units), u'\0');
    if (::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, source, size,
                              reinterpret_cast<wchar_t*>(text.data()), units) != units) {
        return std::nullopt;
    }
    return text;
}

}  // namespace emb
