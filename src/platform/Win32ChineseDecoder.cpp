#include "Win32ChineseDecoder.h"

#include <windows.h>

#include <climits>

namespace emb {

std::optional<std::u16string> Win32ChineseDecoder::Decode(
    std::span<const std::uint8_t> bytes) const {
    constexpr UINT kGb18030 = 54936;
    constexpr UINT kGbk = 936;
    // Windows XP has GB18030 only with its support package installed.
    const UINT codePage = ::IsValidCodePage(kGb18030) ? kGb18030 : kGbk;
    if (bytes.empty()) {
        return std::u16string();
    }
    if (bytes.size() > INT_MAX) {
        return std::nullopt;
    }
    // MB_ERR_INVALID_CHARS: a byte sequence the code page lacks fails the call instead of
    // becoming a replacement character, so that text in another encoding is never taken for it.
    const auto* source = reinterpret_cast<const char*>(bytes.data());
    const int size = static_cast<int>(bytes.size());
    const int units =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, source, size, nullptr, 0);
    if (units <= 0) {
        return std::nullopt;
    }
    std::u16string text(static_cast<std::size_t>(units), u'\0');
    if (::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, source, size,
                              reinterpret_cast<wchar_t*>(text.data()), units) != units) {
        return std::nullopt;
    }
    return text;
}

}  // namespace emb
