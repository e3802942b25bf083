#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace uitest {

// What a window shows, frame and children included, pixel by pixel.
struct WindowImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

WindowImage ImageOf(HWND hwnd);
// Paints the whole window again, frame and children included, as an uncovered window is painted.
void RepaintWholly(HWND hwnd);
// Empty when the images are the same; else how many pixels differ, and where.
std::string DifferenceBetween(const WindowImage& a, const WindowImage& b);

}  // namespace uitest
