#include "rules/MjTile.h"

MjTile MjFromIndex(uint8_t index)
{
    if (index < 108)
        return MakeMj(index % 36 % 9 + 1, index / 36);
    if (index < 136)
        return MakeMj((index - 108) % 7 + 1, SUIT_ZI);
    if (index < 144)
        return MakeMj(index - 135, SUIT_HUA);
    return MjTile{};
}

uint8_t MjToIndex(MjTile tile)
{
    if (tile.suit == SUIT_HUA)
        return static_cast<uint8_t>(tile.value + 135);
    return static_cast<uint8_t>(tile.suit * 36 + tile.value - 1);
}

// Insertion: hands arrive sorted or nearly so (one drawn tile at the end), which costs one pass.
// Equal tiles are alike, so any sort gives the same result.
void SortMj(MjTile *tiles, int n)
{
    for (int i = 1; i < n; i++) {
        MjTile tile = tiles[i];
        int j = i;
        for (; j > 0 && MjGreater(tiles[j - 1], tile); j--)
            tiles[j] = tiles[j - 1];
        tiles[j] = tile;
    }
}

bool RemoveMj(MjTile *tiles, const int *count, MjTile tile)
{
    for (int i = 0; i < *count; i++) {
        if (!IsSameMj(tiles[i], tile))
            continue;
        for (int j = i; j < *count - 1; j++)
            tiles[j] = tiles[j + 1];
        return true;
    }
    return false;
}

bool FindMj(const MjTile *tiles, int n, MjTile tile)
{
    for (int i = 0; i < n; i++)
        if (IsSameMj(tiles[i], tile))
            return true;
    return false;
}
