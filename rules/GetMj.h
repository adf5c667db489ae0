#pragma once
#include "rules/MjTile.h"
#include <cstdint>

enum GetMjKind : uint8_t { GETMJ_GANG = 0, GETMJ_PENG = 1, GETMJ_CHI = 2, GETMJ_PAIR = 3 };

// One tile group: a seat's meld, or a group of a decomposed winning hand (pairs occur only there).
struct GetMj {
    MjTile tiles[4] = {};
    int32_t count = 0;     // 2 pair, 3 pung or chow, 4 kong
    uint8_t kind = 0;      // GetMjKind
    uint8_t wildfill[4] = {}; // 1 where a wild tile stands in for the tile at that position
};
