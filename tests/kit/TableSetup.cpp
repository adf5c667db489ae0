#include "tests/kit/TableSetup.h"

#include "table/CMj.h"
#include "tests/support/Tiles.h"

#include <algorithm>
#include <vector>

namespace TableSetup {

void MidHand(CMj &m)
{
    m.SetAnimateOn(false);
    m.NewLocalGame();
    m.ResetTable(); // nothing of the new game's deal goes on
    m.mjindex = 60;
    m.curplayer = 0;
    for (int seat = 0; seat < 4; seat++)
        m.player[seat].score = 1000;
    Hand(m, 0, "1234567z1234567z");
    for (int seat = 1; seat < 4; seat++)
        Hand(m, seat, "1357m1357s1357p1z");
}

void Hand(CMj &m, int seat, std::string_view text)
{
    CMjPlayer &p = m.player[seat];
    std::vector<MjTile> tiles = Tiles(text);
    p.cardnum = std::min<int>(static_cast<int>(tiles.size()), 13);
    for (int i = 0; i < p.cardnum; i++)
        p.Mj[i] = tiles[i];
    p.drawflag = 0;
    p.SortMj();
}

void RobotDiscards(CMj &m, int seat, std::string_view tile)
{
    CMjPlayer &p = m.player[seat];
    p.ting = 1;
    p.drawmj = Tile(tile);
    p.drawflag = 1;
    p.Mj[p.cardnum++] = p.drawmj;
    p.SortMj();
    m.curplayer = seat;
    m.claimtaken = 0;
    m.PlayTurn();
}

} // namespace TableSetup
