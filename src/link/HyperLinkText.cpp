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

std::u16string OpenErrorText(int code) {
    switch (code) {
        case 0:
            return u"The operating system is out\nof memory or resources.";
        case 2:
            return u"The specified file was not found.";
        case 3:
            return u"The specified path was not found.";
        case 5:
            return u"The operating system denied\naccess to the specified file.";
        case 8:
            return u"There was not enough memory to complete the operation.";
        case 11:
            return u"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case 26:
            return u"A sharing violation occurred. ";
        case 27:
            return u"The filename association is\nincomplete or invalid.";
        case 28:
            return u"The DDE transaction could not\nbe completed because the request timed out.";
        case 29:
            return u"The DDE transaction failed.";
        case 30:
            return u"The DDE transaction could not\nbe completed because other DDE "
                   u"transactions\nwere being processed.";
        case 31:
            return u"There is no application associated\nwith the given filename extension.";
        case 32:
            return u"The specified dynamic-link library was not found.";
        default:
            break;
    }
    const std::string number = std::to_string(code);
    return u"Unknown Error (" + std::u16string(number.begin(), number.end()) + u") occurred.";
}

std::u16string OpenErrorMessage(int code) {
    return kOpenErrorIntro + OpenErrorText(code);
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
