#include "screen/ColorTables.h"

#include "screen/Device.h"

#include <algorithm>
#include <cstring>

uint32_t rgb565to888[65536];
uint16_t rgb565to555[65536];

void BuildColorTables()
{
    for (uint32_t r = 0; r < 32; ++r)
        for (uint32_t g = 0; g < 64; ++g)
            for (uint32_t b = 0; b < 32; ++b) {
                uint32_t v = r << 11 | g << 5 | b;
                rgb565to888[v] = (r * 8) << 16 | (g * 4) << 8 | b * 8;
                rgb565to555[v] = static_cast<uint16_t>(r << 10 | (g >> 1) << 5 | b);
            }
}

void GCopySurfacePixels(Surface *dest)
{
    if (!lpDDSBack || !dest)
        return;
    uint8_t *back = lpDDSBack->Lock();
    if (!back)
        return;
    uint8_t *out = dest->Lock();
    if (!out) {
        lpDDSBack->Unlock();
        return;
    }
    int bits = dest->Format().bitsPerPixel;
    bool wide = (pixelformat == Format24 || pixelformat == Format32) && (bits == 24 || bits == 32);
    bool narrow = pixelformat == Format16 && bits == 16;
    int width = std::min(lpDDSBack->Width(), dest->Width());
    int height = std::min(lpDDSBack->Height(), dest->Height());
    for (int y = 0; (wide || narrow) && y < height; ++y) {
        const uint16_t *from = reinterpret_cast<const uint16_t *>(back + static_cast<size_t>(y) * lpDDSBack->Pitch());
        uint8_t *to = out + static_cast<size_t>(y) * dest->Pitch();
        // One loop per pixel size, so each store has a size the compiler knows: the copy runs once
        // per frame shown on a screen that is not RGB565.
        if (narrow)
            for (int x = 0; x < width; ++x)
                std::memcpy(to + 2 * x, &rgb565to555[from[x]], 2);
        else if (bits == 32)
            for (int x = 0; x < width; ++x)
                std::memcpy(to + 4 * x, &rgb565to888[from[x]], 4); // blue, green, red, zero
        else
            for (int x = 0; x < width; ++x)
                std::memcpy(to + 3 * x, &rgb565to888[from[x]], 3); // blue, green, red
    }
    lpDDSBack->Unlock();
    dest->Unlock();
}
