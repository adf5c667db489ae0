#pragma once
#include "table/TileCount.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CMj;

// Checks that a local hand in play is consistent: each of the 144 tiles is somewhere, once (by the
// counting rule saved games are held to), every seat has seen what the table shows, each seat holds
// what its turn allows, and the scores keep their sum. Used by the tests
// and by the self-play driver after every step. Online only the bounds apply: the server keeps the
// tiles, and the client sees few of them.
// Most steps are timer ticks that move no tile, so an audit kept from step to step counts the tiles
// again only when a field they are counted from has changed since its last check (the used part of
// each array, compared with a copy), and counts the wall once for each wall dealt.
class TableAudit {
public:
    explicit TableAudit(int scoreTotal) : scoreTotal_(scoreTotal) {}
    // An audit that holds the scores to the sum they have now.
    static TableAudit Of(const CMj &mj);

    // The broken rules found now, one line each; empty when the table is sound.
    std::vector<std::string> Check(const CMj &mj);

    // What must hold whatever a server sends: every count within its array, every index within its
    // range, every tile a record wrote real (or face down). One line for each broken bound.
    static std::vector<std::string> Bounds(const CMj &mj);

private:
    // What the tile rules read of a seat, kept from one check to the next, under the seat record's
    // own names.
    struct SeatTiles {
        MjTile Mj[14];
        GetMj getmj[5];
        MjTile outmj[52];
        int32_t cardnum, getnum, outnum, flowernum;
        MjTile drawmj, humj, playmj;
        uint8_t drawflag, ishu, hasplayed;
    };
    // What they read of the table.
    struct TableTiles {
        uint8_t wallmj[MJ_TOTAL];
        int32_t seenmj[5][10];
        int32_t mjindex, curplayer;
        uint8_t gamestatus;
        MjTile lastdrawn;
        bool drawnOnItsWay, flowerOnShow;
        SeatTiles seat[4];
    };

    // The tile rules for the table now, counted whole.
    void CheckTiles(const TableTiles &now);
    // The wall's tiles from the index to its end, by the wall's counting rule.
    const TileTally &WallFrom(const uint8_t *wallmj, int mjindex);

    int scoreTotal_;
    TableTiles kept_{};       // the table as the last check read it
    bool haveKept_ = false;
    std::vector<std::string> tileRules_; // what the tile rules found then
    std::array<uint8_t, MJ_TOTAL> wall_{}; // the wall wallFrom_ was counted on
    std::vector<TileTally> wallFrom_;
};
