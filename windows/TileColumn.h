#pragma once
#include "screen/CachedPicture.h"

// A scroll column: the tile repeated opaque down from top at x until it has covered bottom (the last
// tile may reach past it). Nothing when the column is shorter than one tile.
void DrawTileColumn(const CachedPicture &tile, int x, int top, int bottom);
