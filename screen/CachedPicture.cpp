#include "screen/CachedPicture.h"

#include "screen/SurfaceCache.h"

CachedPicture::CachedPicture(std::string_view path, bool keyed)
{
    GLoadSurface(path, surface, rect, true);
    if (keyed)
        GSetColorKey(surface);
}

CachedPicture::~CachedPicture()
{
    ForgetSurface(surface);
    GReleaseSurface(surface);
}
