#include "rules/CGbHu.h"
#include "rules/CMjPlayer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

// One winning hand: the player record (melds, flags) and the concealed tiles with the winning tile.
struct Hand {
    std::unique_ptr<CMjPlayer> player;
    MjTile tiles[14];
    int count = 0;
};

class HandMaker {
public:
    explicit HandMaker(unsigned seed) : rng(seed) {}

    // An ordinary hand of four groups and a pair, `melds` of the groups melded.
    bool Ordinary(Hand *hand, int melds)
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

    bool SevenPairs(Hand *hand)
    {
        Start(hand);
        for (int i = 0; i < 7; i++) {
            int kind = Pick(34);
            if (!Use(kind) || !Use(kind))
                return false;
            Add(hand, kind);
            Add(hand, kind);
        }
        return Finish(hand);
    }

    bool ThirteenOrphans(Hand *hand)
    {
        static constexpr int kOrphans[13] = {0, 8, 9, 17, 18, 26, 27, 28, 29, 30, 31, 32, 33};
        Start(hand);
        for (int kind : kOrphans)
            Add(hand, kind);
        Add(hand, kOrphans[Pick(13)]);
        return Finish(hand);
    }

    // Honours and knitted tiles, or a knitted straight with a group and a pair.
    bool Knitted(Hand *hand, bool straight)
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

private:
    void Start(Hand *hand)
    {
        hand->player = std::make_unique<CMjPlayer>();
        hand->count = 0;
        std::fill(std::begin(used), std::end(used), 0);
    }

    bool Use(int kind) { return ++used[kind] <= 4; }

    void Add(Hand *hand, int kind) { hand->tiles[hand->count++] = KindMj(kind); }

    bool Finish(Hand *hand)
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

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    std::mt19937 rng;
    int used[MJ_KINDS] = {};
};

// A fixed set: 600 concealed ordinary hands, 300 with melds, 100 seven pairs and 100 special hands.
const std::vector<Hand> &WinningHands()
{
    static const std::vector<Hand> hands = [] {
        std::vector<Hand> out;
        HandMaker maker(20240601);
        CGbHu hu;
        auto keep = [&](Hand &&hand) {
            if (hu.Hu(hand.player.get(), hand.tiles, hand.count, nullptr, 50))
                out.push_back(std::move(hand));
        };
        const struct { int wanted; int kind; } kPlan[] = {{600, 0}, {150, 1}, {150, 2}, {100, 3}, {40, 4}, {30, 5}, {30, 6}};
        for (const auto &plan : kPlan) {
            size_t target = out.size() + plan.wanted;
            while (out.size() < target) {
                Hand hand;
                bool made = plan.kind <= 2 ? maker.Ordinary(&hand, plan.kind)
                            : plan.kind == 3 ? maker.SevenPairs(&hand)
                            : plan.kind == 4 ? maker.ThirteenOrphans(&hand)
                                             : maker.Knitted(&hand, plan.kind == 6);
                if (made)
                    keep(std::move(hand));
            }
        }
        return out;
    }();
    return hands;
}

void BM_Hu(benchmark::State &state)
{
    const auto &hands = WinningHands();
    CGbHu hu;
    size_t i = 0;
    for (auto _ : state) {
        const Hand &hand = hands[i];
        benchmark::DoNotOptimize(hu.Hu(hand.player.get(), hand.tiles, hand.count, nullptr, 50));
        if (++i == hands.size())
            i = 0;
    }
    state.counters["hands"] = static_cast<double>(hands.size());
}
BENCHMARK(BM_Hu);

// Each ordinary winning hand without its winning tile is a waiting hand.
void BM_CanHu(benchmark::State &state)
{
    const auto &hands = WinningHands();
    struct Wait {
        CMjPlayer *player;
        MjTile tiles[13];
        int count;
    };
    std::vector<Wait> waits;
    for (const Hand &hand : hands) {
        Wait w{hand.player.get(), {}, 0};
        bool dropped = false;
        for (int i = 0; i < hand.count; i++) {
            if (!dropped && IsSameMj(hand.tiles[i], hand.player->winmj)) {
                dropped = true;
                continue;
            }
            w.tiles[w.count++] = hand.tiles[i];
        }
        waits.push_back(w);
    }
    CGbHu hu;
    size_t i = 0;
    for (auto _ : state) {
        Wait &w = waits[i];
        benchmark::DoNotOptimize(hu.CanHu(w.player, w.tiles, w.count));
        if (++i == waits.size())
            i = 0;
    }
    state.counters["hands"] = static_cast<double>(waits.size());
}
BENCHMARK(BM_CanHu);

} // namespace
