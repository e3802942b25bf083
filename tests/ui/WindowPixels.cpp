#include "WindowPixels.h"

#include <algorithm>

namespace uitest {

WindowImage ImageOf(HWND hwnd) {
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    WindowImage image;
    image.width = rect.right - rect.left;
    image.height = rect.bottom - rect.top;
    HDC window = ::GetWindowDC(hwnd);
    HDC memory = ::CreateCompatibleDC(window);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, image.width, image.height, window, 0, 0, SRCCOPY);
        ::GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        image.pixels.assign(first, first + static_cast<std::size_t>(image.width) * image.height);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(hwnd, window);
    return image;
}

void RepaintWholly(HWND hwnd) {
    ::RedrawWindow(hwnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

std::string DifferenceBetween(const WindowImage& a, const WindowImage& b) {
    if (a.width != b.width || a.height != b.height) {
        return "the window's size differs";
    }
    if (a.pixels.empty()) {
        return "the window could not be read";
    }
    std::size_t count = 0;
    int left = a.width;
    int top = a.height;
    int right = -1;
    int bottom = -1;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        if (a.pixels[i] != b.pixels[i]) {
            ++count;
            const int x = static_cast<int>(i % static_cast<std::size_t>(a.width));
            const int y = static_cast<int>(i / static_cast<std::size_t>(a.width));
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    }
    if (count == 0) {
        return {};
    }
    return std::to_string(count) + " pixels differ, within (" + std::to_string(left) + ", " +
           std::to_string(top) + ")-(" + std::to_string(right) + ", " + std::to_string(bottom) +
           ")";
}

}  // namespace uitest
