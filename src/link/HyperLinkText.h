#pragma once

// What the hyperlink label works out without a window: the browser command line of its
// fallback and its rectangle fitted to its text. (Its messages are with the others, in
// Messages.h.)

#include <cstdint>
#include <string>
#include <string_view>

namespace emb {

// The command line that opens address with the browser whose registered command line is
// command: command cut at its "%1" placeholder (at the opening quotation mark of a quoted
// "%1", else at the percent sign of a bare %1; whole when it has none), then a blank and the
// address. Whatever followed the placeholder is dropped.
std::u16string ComposeBrowserCommand(std::u16string_view command, std::u16string_view address);

// The alignment bits of a static control's style that decide how it fits its text.
inline constexpr std::uint32_t kStaticCenter = 0x1;
inline constexpr std::uint32_t kStaticRight = 0x2;
inline constexpr std::uint32_t kStaticCenterImage = 0x200;

struct LabelRect {
    int left;
    int top;
    int right;
    int bottom;
    friend bool operator==(const LabelRect&, const LabelRect&) = default;
};

struct TextExtent {
    int cx;
    int cy;
};

// The label's rectangle shrunk or grown to text of the extent, keeping the edge or the centre
// that its alignment style keeps. Halved differences truncate toward zero.
LabelRect FitLabelToText(LabelRect rect, std::uint32_t style, TextExtent text);

}  // namespace emb
