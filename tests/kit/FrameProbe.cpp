#include "tests/kit/FrameProbe.h"

#include <algorithm>

int CellMismatches(const Surface &frame, int x, int y, const Surface &picture, Rect cell)
{
    cell = Intersect(cell, picture.Bounds());
    int compared = 0;
    int mismatched = 0;
    for (int j = cell.top; j < cell.bottom; ++j) {
        for (int i = cell.left; i < cell.right; ++i) {
            const uint32_t pixel = picture.Pixel(i, j);
            const int fx = x + i - cell.left;
            const int fy = y + j - cell.top;
            if ((picture.HasColorKey() && pixel == picture.ColorKey()) || fx < 0 || fy < 0 || fx >= frame.Width() ||
                fy >= frame.Height())
                continue;
            ++compared;
            mismatched += frame.Pixel(fx, fy) != pixel;
        }
    }
    return compared == 0 ? -1 : mismatched;
}

Rect ChangedRect(const Surface &a, const Surface &b)
{
    Rect changed{a.Width(), a.Height(), 0, 0};
    const int w = std::min(a.Width(), b.Width());
    const int h = std::min(a.Height(), b.Height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                changed = {std::min(changed.left, x), std::min(changed.top, y), std::max(changed.right, x + 1),
                           std::max(changed.bottom, y + 1)};
    return changed.Empty() ? Rect{} : changed;
}
