#pragma once
#include "tests/support/Tiles.h"
#include "tests/table/TableFixture.h"

#include <algorithm>
#include <string_view>
#include <vector>

// Tables in the middle of a local hand, with the seats' tiles written in the hand notation.
class HandFixture : public TableFixture {
protected:
    // A table in the middle of a local hand: every seat holds 13 harmless tiles, nothing else.
    CMj &Table()
    {
        CMj &m = Make();
        m.SetAnimateOn(false);
        m.NewLocalGame();
        m.ResetTable(); // nothing of the new game's deal goes on
        m.mjindex = 60;
        m.curplayer = 0;
        for (int seat = 0; seat < 4; seat++)
            m.player[seat].score = 1000;
        Hand(0, "1234567z1234567z");
        for (int seat = 1; seat < 4; seat++)
            Hand(seat, "1357m1357s1357p1z");
        return m;
    }

    void Hand(int seat, std::string_view text)
    {
        CMjPlayer &p = mj->player[seat];
        std::vector<MjTile> tiles = Tiles(text);
        p.cardnum = std::min<int>(static_cast<int>(tiles.size()), 13);
        for (int i = 0; i < p.cardnum; i++)
            p.Mj[i] = tiles[i];
        p.drawflag = 0;
        p.SortMj();
    }

    // The seat's only meld becomes an exposed pung of the tile.
    void Pung(int seat, std::string_view tile)
    {
        CMjPlayer &p = mj->player[seat];
        p.getmj[0] = GetMj{};
        p.getmj[0].kind = GETMJ_PENG;
        p.getmj[0].count = 3;
        p.getmj[0].tiles[0] = p.getmj[0].tiles[1] = p.getmj[0].tiles[2] = Tile(tile);
        p.exposed[0] = 1;
        p.getnum = 1;
    }

    // A robot that declared ready throws out the tile it draws: the simplest way to make it discard.
    void RobotDiscards(int seat, std::string_view tile)
    {
        CMj &m = *mj;
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
};
