#include "rules/HandCount.h"

int BestKnittedOrder(const MjTile *tiles, int count, int order[3])
{
    KindCounts held;
    held.Set(tiles, count);
    return BestKnittedOrder(held, order);
}

int BestKnittedOrder(const KindCounts &counts, int order[3])
{
    int best = -1;
    for (const auto &candidate : kKnittedOrders) {
        int held = 0;
        for (int k = 0; k < 3; k++)
            for (int i = 0; i < 3; i++)
                if (counts.Of(KnittedMj(candidate, k, i)) > 0)
                    held++;
        if (held > best) {
            best = held;
            for (int k = 0; k < 3; k++)
                order[k] = candidate[k];
        }
    }
    return best;
}
