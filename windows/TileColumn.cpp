#include "windows/TileColumn.h"

#include "screen/Device.h"

void DrawTileColumn(const CachedPicture &tile, int x, int top, int bottom)
{
    const int h = tile.Height();
    if (!lpDDSBack || !tile.Get() || h <= 0)
        return;
    int n = (bottom - top) / h;
    if (n != 0)
        ++n;
    for (int i = 0; i < n; ++i)
        lpDDSBack->Blit(x, top + i * h, *tile.Get(), tile.rect, false);
}
