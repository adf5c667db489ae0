#include "tests/kit/TableSetup.h"

#include "table/CMj.h"
#include "table/TileCount.h"
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

void Settle(CMj &m)
{
    TileTally taken;
    TileTally shown;
    int flowers = 0;
    for (const CMjPlayer &p : m.player) {
        taken.AddSeat(p);
        shown.AddShown(p);
        flowers += p.flowernum;
    }
    int wanted[5][10];
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++) {
            wanted[suit][value] = taken.Of(suit, value);
            m.seenmj[suit][value] = shown.Of(suit, value);
        }
    // The seats' tiles first, in the order they came off the wall; the flowers set aside are any
    // flowers no seat holds.
    std::vector<uint8_t> front, rest;
    for (int index = 0; index < MJ_TOTAL; index++) {
        const MjTile t = MjFromIndex(static_cast<uint8_t>(index));
        int &want = wanted[t.suit][t.value];
        if (want > 0 || (t.suit == SUIT_HUA && flowers > 0)) {
            (want > 0 ? want : flowers)--;
            front.push_back(static_cast<uint8_t>(index));
        } else {
            rest.push_back(static_cast<uint8_t>(index));
        }
    }
    std::copy(front.begin(), front.end(), m.wallmj);
    std::copy(rest.begin(), rest.end(), m.wallmj + front.size());
    m.mjindex = static_cast<int>(front.size()) - 1;
}

} // namespace TableSetup
