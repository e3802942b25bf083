#include "HyperLinkText.h"

namespace emb {

std::u16string ComposeBrowserCommand(std::u16string_view command, std::u16string_view address) {
    std::u16string line(command);
    if (const std::size_t quoted = line.find(u"\"%1\""); quoted != std::u16string::npos) {
        line.resize(quoted);
    } else if (const std::size_t bare = line.find(u"%1"); bare != std::u16string::npos) {
        line.resize(bare);
    }
    line += u' ';
    line += address;
    return line;
}

LabelRect FitLabelToText(LabelRect rect, std::uint32_t style, TextExtent text) {
    if ((style & kStaticCenterImage) != 0) {
        const int margin = (rect.bottom - rect.top - text.cy) / 2;
        rect.top += margin;
        rect.bottom -= margin;
    } else {
        rect.bottom = rect.top + text.cy;
    }

    if ((style & kStaticCenter) != 0) {
        const int margin = (rect.right - rect.left - text.cx) / 2;
        rect.left += margin;
        rect.right -= margin;
    } else if ((style & kStaticRight) != 0) {
        rect.left = rect.right - text.cx;
    } else {
        rect.right = rect.left + text.cx;
    }
    return rect;
}

}  // namespace emb
