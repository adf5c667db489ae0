#include "screen/GifSurface.h"

#include "platform/QuitRequest.h"
#include "screen/SurfaceCache.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

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
    FILE *file = std::fopen(PictureAtPath(path).c_str(), "rb");
    if (!file)
        return nullptr;
    GifImage image(gdImageCreateFromGif(file));
    std::fclose(file);
    return image;
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
    int width = image ? gdImageSX(image.get()) : 1;
    int height = image ? gdImageSY(image.get()) : 1;
    SurfaceSlot surface = Surface::Create(width, height);
    if (!surface)
        return DrawResult::Failed;
    if (image) {
        rect = {0, 0, width, height};
        PaintGif(image.get(), *surface);
    } else {
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
