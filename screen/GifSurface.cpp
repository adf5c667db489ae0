#include "screen/GifSurface.h"

#include "platform/Paths.h"
#include "platform/QuitRequest.h"
#include "screen/SurfaceCache.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace {

// No picture this program draws comes near this; a header declaring more is damage.
constexpr int kMaxGifSide = 4096;

uint16_t Le16(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// The most pixels LZW data of this many bytes can give: codes are at least 3 bits wide, and each
// code gives at most one pixel more than the code before it, up to the 4096 of a full table.
uint64_t MostPixels(uint64_t bytes)
{
    uint64_t codes = bytes * 8 / 3;
    uint64_t rising = std::min<uint64_t>(codes, 4096);
    return rising * (rising + 1) / 2 + (codes - rising) * 4096;
}

// The larger of the logical screen's and the first image's declared sizes; false when the bytes are
// no GIF or hold no image.
bool DeclaredSize(const std::vector<uint8_t> &b, int *width, int *height)
{
    if (b.size() < 13 || (std::memcmp(b.data(), "GIF87a", 6) != 0 && std::memcmp(b.data(), "GIF89a", 6) != 0))
        return false;
    *width = Le16(&b[6]);
    *height = Le16(&b[8]);
    size_t at = 13;
    if (b[10] & 0x80)
        at += size_t{3} << ((b[10] & 7) + 1); // the global colour table
    while (at < b.size() && b[at] == 0x21) {   // extensions: a label, then sub-blocks up to an empty one
        at += 2;
        while (at < b.size() && b[at] != 0)
            at += b[at] + 1u;
        at++;
    }
    if (at + 9 >= b.size() || b[at] != 0x2C)
        return false;
    *width = std::max<int>(*width, Le16(&b[at + 5]));
    *height = std::max<int>(*height, Le16(&b[at + 7]));
    return true;
}

// Transparent pixels take the colour key's colour, so keyed blits leave them out.
void PaintGif(const gdImage *image, Surface &surface)
{
    gdImagePtr im = const_cast<gdImagePtr>(image);
    int transparent = gdImageGetTransparent(im);
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            int colour = gdImageGetPixel(im, x, y);
            uint32_t value = colour == transparent
                                 ? surface.PackColor(255, 0, 255)
                                 : surface.PackColor(gdImageRed(im, colour), gdImageGreen(im, colour), gdImageBlue(im, colour));
            surface.SetPixel(x, y, value);
        }
}

DrawResult ReloadGif(std::string_view path, SurfaceSlot &slot, Rect &rect, int maxWidth, int maxHeight)
{
    int entry = FindSurfaceEntry(slot);
    if (entry < 0)
        return DrawResult::Ok;
    GifImage image = LoadGif(path);
    if (!image)
        return DrawResult::Ok;
    slot.reset();
    int width = std::min(gdImageSX(image.get()), maxWidth);
    int height = std::min(gdImageSY(image.get()), maxHeight);
    SurfaceSlot surface = Surface::Create(width, height);
    if (!surface) {
        QuitRequest::Post();
        return DrawResult::Failed;
    }
    rect = {0, 0, width, height};
    PaintGif(image.get(), *surface);
    slot = std::move(surface);
    surfacepath[entry] = std::string(path);
    surfacekind[entry] = SurfaceGif;
    return DrawResult::Ok;
}

} // namespace

GifImage LoadGif(std::string_view path)
{
    // The declared size is checked before anything is decoded: the decoder would reserve whatever
    // a damaged header claims.
    std::string file = Paths::Resolve(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec) || std::filesystem::file_size(file, ec) > kMaxGifBytes || ec)
        return nullptr;
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int width = 0, height = 0;
    if (!DeclaredSize(bytes, &width, &height) || width > kMaxGifSide || height > kMaxGifSide ||
        uint64_t(width) * uint64_t(height) > MostPixels(bytes.size()))
        return nullptr;
    return GifImage(gdImageCreateFromGifPtr(static_cast<int>(bytes.size()), bytes.data()));
}

bool IsGifFileOk(std::string_view path)
{
    return LoadGif(path) != nullptr;
}

DrawResult LoadGifSurface(std::string_view path, SurfaceSlot &slot, Rect &rect, bool remember)
{
    slot.reset();
    // The full path is a string of its own, so a long program folder cannot overrun it.
    std::string file = LocatePicture(path);
    GifImage image = file.empty() ? nullptr : LoadGif(file);
    SurfaceSlot surface = image ? Surface::Create(gdImageSX(image.get()), gdImageSY(image.get())) : nullptr;
    if (surface) {
        rect = {0, 0, surface->Width(), surface->Height()};
        PaintGif(image.get(), *surface);
    } else {
        // Whatever failed, the slot holds the empty picture that blits of it and a restore expect.
        surface = Surface::Create(1, 1);
        if (!surface)
            return DrawResult::Failed;
        rect = {};
    }
    slot = std::move(surface);
    if (remember)
        RememberSurface(slot, path, SurfaceGif);
    return DrawResult::Ok;
}

DrawResult ReloadGifSurface(std::string_view path, SurfaceSlot &slot, Rect &rect)
{
    return ReloadGif(path, slot, rect, INT32_MAX, INT32_MAX);
}

DrawResult ReloadGifSurfaceClip(std::string_view path, SurfaceSlot &slot, Rect &rect, int maxWidth, int maxHeight)
{
    return ReloadGif(path, slot, rect, maxWidth, maxHeight);
}
