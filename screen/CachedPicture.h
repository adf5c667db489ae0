#pragma once
#include "screen/Sprite.h"

#include <string_view>

// A picture of a widget or screen: loaded through the surface cache and remembered there, so that a
// display-mode switch rebuilds it in place, and taken out of the cache's table when its owner goes.
// A missing file leaves it empty (and asks the program to end).
class CachedPicture {
public:
    // keyed: the sprites' colour key drops its magenta pixels when drawn keyed.
    CachedPicture(std::string_view path, bool keyed);
    ~CachedPicture();
    CachedPicture(const CachedPicture &) = delete;
    CachedPicture &operator=(const CachedPicture &) = delete;

    Surface *Get() const { return surface.get(); }
    int Width() const { return rect.right; }
    int Height() const { return rect.bottom; }

    SurfaceSlot surface;
    Rect rect;
};
