#pragma once
#include <string_view>

class CMj;

// Tables in the middle of a local hand, with the seats' tiles written in the hand notation.
namespace TableSetup {

// A local hand in play with nothing going on: seat 0 to play, every seat on 1000 points and
// holding 13 harmless tiles.
void MidHand(CMj &m);
// The seat's concealed tiles (at most 13), sorted; no drawn tile.
void Hand(CMj &m, int seat, std::string_view text);
// A robot that declared ready throws out the tile it draws: the simplest way to make it discard.
void RobotDiscards(CMj &m, int seat, std::string_view tile);

} // namespace TableSetup
