#pragma once
#include "rules/GetMj.h"
#include "rules/MjTile.h"

#include <array>
#include <cstddef>
#include <cstdint>

// One seat as a saved game holds it (351 bytes in the file).
struct SavedSeat {
    char playername[20] = {}; // as stored: zero-padded, possibly unterminated
    int32_t cardnum = 0;
    MjTile Mj[14] = {};
    int32_t getnum = 0;
    GetMj getmj[5];           // tiles, count and kind; the wild-fill marks are not kept
    uint8_t concealed[5] = {}; // the meld is a concealed kong (byte 13 of its record)
    uint8_t drawflag = 0;
    MjTile drawmj;
    uint8_t ishu = 0;
    MjTile humj;
    int32_t payseat = -1;
    int32_t scorechange = 0;
    int32_t score = 0;
    int32_t gridcol = 0;
    int32_t gridrow = 0;
    int32_t outnum = 0;
    MjTile outmj[52] = {};
    int32_t seatwind = 1;
    int32_t roundwind = 1;
    int32_t flowernum = 0;
    uint8_t ting = 0;
    int32_t avatarindex = 0;
};

// A saved local game, the ".cmj" file: a flat little-endian image of the table, with no padding,
// written when the local player is about to discard or between hands. Tiles past a seat's counts are
// left over from earlier play and kept as they are.
struct SavedGame {
    static constexpr size_t kSize = 3392;
    static constexpr size_t kGridBytes = 1200;
    // Far beyond any score a game reaches, and far enough from the field's limits that play can go
    // on from it.
    static constexpr int32_t kScoreBound = 100000000;

    uint8_t gamestatus = 0;
    SavedSeat player[4];
    int32_t minfan = 0;
    int32_t roundwind = 1;
    int32_t banker = 0;      // the next dealer once a hand has ended
    int32_t showbanker = 0;  // the dealer of the hand on show
    int32_t changchengstart = 0;
    int32_t mjindex = -1;
    uint8_t wallmj[MJ_TOTAL] = {};
    int32_t seenmj[5][10] = {};
    uint8_t gridflags[400] = {};
    uint8_t wildmode = 0;
    MjTile wildmj;
    MjTile wildindicator;
    int32_t wildrule = 2;
    uint8_t grid[kGridBytes] = {}; // the renderer's discard grid, in its own order

    std::array<uint8_t, kSize> Bytes() const;

    // Reads a whole file and checks every field: its size and tag, every count, index, score, name
    // and tile, the winds, the discard grids, that each of the 144 tiles is on the table exactly once
    // (a flower only in the wall or set aside), that the seen counts are what the table shows, and that
    // each seat holds what its turn allows.
    // False, with out unusable, when the bytes are not a saved game that can be played on. Whether a
    // seat marked as won really wins is the game's to judge.
    static bool Parse(const uint8_t *data, size_t size, SavedGame &out);

private:
    bool Valid() const;
};
