#include "rules/HandCount.h"

bool IsPlayableKind(int value, int suit)
{
    if (suit >= SUIT_WAN && suit <= SUIT_BING)
        return value >= 1 && value <= 9;
    return suit == SUIT_ZI && value >= 1 && value <= 7;
}

int CountMj(const MjTile *tiles, int count, MjTile tile)
{
    int n = 0;
    for (int i = 0; i < count; i++)
        if (IsSameMj(tiles[i], tile))
            n++;
    return n;
}

int UnseenCount(const MjTile *tiles, int count, const int (*seenmj)[10], int value, int suit)
{
    if (!IsPlayableKind(value, suit))
        return 0;
    int unseen = 4 - CountMj(tiles, count, MakeMj(value, suit)) - seenmj[suit][value];
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
