#pragma once
#include "rules/GetMj.h"
#include "rules/MjTile.h"

#include <string>
#include <string_view>
#include <vector>

// A winning hand written as one line, for the hand-check tool and the evaluator's tests:
//   <melds><concealed> <winning tile> [flags]
// Tiles are digits followed by a suit letter (m characters, s bamboo, p dots, z honours 1-7,
// f flowers): "123m45p". Melds come first: [123m] chow, [444s] pung, [5555p] exposed kong,
// {5555p} concealed kong. Flags: self, kong, rob, flowers=N, round=N, seat=N, left=N, seen=N,
// minfan=N, wild=<tile>.
class CMjPlayer;

struct HandNotation {
    GetMj melds[4];
    bool concealedkong[4] = {};
    int meldnum = 0;
    MjTile concealed[14] = {};
    int concealednum = 0; // held before the winning tile
    MjTile win;
    bool selfdrawn = false;
    bool kongreplacement = false;
    bool robbing = false;
    int flowers = 0;
    int roundwind = 1;
    int seatwind = 1;
    int left = 50; // tiles left in the wall
    int seen = 1;  // copies of the winning tile already visible
    int minfan = 0;
    bool wild = false;
    MjTile wildmj;
};

// Appends the tiles of "123m45p7z1f" style text; returns an empty string, or the reason the text
// cannot be read.
std::string ParseTiles(std::string_view text, std::vector<MjTile> *tiles);

// Reads one line; returns an empty string, or the reason the line cannot be read.
std::string ParseHand(std::string_view line, HandNotation *hand);

// Puts the hand's concealed tiles, melds and circumstances into a seat.
void SeatHand(const HandNotation &hand, CMjPlayer *player);

// The concealed tiles with the winning tile among them, sorted, as the evaluator scores them (room
// for 14); returns how many.
int WinningTiles(const HandNotation &hand, MjTile *tiles);

// Scores one line: "total=<T> fans=<i>,..." (fans 1-88, then extra fans as x0-x6), "nowin", or
// "error: <reason>".
std::string CheckHand(std::string_view line);
