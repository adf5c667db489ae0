#include "rules/CGbHu.h"
#include "rules/CMjPlayer.h"
#include "rules/HandNotation.h"
#include "tests/kit/HandMaker.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// A fixed set: 600 concealed ordinary hands, 300 with melds, 100 seven pairs and 100 special hands.
const std::vector<MadeHand> &WinningHands()
{
    static const std::vector<MadeHand> hands = [] {
        std::vector<MadeHand> out;
        HandMaker maker(20240601);
        CGbHu hu;
        auto keep = [&](MadeHand &&hand) {
            if (hu.Hu(hand.player.get(), hand.tiles, hand.count, nullptr, 50))
                out.push_back(std::move(hand));
        };
        const struct { int wanted; int kind; } kPlan[] = {{600, 0}, {150, 1}, {150, 2}, {100, 3}, {40, 4}, {30, 5}, {30, 6}};
        for (const auto &plan : kPlan) {
            size_t target = out.size() + plan.wanted;
            while (out.size() < target) {
                MadeHand hand;
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
        const MadeHand &hand = hands[i];
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
    for (const MadeHand &hand : hands) {
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

// One fixed winning hand per shape, scored again and again: how the shapes compare within one run.
void BM_Shape(benchmark::State &state, const char *line)
{
    HandNotation hand;
    if (std::string err = ParseHand(line, &hand); !err.empty()) {
        state.SkipWithError(err.c_str());
        return;
    }
    CMjPlayer player;
    SeatHand(hand, &player);
    MjTile tiles[14];
    int count = WinningTiles(hand, tiles);
    CGbHu hu;
    if (!hu.Hu(&player, tiles, count, nullptr, hand.left)) {
        state.SkipWithError("the hand does not win");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(hu.Hu(&player, tiles, count, nullptr, hand.left));
    state.counters["fans"] = player.totalfan;
}
BENCHMARK_CAPTURE(BM_Shape, four_melds_and_a_pair, "123m456m678p78s55z 9s self");
BENCHMARK_CAPTURE(BM_Shape, seven_pairs, "1133m2266p4499s1z 1z");
BENCHMARK_CAPTURE(BM_Shape, seven_shifted_pairs, "2233445566778p 8p");
BENCHMARK_CAPTURE(BM_Shape, thirteen_orphans, "19m19s19p1234567z 7z");
BENCHMARK_CAPTURE(BM_Shape, honours_and_knitted, "14m258s369p12356z 7z");
BENCHMARK_CAPTURE(BM_Shape, knitted_straight_with_melds, "[555z]147m258s369p1z 1z");
// 222 333 444 555, 234 234 234 555 and 222 345 345 345.
BENCHMARK_CAPTURE(BM_Shape, three_readings, "222333444555m6s 6s");

} // namespace
