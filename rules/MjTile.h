#pragma once
#include <cstdint>

// One tile in two bytes. Suits 0-2 are characters, bamboo and dots (values 1-9), 3 the honours
// (East, South, West, North, Red, Green, White as 1-7), 4 the flowers (1-8); suit 8 is a tile shown
// face down. Value 0 means no tile.
struct MjTile {
    int8_t value = 0;
    int8_t suit = 0;
};
static_assert(sizeof(MjTile) == 2);

enum MjSuit : int8_t { SUIT_WAN = 0, SUIT_TIAO = 1, SUIT_BING = 2, SUIT_ZI = 3, SUIT_HUA = 4, SUIT_BACK = 8 };

// The 144 physical tiles are numbered 0-143: four copies of each numbered kind per block of 36,
// then the honours (four runs of 1-7), then the eight flowers.
constexpr int MJ_TOTAL = 144;

MjTile MjFromIndex(uint8_t index);
uint8_t MjToIndex(MjTile tile);
void SortMj(MjTile *tiles, int n);
// Removes the first copy of tile; the caller lowers the count after a true result.
bool RemoveMj(MjTile *tiles, const int *count, MjTile tile);
bool FindMj(const MjTile *tiles, int n, MjTile tile);

// One of the 42 kinds of the set: not "no tile", not a face-down tile.
inline bool IsRealTile(MjTile t)
{
    const int top = t.suit == SUIT_ZI ? 7 : t.suit == SUIT_HUA ? 8 : 9;
    return t.suit >= SUIT_WAN && t.suit <= SUIT_HUA && t.value >= 1 && t.value <= top;
}

inline MjTile MakeMj(int value, int suit) { return MjTile{static_cast<int8_t>(value), static_cast<int8_t>(suit)}; }

// Called in every inner loop of the hand searches, so they live here to be inlined.
inline void CopyMj(MjTile *dest, const MjTile *src)
{
    *dest = *src;
}

inline bool IsSameMj(MjTile a, MjTile b)
{
    return a.value == b.value && a.suit == b.suit;
}

inline bool MjGreater(MjTile a, MjTile b)
{
    return a.suit > b.suit || (a.suit == b.suit && a.value > b.value);
}

inline void SwapMj(MjTile *tiles, int i, int j)
{
    MjTile t = tiles[i];
    tiles[i] = tiles[j];
    tiles[j] = t;
}
