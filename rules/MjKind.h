#pragma once
#include "rules/MjTile.h"

#include <cstdint>

// The 34 kinds of playable tile numbered 0-33: suit * 9 + value - 1 for the numbered suits,
// 27 + value - 1 for the honours (27-30 winds, 31-33 dragons). The hand evaluator works on counts
// per kind, so that taking a group out of a hand is three decrements and no copying.
constexpr int MJ_KINDS = 34;
constexpr int KIND_EAST = 27;
constexpr int KIND_RED = 31;

// A tile's two bytes read as one number, the suit's above the value's.
inline unsigned MjKey(MjTile tile)
{
    return static_cast<uint8_t>(tile.suit) << 8 | static_cast<uint8_t>(tile.value);
}

// The kind of every key of the suits up to the honours, -1 for a value that is no playable kind.
inline constexpr auto kMjKinds = [] {
    struct { int8_t kind[(SUIT_ZI + 1) * 256]; } table{};
    for (int suit = SUIT_WAN; suit <= SUIT_ZI; suit++)
        for (int value = 0; value < 256; value++) {
            bool playable = value >= 1 && value <= (suit == SUIT_ZI ? 7 : 9);
            table.kind[suit * 256 + value] = static_cast<int8_t>(playable ? suit * 9 + value - 1 : -1);
        }
    return table;
}();

// -1 for a tile that is no playable kind (no tile, a flower, a face-down tile, a bad value). Looked
// up, as the evaluator asks it of every tile it scores.
inline int MjKind(MjTile tile)
{
    unsigned key = MjKey(tile);
    return key < sizeof kMjKinds.kind ? kMjKinds.kind[key] : -1;
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
