#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture: rows from the top, each pixel 0x00RRGGBB.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
