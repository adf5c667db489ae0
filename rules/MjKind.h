#pragma once
#include "rules/MjTile.h"

#include <cstdint>

// The 34 kinds of playable tile numbered 0-33: suit * 9 + value - 1 for the numbered suits,
// 27 + value - 1 for the honours (27-30 winds, 31-33 dragons). The hand evaluator works on counts
// per kind, so that taking a group out of a hand is three decrements and no copying.
constexpr int MJ_KINDS = 34;
constexpr int KIND_EAST = 27;
constexpr int KIND_RED = 31;

// -1 for a tile that is no playable kind (no tile, a flower, a face-down tile, a bad value).
inline int MjKind(MjTile tile)
{
    if (tile.suit >= SUIT_WAN && tile.suit <= SUIT_BING && tile.value >= 1 && tile.value <= 9)
        return tile.suit * 9 + tile.value - 1;
    if (tile.suit == SUIT_ZI && tile.value >= 1 && tile.value <= 7)
        return 27 + tile.value - 1;
    return -1;
}

inline bool IsNumberedKind(int kind) { return kind < 27; }
inline int KindSuit(int kind) { return kind < 27 ? kind / 9 : SUIT_ZI; }
inline int KindValue(int kind) { return kind < 27 ? kind % 9 + 1 : kind - 26; }
inline MjTile KindMj(int kind) { return MakeMj(KindValue(kind), KindSuit(kind)); }
inline bool IsTerminalKind(int kind) { return kind < 27 && (kind % 9 == 0 || kind % 9 == 8); }
inline bool IsOrphanKind(int kind) { return kind >= 27 || IsTerminalKind(kind); }

// Adds the tiles to counts per kind; false when one of them is no playable kind.
inline bool AddKinds(const MjTile *tiles, int n, uint8_t counts[MJ_KINDS])
{
    for (int i = 0; i < n; i++) {
        int kind = MjKind(tiles[i]);
        if (kind < 0)
            return false;
        counts[kind]++;
    }
    return true;
}
