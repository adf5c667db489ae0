#pragma once
#include "tests/kit/TableSetup.h"
#include "tests/support/Tiles.h"
#include "tests/table/TableFixture.h"

#include <string_view>

// Tables in the middle of a local hand, with the seats' tiles written in the hand notation.
class HandFixture : public TableFixture {
protected:
    // A table in the middle of a local hand: every seat holds 13 harmless tiles, nothing else.
    CMj &Table()
    {
        CMj &m = Make();
        TableSetup::MidHand(m);
        return m;
    }

    void Hand(int seat, std::string_view text) { TableSetup::Hand(*mj, seat, text); }

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

    // The seat holds the tile as its draw.
    void Drawn(int seat, std::string_view tile)
    {
        mj->player[seat].drawmj = Tile(tile);
        mj->player[seat].drawflag = 1;
    }

    void RobotDiscards(int seat, std::string_view tile) { TableSetup::RobotDiscards(*mj, seat, tile); }

    // The seat's turn: its draw from the front of the wall is the tile.
    void Draws(int seat, std::string_view tile)
    {
        mj->curplayer = seat;
        mj->wallmj[mj->mjindex + 1] = static_cast<uint8_t>(MjToIndex(Tile(tile)));
        mj->DrawTile(false);
    }

    // The local player points at a copy of the tile in its hand and plays it.
    void Discard(std::string_view tile)
    {
        CMjPlayer &me = mj->player[0];
        for (int i = 0; i < me.cardnum + me.drawflag; i++)
            if (IsSameMj(me.Mj[i], Tile(tile)))
                me.hoverindex = i;
        mj->PlayHighlighted();
    }
};
