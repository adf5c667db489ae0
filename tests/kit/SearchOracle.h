#pragma once
#include "rules/CGbHu.h"

#include <cstring>

class CMjPlayer;

// Scores a winning hand by the evaluator's ordinary search alone, seven pairs weighed beside it,
// whatever the shape: no special hand is recognised and nothing is taken as settled in advance.
// The reference that the evaluator's quicker answers for special shapes are checked against. Takes
// the evaluator's arguments and leaves its results where Hu leaves them; 0 under the wild-tile rule.
// Header-only, as the evaluator's tests link the rules alone.
class SearchOracle {
public:
    static int Hu(CGbHu &hu, CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10], int leftnum)
    {
        CGbHu::Held held;
        if (hu.wildmode || hu.Prepare(player, tiles, count, seenmj, leftnum, held) < 0)
            return 0;
        uint8_t counts[MJ_KINDS] = {};
        held.Count(counts);
        uint8_t all[MJ_KINDS];
        std::memcpy(all, counts, sizeof all);
        int alln = count + CGbHu::GroupKinds(hu.meld, hu.meldnum, all);
        return hu.Search(counts, count, all, alln, CGbHu::IsSevenPairs(held, count));
    }
};
