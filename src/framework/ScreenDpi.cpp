#include "ScreenDpi.h"

#include <string_view>

namespace afx {
namespace {

constexpr int kDefaultDpi = 96;

// A dialog's base units, as the dialog manager works them out from its font: the average
// width of the letters, rounded to whole pixels, and the font's height.
SIZE BaseUnits(HFONT font) {
    static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters = {};
    TEXTMETRICW metrics = {};
    const HDC dc = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(dc, font);
    ::GetTextExtentPoint32W(dc, kLetters, 52, &letters);
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    return {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

}  // namespace

int ScreenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

int ScaleToScreen(int pixels) {
    return ::MulDiv(pixels, ScreenDpi(), kDefaultDpi);
}

void ScaleDialogToScreen(HWND dialog) {
    const int dpi = ScreenDpi();
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW logFont = {};
    if (dpi == kDefaultDpi || font == nullptr ||
        ::GetObjectW(font, sizeof logFont, &logFont) == 0) {
        return;
    }
    // The dialog's font as it is at 96: the template's point size, in fewer pixels.
    logFont.lfHeight = ::MulDiv(logFont.lfHeight, kDefaultDpi, dpi);
    const HFONT font96 = ::CreateFontIndirectW(&logFont);
    if (font96 == nullptr) {
        return;
    }
    const SIZE at96 = BaseUnits(font96);
    ::DeleteObject(font96);
    RECT units = {0, 0, 4, 8};  // one base unit across and down
    ::MapDialogRect(dialog, &units);
    if (units.right <= 0 || units.bottom <= 0) {
        return;
    }
    // Pixels now to pixels at 96 (through dialog units), then to pixels on this screen.
    const int acrossNumerator = at96.cx * dpi;
    const int acrossDenominator = units.right * kDefaultDpi;
    const int downNumerator = at96.cy * dpi;
    const int downDenominator = units.bottom * kDefaultDpi;
    const auto scale = [&](RECT& rect) {
        rect.left = ::MulDiv(rect.left, acrossNumerator, acrossDenominator);
        rect.right = ::MulDiv(rect.right, acrossNumerator, acrossDenominator);
        rect.top = ::MulDiv(rect.top, downNumerator, downDenominator);
        rect.bottom = ::MulDiv(rect.bottom, downNumerator, downDenominator);
    };

    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect = {};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        const LONG height = rect.bottom - rect.top;
        scale(rect);
        // A combo box is as tall as its font makes its edit field. Given that height it keeps
        // the height of its list (which its font has sized already); any other would be taken
        // for the list's.
        wchar_t className[16] = {};
        ::GetClassNameW(child, className, 16);
        if (std::wstring_view(className) == L"ComboBox") {
            rect.bottom = rect.top + height;
        }
        ::SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    RECT client = {};
    RECT window = {};
    ::GetClientRect(dialog, &client);
    ::GetWindowRect(dialog, &window);
    RECT scaled = client;
    scale(scaled);
    ::SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + scaled.right - client.right,
                   window.bottom - window.top + scaled.bottom - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace afx
