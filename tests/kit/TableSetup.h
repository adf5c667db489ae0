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
// Makes a hand-made table whole by the counting rule that saved games are held to: the tiles the
// seats have are the ones taken from the wall (mjindex is set to match), the wall holds exactly the
// rest, and the seen counts are what the table shows. No kind may be on the seats more often than
// the set has it.
void Settle(CMj &m);

} // namespace TableSetup
