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
// Most steps are timer ticks that move no tile, so an audit kept from step to step compares what the
// tile rules read with a copy of it and counts again only what changed: a seat's hand, or what it has
// shown, each into a tally of its own; the wall is counted once for each wall dealt.
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
    // What the tile rules read of a seat, kept from one check to the next under the seat record's own
    // names, each count within its array: first its hand, then what it has shown.
    struct SeatTiles {
        int32_t cardnum, getnum, flowernum;
        MjTile Mj[14];
        MjTile drawmj, humj;
        uint8_t drawflag, ishu;

        int32_t outnum;
        GetMj getmj[5];
        MjTile outmj[52];
        MjTile playmj;
        uint8_t hasplayed;
    };
    // Tiles counted by kind in one row: the seen counts' layout, [suit * 10 + value].
    using Kinds = std::array<int, 50>;
    // A seat's tiles by the counting rule, in the same two parts: the hand with the tile kept apart,
    // and its melds, discards and the discard on its way, which every seat has seen; and how many
    // tiles each part is, flowers set aside with the hand.
    struct SeatCount {
        TileTally hand;
        TileTally shown;
        int handNumber = 0;
        int shownNumber = 0;
    };
    // What the rules read of the table besides the seats.
    struct TableTiles {
        uint8_t wallmj[MJ_TOTAL];
        int32_t seenmj[50]; // in the same row
        int32_t mjindex, curplayer;
        uint8_t gamestatus;
        MjTile lastdrawn;
    };

    // The table's tiles as one check counted them, and which rules they break.
    struct TileCensus {
        Kinds tiles;      // by kind: the wall's, the hands', what is shown and the tile on its way
        int number = 0;   // all tiles, flowers set aside among them
        int setAside = 0; // flowers set aside
        bool kindsOff = false, strays = false, seenOff = false;
    };

    // The tile rules and the seats' held counts for the table now, from the seats' tallies, the
    // wall's, and the tile drawn when it is on its way.
    void CheckTiles(const CMj &mj, bool drawnOnItsWay);
    // The rules broken, one line each; apart from the check, which seldom needs it.
    [[gnu::cold]] void NameBroken(const CMj &mj, const TileCensus &census);
    // The kept wall's tiles from each index to its end, by the wall's counting rule.
    void CountWall();

    int scoreTotal_;
    bool haveKept_ = false;
    TableTiles table_{};      // the table as the last check read it
    SeatTiles seat_[4]{};     // each seat as the last check read it
    SeatCount count_[4];      // and counted
    Kinds inHands_{};         // the seats' hands counted, summed
    Kinds shown_{};           // what the seats have shown, summed
    bool flowerOnShow_ = false; // seat 0's hand was counted with its flower on show
    std::vector<std::string> tileRules_; // what the tile rules found then
    std::vector<Kinds> wallFrom_;        // the kept wall from each index + 1
};
