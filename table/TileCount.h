#pragma once
#include "rules/GetMj.h"
#include "rules/MjTile.h"

#include <algorithm>

// How the 144 tiles of a local table are accounted for: the table audit checks play by these rules
// and a saved game that breaks them is refused.
namespace TileCount {

// Tiles still in the wall; the index runs one past the last tile when the wall is used up.
inline int WallLeft(int mjindex)
{
    return std::max(0, MJ_TOTAL - 1 - mjindex);
}

// A seat's turn tile kept beside a hand of 13 rather than in it: a drawn tile (seat 0's, or the
// dealer's fourteenth during the deal; a robot's drawn tile joins the hand while its flag is still
// set), else the winning tile of a seat that has won and not yet shown its hand.
inline bool Apart(int cardnum, bool drawflag, bool won, int getnum)
{
    return (drawflag || won) && (cardnum + 3 * getnum) % 3 == 1;
}

// The tiles a seat plays with, a kong counted as three: 13, or 14 while it holds its turn's tile.
inline int Held(int cardnum, bool drawflag, int getnum)
{
    return cardnum + (Apart(cardnum, drawflag, false, getnum) ? 1 : 0) + 3 * getnum;
}

// Copies of the kind in a set: four of each numbered tile and honour, one of each flower; none of
// anything else.
inline int Copies(int suit, int value)
{
    if (!IsRealTile(MakeMj(value, suit)))
        return 0;
    return suit == SUIT_HUA ? 1 : 4;
}

} // namespace TileCount

// Tiles counted by kind, in the layout of the seen counts ([suit][value]). A table is whole when each
// of the 34 kinds stands four times across the wall, the hands, the melds and the discards, and each
// of the 8 flowers once: in the wall, or set aside by the seat that drew it, never among tiles in play.
class TileTally {
public:
    // A tile in play: in a hand, a meld or the discards. A flower there, or no tile at all, leaves the
    // table impossible.
    void Add(MjTile tile)
    {
        // The numbered suits and the honours; unsigned, a negative suit or value falls out too.
        const unsigned top = tile.suit == SUIT_ZI ? 7 : 9;
        if (static_cast<unsigned>(tile.suit) <= SUIT_ZI && static_cast<unsigned>(tile.value - 1) < top)
            kinds_[tile.suit][tile.value]++;
        else
            misplaced_++;
    }
    void Add(const MjTile *tiles, int n)
    {
        for (int i = 0; i < n; i++)
            Add(tiles[i]);
    }
    // The tiles still in the wall, flowers among them.
    void AddWall(const uint8_t *wallmj, int mjindex);
    // Flowers set aside; which flowers they are is not kept.
    void SetAside(int flowers) { setaside_ += flowers; }
    // Everything the seat has taken: concealed tiles and the one apart, melds, discards, and its
    // flowers set aside. Seat is the seat record or a saved seat.
    template <class Seat> void AddSeat(const Seat &p)
    {
        Add(p.Mj, p.cardnum);
        if (TileCount::Apart(p.cardnum, p.drawflag, p.ishu, p.getnum))
            Add(p.drawflag ? p.drawmj : p.humj);
        AddShown(p);
        SetAside(p.flowernum);
    }
    // What every seat sees of the seat: its melds, concealed kongs included, and its discards.
    template <class Seat> void AddShown(const Seat &p)
    {
        for (int m = 0; m < p.getnum; m++)
            Add(p.getmj[m].tiles, p.getmj[m].count);
        Add(p.outmj, p.outnum);
    }

    // Copies counted of a tile in play, or of a flower in the wall.
    int Of(int suit, int value) const { return kinds_[suit][value]; }
    // Every kind as often as the set has it, every flower in the wall or set aside, and nothing in
    // play that is a flower or no tile.
    bool Whole() const;

private:
    int kinds_[5][10] = {};
    int setaside_ = 0;
    int misplaced_ = 0; // flowers in play and tiles that are no tile
};
