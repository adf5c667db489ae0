#pragma once
#include "rules/GetMj.h"

// How the 144 tiles of a local table are accounted for: the table audit checks play by these rules
// and a saved game that breaks them is refused.
namespace TileCount {

// Tiles still in the wall; the index runs one past the last tile when the wall is used up.
int WallLeft(int mjindex);

// A seat's concealed tiles. A drawn tile kept apart from the hand (seat 0's, or the dealer's
// fourteenth during the deal) counts beside it; a robot's drawn tile joins the hand while its flag
// is still set.
int Concealed(int cardnum, bool drawflag, int getnum);

// The tiles a seat plays with, a kong counted as three: 13, or 14 while it holds its turn's tile.
int Held(int cardnum, bool drawflag, int getnum);

// Every tile a seat has taken: concealed, melded, discarded, and flowers set aside.
int OfSeat(int cardnum, bool drawflag, const GetMj *getmj, int getnum, int outnum, int flowernum);

} // namespace TileCount
