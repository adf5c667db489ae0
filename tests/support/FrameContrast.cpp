#include "tests/support/FrameContrast.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Relative luminance of an RGB565 colour, its channels widened to eight bits.
double Luminance(uint32_t pixel)
{
    auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const double r = (pixel >> 11 & 31) / 31.0;
    const double g = (pixel >> 5 & 63) / 63.0;
    const double b = (pixel & 31) / 31.0;
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

} // namespace

double ContrastRatio(uint32_t a, uint32_t b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

uint32_t GroundColour(const Surface &frame, Rect area)
{
    area = Intersect(area, frame.Bounds());
    std::map<uint32_t, int> counts;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            ++counts[frame.Pixel(x, y)];
    auto most = std::max_element(counts.begin(), counts.end(), [](const auto &a, const auto &b) { return a.second < b.second; });
    return most == counts.end() ? 0 : most->first;
}

int LetterPixels(const Surface &frame, Rect area, uint32_t ground, uint32_t ink)
{
    area = Intersect(area, frame.Bounds());
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t pixel = frame.Pixel(x, y);
            n += pixel != ground && ContrastRatio(pixel, ink) < ContrastRatio(pixel, ground);
        }
    return n;
}
