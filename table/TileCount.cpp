#include "table/TileCount.h"

#include "rules/MjTile.h"

#include <algorithm>

namespace TileCount {

int WallLeft(int mjindex)
{
    return std::max(0, MJ_TOTAL - 1 - mjindex);
}

int Concealed(int cardnum, bool drawflag, int getnum)
{
    bool apart = drawflag && (cardnum + 3 * getnum) % 3 == 1;
    return cardnum + (apart ? 1 : 0);
}

int Held(int cardnum, bool drawflag, int getnum)
{
    return Concealed(cardnum, drawflag, getnum) + 3 * getnum;
}

int OfSeat(int cardnum, bool drawflag, const GetMj *getmj, int getnum, int outnum, int flowernum)
{
    int total = Concealed(cardnum, drawflag, getnum) + outnum + flowernum;
    for (int m = 0; m < getnum; m++)
        total += getmj[m].count;
    return total;
}

} // namespace TileCount
