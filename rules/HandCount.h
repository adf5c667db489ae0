#pragma once
#include "rules/MjTile.h"

#include <cstdint>

// Counts over a seat's concealed tiles that the plan evaluator and the robot share.

// The three suits given to the knitted sets 1-4-7, 2-5-8 and 3-6-9, in the order they are tried.
constexpr int kKnittedOrders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

// The knitted tile of set k (0-2) at position i (0-2) under a suit order: values k + 1, k + 4, k + 7.
inline MjTile KnittedMj(const int order[3], int k, int i) { return MakeMj(k + 1 + 3 * i, order[k]); }

inline bool IsNumberedMj(MjTile tile) { return tile.suit >= SUIT_WAN && tile.suit <= SUIT_BING; }

// True for a kind that exists in the numbered suits (1-9) or the honours (1-7).
inline bool IsPlayableKind(int value, int suit)
{
    if (suit >= SUIT_WAN && suit <= SUIT_BING)
        return value >= 1 && value <= 9;
    return suit == SUIT_ZI && value >= 1 && value <= 7;
}

// Every tile of the five suits has a slot in a [5][10] table; a face-down tile has none.
inline bool HasKindSlot(int value, int suit)
{
    return suit >= 0 && suit <= SUIT_HUA && value >= 0 && value <= 9;
}

// Copies per kind of a hand, counted once for the many questions of one search. Asked in the
// inner loops of the hand searches, so defined here to be inlined.
struct KindCounts {
    uint8_t n[5][10] = {};

    void Set(const MjTile *tiles, int count)
    {
        *this = KindCounts{};
        for (int i = 0; i < count; i++)
            if (HasKindSlot(tiles[i].value, tiles[i].suit))
                n[tiles[i].suit][tiles[i].value]++;
    }
    // 0 for anything that is no tile of the five suits.
    int Of(int value, int suit) const { return HasKindSlot(value, suit) ? n[suit][value] : 0; }
    int Of(MjTile tile) const { return Of(tile.value, tile.suit); }
    // Takes one copy away; false when the hand has none left.
    bool Take(MjTile tile)
    {
        if (Of(tile) == 0)
            return false;
        n[tile.suit][tile.value]--;
        return true;
    }
};

// Copies of a kind nobody has seen yet from this hand: 4 less those held and those visible; 0 for
// a kind that does not exist, so callers may ask for v - 1 or v + 2 at a suit's ends.
inline int UnseenCount(const KindCounts &held, const int (*seenmj)[10], int value, int suit)
{
    if (!IsPlayableKind(value, suit))
        return 0;
    int unseen = 4 - held.Of(value, suit) - seenmj[suit][value];
    return unseen > 0 ? unseen : 0;
}
inline int UnseenCount(const KindCounts &held, const int (*seenmj)[10], MjTile tile)
{
    return UnseenCount(held, seenmj, tile.value, tile.suit);
}

// The first suit order (kKnittedOrders) holding the most knitted kinds; returns how many it holds.
int BestKnittedOrder(const MjTile *tiles, int count, int order[3]);
// The same from counts the caller already holds.
int BestKnittedOrder(const KindCounts &counts, int order[3]);
