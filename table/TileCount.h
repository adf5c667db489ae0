#pragma once
#include "rules/GetMj.h"
#include "rules/MjTile.h"

// How the 144 tiles of a local table are accounted for: the table audit checks play by these rules
// and a saved game that breaks them is refused.
namespace TileCount {

// Tiles still in the wall; the index runs one past the last tile when the wall is used up.
int WallLeft(int mjindex);

// A seat's turn tile kept beside a hand of 13 rather than in it: a drawn tile (seat 0's, or the
// dealer's fourteenth during the deal; a robot's drawn tile joins the hand while its flag is still
// set), else the winning tile of a seat that has won and not yet shown its hand.
bool Apart(int cardnum, bool drawflag, bool won, int getnum);

// The tiles a seat plays with, a kong counted as three: 13, or 14 while it holds its turn's tile.
int Held(int cardnum, bool drawflag, int getnum);

// Copies of the kind in a set: four of each numbered tile and honour, one of each flower; none of
// anything else.
int Copies(int suit, int value);

} // namespace TileCount

// Tiles counted by kind, in the layout of the seen counts ([suit][value]). A table is whole when it
// holds all 144 tiles and no kind more often than the set has it.
class TileTally {
public:
    void Add(MjTile tile);
    void Add(const MjTile *tiles, int n)
    {
        for (int i = 0; i < n; i++)
            Add(tiles[i]);
    }
    // The tiles still in the wall.
    void AddWall(const uint8_t *wallmj, int mjindex);
    // Everything the seat has taken: concealed tiles and the one apart, melds, discards, and its
    // flowers set aside (counted, their kinds unknown). Seat is the seat record or a saved seat.
    template <class Seat> void AddSeat(const Seat &p)
    {
        Add(p.Mj, p.cardnum);
        if (TileCount::Apart(p.cardnum, p.drawflag, p.ishu, p.getnum))
            Add(p.drawflag ? p.drawmj : p.humj);
        AddShown(p);
        total_ += p.flowernum;
    }
    // What every seat sees of the seat: its melds, concealed kongs included, and its discards.
    template <class Seat> void AddShown(const Seat &p)
    {
        for (int m = 0; m < p.getnum; m++)
            Add(p.getmj[m].tiles, p.getmj[m].count);
        Add(p.outmj, p.outnum);
    }

    int Total() const { return total_; }
    int Of(int suit, int value) const { return kinds_[suit][value]; }
    // Tiles counted that are no tile at all.
    int Strays() const { return strays_; }
    // All 144 tiles, each kind within its copies, and nothing that is no tile.
    bool Whole() const;

private:
    int kinds_[5][10] = {};
    int total_ = 0;
    int strays_ = 0;
};
