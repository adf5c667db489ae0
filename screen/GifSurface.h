#pragma once
#include "screen/Sprite.h"

#include <cstdint>
#include <gd.h>
#include <memory>
#include <string_view>

struct GifImageFree {
    void operator()(gdImage *image) const { gdImageDestroy(image); }
};
using GifImage = std::unique_ptr<gdImage, GifImageFree>;

// The largest picture file the program reads; a larger one is damage, or no picture at all.
constexpr uintmax_t kMaxGifBytes = uintmax_t{32} << 20;

// Null when the file cannot be opened or does not decode.
GifImage LoadGif(std::string_view path);
bool IsGifFileOk(std::string_view path);

// A missing or undecodable picture leaves a 1 x 1 surface with an empty rect, so that blits of it
// draw nothing and a later restore tries the file again.
DrawResult LoadGifSurface(std::string_view path, SurfaceSlot &slot, Rect &rect, bool remember);
// Replace the picture of a remembered slot; an undecodable file keeps the old picture.
DrawResult ReloadGifSurface(std::string_view path, SurfaceSlot &slot, Rect &rect);
// As ReloadGifSurface, keeping at most the top-left maxWidth x maxHeight of the picture.
DrawResult ReloadGifSurfaceClip(std::string_view path, SurfaceSlot &slot, Rect &rect, int maxWidth, int maxHeight);
