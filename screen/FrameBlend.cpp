#include "screen/FrameBlend.h"

#include "screen/Device.h"

#include <algorithm>

namespace {

// Runs mix(source pixel, frame pixel) over the clipped rectangle on locked memory; a surface that
// cannot be locked skips the work.
template <typename Mix>
void EachPixel(Surface *src, int x, int y, Rect rect, Mix mix)
{
    if (!src || !lpDDSBack || !ClipCopy(x, y, rect, src->Bounds(), lpDDSBack->Bounds()))
        return;
    uint8_t *back = lpDDSBack->Lock();
    if (!back)
        return;
    uint8_t *from = src->Lock();
    if (from) {
        auto key = static_cast<uint16_t>(colorkey.low);
        for (int i = 0; i < rect.Height(); ++i) {
            auto *s = reinterpret_cast<const uint16_t *>(from + static_cast<size_t>(rect.top + i) * src->Pitch()) + rect.left;
            auto *d = reinterpret_cast<uint16_t *>(back + static_cast<size_t>(y + i) * lpDDSBack->Pitch()) + x;
            for (int j = 0; j < rect.Width(); ++j)
                if (s[j] != key)
                    d[j] = mix(s[j], d[j]);
        }
    }
    lpDDSBack->Unlock();
    if (from)
        src->Unlock();
}

int Mix(int s, int d, int alpha)
{
    // Signed product and arithmetic shift: a rising channel stops one step short at alpha 255.
    return d + (((s - d) * alpha) >> 8);
}

} // namespace

void GAlphaBlend(Surface *src, int x, int y, int left, int top, int right, int bottom, int alpha)
{
    if (!lpDDSBack || lpDDSBack->Format().redMask != 0xF800 || (src && src->Format() != kRgb565))
        return;
    // Outside 0-255 a channel would spill into its neighbours.
    alpha = std::clamp(alpha, 0, 255);
    EachPixel(src, x, y, {left, top, right, bottom}, [alpha](uint16_t s, uint16_t d) {
        int r = Mix(s >> 11, d >> 11, alpha);
        int g = Mix(s >> 5 & 63, d >> 5 & 63, alpha);
        int b = Mix(s & 31, d & 31, alpha);
        return static_cast<uint16_t>(b | g << 5 | r << 11);
    });
}

uint16_t Rgb565ToGrey(uint16_t pixel)
{
    int r = pixel >> 11;
    int g = (pixel & 0x07E0) >> 6;
    int b = pixel & 31;
    int grey = (3 * r + 6 * b + g) / 10;
    return static_cast<uint16_t>(grey | grey << 6 | grey << 11);
}

void GreyBlit(Surface *src, int x, int y, int left, int top, int right, int bottom)
{
    if (!lpDDSBack || lpDDSBack->Format() != kRgb565 || (src && src->Format() != kRgb565))
        return;
    EachPixel(src, x, y, {left, top, right, bottom}, [](uint16_t s, uint16_t) { return Rgb565ToGrey(s); });
}
