#include "tests/support/FrameContrast.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Relative luminance of an RGB565 colour.
double Luminance(uint32_t pixel)
{
    auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear((pixel >> 11 & 31) / 31.0) + 0.7152 * linear((pixel >> 5 & 63) / 63.0) +
           0.0722 * linear((pixel & 31) / 31.0);
}

double Contrast(uint32_t a, uint32_t b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

double LettersContrast(const Surface &frame, Rect area, uint32_t ink, int least)
{
    area = Intersect(area, frame.Bounds());
    std::map<uint32_t, int> counts;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            ++counts[frame.Pixel(x, y)];
    if (counts.empty())
        return 0;
    const uint32_t ground =
        std::max_element(counts.begin(), counts.end(), [](const auto &a, const auto &b) { return a.second < b.second; })->first;
    int letters = 0;
    for (const auto &[pixel, n] : counts)
        letters += pixel != ground && Contrast(pixel, ink) < Contrast(pixel, ground) ? n : 0;
    return letters < least ? 0 : Contrast(ground, ink);
}
