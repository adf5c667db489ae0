#pragma once
#include "rules/CMjPlayer.h"
#include "tests/support/Tiles.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <random>
#include <vector>

// The seat's concealed tiles, sorted unless the test wants them as written.
inline void SetHand(CMjPlayer &p, const char *text, bool sort = true)
{
    std::vector<MjTile> tiles = Tiles(text);
    p.cardnum = 0;
    for (MjTile t : tiles)
        p.Mj[p.cardnum++] = t;
    if (sort)
        p.SortMj();
}

inline void AddMeld(CMjPlayer &p, GetMjKind kind, const char *text)
{
    std::vector<MjTile> tiles = Tiles(text);
    GetMj &m = p.getmj[p.getnum++];
    m = GetMj{};
    for (MjTile t : tiles)
        m.tiles[m.count++] = t;
    m.kind = kind;
}

inline std::vector<MjTile> HandOf(const CMjPlayer &p)
{
    return std::vector<MjTile>(p.Mj, p.Mj + p.cardnum);
}

// The 136 tiles without flowers, shuffled.
inline std::vector<MjTile> ShuffledSet(std::mt19937 &rng)
{
    std::vector<MjTile> set;
    for (int i = 0; i < 136; i++)
        set.push_back(MjFromIndex(static_cast<uint8_t>(i)));
    std::shuffle(set.begin(), set.end(), rng);
    return set;
}
