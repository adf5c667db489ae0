#include "rules/HandCount.h"

bool IsPlayableKind(int value, int suit)
{
    if (suit >= SUIT_WAN && suit <= SUIT_BING)
        return value >= 1 && value <= 9;
    return suit == SUIT_ZI && value >= 1 && value <= 7;
}

namespace {

// Every tile of the five suits has a slot in a [5][10] table; a face-down tile has none.
bool HasSlot(int value, int suit)
{
    return suit >= 0 && suit <= SUIT_HUA && value >= 0 && value <= 9;
}

} // namespace

void KindCounts::Set(const MjTile *tiles, int count)
{
    *this = KindCounts{};
    for (int i = 0; i < count; i++)
        if (HasSlot(tiles[i].value, tiles[i].suit))
            n[tiles[i].suit][tiles[i].value]++;
}

int KindCounts::Of(int value, int suit) const
{
    return HasSlot(value, suit) ? n[suit][value] : 0;
}

bool KindCounts::Take(MjTile tile)
{
    if (Of(tile) == 0)
        return false;
    n[tile.suit][tile.value]--;
    return true;
}

int UnseenCount(const KindCounts &held, const int (*seenmj)[10], int value, int suit)
{
    if (!IsPlayableKind(value, suit))
        return 0;
    int unseen = 4 - held.Of(value, suit) - seenmj[suit][value];
    return unseen > 0 ? unseen : 0;
}

int BestKnittedOrder(const MjTile *tiles, int count, int order[3])
{
    int best = -1;
    for (const auto &candidate : kKnittedOrders) {
        int held = 0;
        for (int k = 0; k < 3; k++)
            for (int i = 0; i < 3; i++)
                if (FindMj(tiles, count, KnittedMj(candidate, k, i)))
                    held++;
        if (held > best) {
            best = held;
            for (int k = 0; k < 3; k++)
                order[k] = candidate[k];
        }
    }
    return best;
}
