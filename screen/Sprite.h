#pragma once
#include "platform/Surface.h"

#include <memory>

// An owner's hold on one picture: empty until loaded. Loaders write into it; the surface table keeps
// its address so that a display-mode switch can rebuild the picture in place.
using SurfaceSlot = std::unique_ptr<Surface>;

// A picture with its size as {0, 0, width, height}.
struct Sprite {
    SurfaceSlot surface;
    Rect rect;
};
