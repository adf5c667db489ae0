#pragma once
#include "rules/CMjPlayer.h"
#include "rules/MjKind.h"

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

// One winning hand: the player record (melds, flags) and the concealed tiles with the winning tile.
struct MadeHand {
    std::unique_ptr<CMjPlayer> player;
    MjTile tiles[14];
    int count = 0;
};

// Random hands of each winning shape for the evaluator's benchmarks and tests, from a seed; no more
// than four copies of a tile. A maker returns false when its draw broke that rule: draw again.
// The winning tile, self-drawn or not and the winds are drawn too.
class HandMaker {
public:
    explicit HandMaker(unsigned seed) : rng(seed) {}

    // An ordinary hand of four groups and a pair, `melds` of the groups melded.
    bool Ordinary(MadeHand *hand, int melds)
    {
        Start(hand);
        for (int g = 0; g < 4; g++) {
            int kind = Pick(34);
            bool chow = kind < 27 && kind % 9 < 7 && Pick(3) > 0;
            int n = chow ? 3 : (g < melds && Pick(5) == 0 ? 4 : 3);
            for (int i = 0; i < n; i++)
                if (!Use(chow ? kind + i : kind))
                    return false;
            if (g < melds) {
                GetMj &m = hand->player->getmj[hand->player->getnum];
                m.count = n;
                m.kind = chow ? GETMJ_CHI : n == 4 ? GETMJ_GANG : GETMJ_PENG;
                for (int i = 0; i < n; i++)
                    m.tiles[i] = KindMj(chow ? kind + i : kind);
                hand->player->exposed[hand->player->getnum++] = Pick(2);
            } else {
                for (int i = 0; i < 3; i++)
                    Add(hand, chow ? kind + i : kind);
            }
        }
        int pair = Pick(34);
        if (!Use(pair) || !Use(pair))
            return false;
        Add(hand, pair);
        Add(hand, pair);
        return Finish(hand);
    }

    // Seven pairs of any kinds, or all of one suit, where chows often read them another way too.
    bool SevenPairs(MadeHand *hand, bool onesuit = false)
    {
        Start(hand);
        int suit = onesuit ? Pick(3) : 0;
        for (int i = 0; i < 7; i++) {
            int kind = onesuit ? suit * 9 + Pick(9) : Pick(34);
            if (!Use(kind) || !Use(kind))
                return false;
            Add(hand, kind);
            Add(hand, kind);
        }
        return Finish(hand);
    }

    // Seven pairs of one suit with values rising by one.
    bool SevenShiftedPairs(MadeHand *hand)
    {
        Start(hand);
        int first = Pick(3) * 9 + Pick(3);
        for (int i = 0; i < 7; i++) {
            Add(hand, first + i);
            Add(hand, first + i);
        }
        return Finish(hand);
    }

    bool ThirteenOrphans(MadeHand *hand)
    {
        static constexpr int kOrphans[13] = {0, 8, 9, 17, 18, 26, 27, 28, 29, 30, 31, 32, 33};
        Start(hand);
        for (int kind : kOrphans)
            Add(hand, kind);
        Add(hand, kOrphans[Pick(13)]);
        return Finish(hand);
    }

    // Honours and knitted tiles, or a knitted straight with a group and a pair.
    bool Knitted(MadeHand *hand, bool straight)
    {
        Start(hand);
        int suits[3] = {0, 1, 2};
        std::shuffle(suits, suits + 3, rng);
        std::vector<int> kinds;
        for (int set = 0; set < 3; set++)
            for (int i = 0; i < 3; i++)
                kinds.push_back(suits[set] * 9 + set + 3 * i);
        if (straight) {
            for (int kind : kinds)
                if (Use(kind))
                    Add(hand, kind);
            int pung = 27 + Pick(7), pair = 27 + Pick(7);
            if (pung == pair)
                return false;
            for (int i = 0; i < 3; i++)
                Add(hand, pung);
            Add(hand, pair);
            Add(hand, pair);
            return Finish(hand);
        }
        std::shuffle(kinds.begin(), kinds.end(), rng);
        for (int honour = 27; honour < 34; honour++)
            kinds.push_back(honour);
        std::shuffle(kinds.begin() + 9, kinds.end(), rng);
        // Keep between 5 and 7 honours, the rest knitted tiles.
        int honours = 5 + Pick(3);
        for (int i = 0; i < 14 - honours; i++)
            Add(hand, kinds[i]);
        for (int i = 0; i < honours; i++)
            Add(hand, kinds[9 + i]);
        return Finish(hand);
    }

    // A number from 0 to n - 1 from the same sequence.
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

private:
    void Start(MadeHand *hand)
    {
        hand->player = std::make_unique<CMjPlayer>();
        hand->count = 0;
        std::fill(std::begin(used), std::end(used), 0);
    }

    bool Use(int kind) { return ++used[kind] <= 4; }

    void Add(MadeHand *hand, int kind) { hand->tiles[hand->count++] = KindMj(kind); }

    bool Finish(MadeHand *hand)
    {
        CMjPlayer &p = *hand->player;
        int win = Pick(hand->count);
        p.winmj = hand->tiles[win];
        p.zimo = Pick(2);
        p.seatwind = 1 + Pick(4);
        p.roundwind = 1 + Pick(4);
        p.cardnum = hand->count - 1;
        SortMj(hand->tiles, hand->count);
        return true;
    }

    std::mt19937 rng;
    int used[MJ_KINDS] = {};
};
