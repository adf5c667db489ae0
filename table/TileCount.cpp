#include "table/TileCount.h"

#include <algorithm>

namespace TileCount {

int WallLeft(int mjindex)
{
    return std::max(0, MJ_TOTAL - 1 - mjindex);
}

bool Apart(int cardnum, bool drawflag, bool won, int getnum)
{
    return (drawflag || won) && (cardnum + 3 * getnum) % 3 == 1;
}

int Held(int cardnum, bool drawflag, int getnum)
{
    return cardnum + (Apart(cardnum, drawflag, false, getnum) ? 1 : 0) + 3 * getnum;
}

int Copies(int suit, int value)
{
    MjTile tile = MakeMj(value, suit);
    if (!IsRealTile(tile))
        return 0;
    return suit == SUIT_HUA ? 1 : 4;
}

} // namespace TileCount

void TileTally::Add(MjTile tile)
{
    total_++;
    if (IsRealTile(tile))
        kinds_[tile.suit][tile.value]++;
    else
        strays_++;
}

void TileTally::AddWall(const uint8_t *wallmj, int mjindex)
{
    for (int i = std::max(0, mjindex + 1); i < MJ_TOTAL; i++)
        Add(MjFromIndex(wallmj[i]));
}

bool TileTally::Whole() const
{
    if (total_ != MJ_TOTAL || strays_ != 0)
        return false;
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++)
            if (kinds_[suit][value] > TileCount::Copies(suit, value))
                return false;
    return true;
}
