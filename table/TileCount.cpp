#include "table/TileCount.h"

#include <algorithm>

void TileTally::AddWall(const uint8_t *wallmj, int mjindex)
{
    for (int i = std::max(0, mjindex + 1); i < MJ_TOTAL; i++) {
        const MjTile tile = MjFromIndex(wallmj[i]);
        if (IsRealTile(tile) && tile.suit == SUIT_HUA)
            kinds_[SUIT_HUA][tile.value]++;
        else
            Add(tile);
    }
}

bool TileTally::Whole() const
{
    constexpr int kFlowers = 8;
    if (misplaced_ != 0)
        return false;
    int flowers = setaside_;
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++) {
            const int copies = TileCount::Copies(suit, value);
            if (suit == SUIT_HUA ? kinds_[suit][value] > copies : kinds_[suit][value] != copies)
                return false;
            if (suit == SUIT_HUA)
                flowers += kinds_[suit][value];
        }
    return flowers == kFlowers;
}
