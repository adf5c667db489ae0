// The robot's discard and claim answers over positions from whole robot-played deals: early,
// middle and late in a hand. Besides the mean, each run reports the slowest single answer.
#include "platform/Random.h"
#include "rules/CMjAi.h"
#include "rules/CMjPlayer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

// A seat as the robot sees it when asked, with the table's seen tiles and the tile in question.
struct Position {
    MjTile Mj[14];
    int cardnum;
    GetMj getmj[5];
    int getnum;
    uint8_t plans[5];
    uint8_t onesuit;
    int32_t suits[2][3];
    uint8_t ting;
    int seen[5][10];
    int left;
    MjTile tile;

    Position(const CMjPlayer &p, const int (*seenmj)[10], int leftnum, MjTile asked)
        : cardnum(p.cardnum), getnum(p.getnum), plans{p.onesuitplan, p.qiduiplan, p.defaultplan, p.bukaoplan,
                                                      p.zuhelongplan},
          onesuit(p.onesuit), ting(p.ting), left(leftnum), tile(asked)
    {
        std::memcpy(Mj, p.Mj, sizeof Mj);
        std::memcpy(getmj, p.getmj, sizeof getmj);
        std::memcpy(suits[0], p.bukaosuits, sizeof suits[0]);
        std::memcpy(suits[1], p.zuhelongsuits, sizeof suits[1]);
        std::memcpy(seen, seenmj, sizeof seen);
    }

    void Load(CMjPlayer &p) const
    {
        p.cardnum = cardnum;
        std::memcpy(p.Mj, Mj, sizeof Mj);
        p.getnum = getnum;
        std::memcpy(p.getmj, getmj, sizeof getmj);
        p.onesuitplan = plans[0];
        p.qiduiplan = plans[1];
        p.defaultplan = plans[2];
        p.bukaoplan = plans[3];
        p.zuhelongplan = plans[4];
        p.onesuit = onesuit;
        std::memcpy(p.bukaosuits, suits[0], sizeof suits[0]);
        std::memcpy(p.zuhelongsuits, suits[1], sizeof suits[1]);
        p.ting = ting;
    }
};

struct Positions {
    std::vector<Position> play[3]; // early, middle, late
    std::vector<Position> peng, chi, gang;
};

constexpr size_t kPerStage = 400;
constexpr size_t kClaims = 1000;

// One hand played out by four robots from a shuffled wall, recording every question on the way.
class Deal {
public:
    Deal(CMjAi &ai, Positions &out, unsigned seed) : ai(ai), out(out)
    {
        for (int i = 0; i < MJ_TOTAL; i++)
            wall[i] = static_cast<uint8_t>(i);
        std::mt19937 rng(seed);
        std::shuffle(wall, wall + MJ_TOTAL, rng);
        for (CMjPlayer &p : seat)
            for (int i = 0; i < 13; i++)
                p.Mj[p.cardnum++] = Draw();
        for (CMjPlayer &p : seat) {
            p.SortMj();
            p.ChoosePlan();
        }
    }

    void Run()
    {
        int cur = 0;
        bool draw = true;
        while (MJ_TOTAL - next > 14) {
            CMjPlayer &p = seat[cur];
            if (draw) {
                p.Mj[p.cardnum++] = Draw();
                p.SortMj();
            }
            int stage = next < 70 ? 0 : next < 105 ? 1 : 2;
            if (out.play[stage].size() < kPerStage)
                out.play[stage].emplace_back(p, seen, Left(), MjTile{});
            ai.Play(&p, seen, Left(), wall, next);
            MjTile t = p.playmj;
            p.RemovePlayMj();
            seen[t.suit][t.value]++;
            draw = true;
            int claimer = Claims(cur, t);
            cur = claimer >= 0 ? claimer : (cur + 1) % 4;
            draw = claimer < 0;
        }
    }

private:
    int Left() const { return MJ_TOTAL - next; }

    // Flowers are set aside and replaced, as at the table.
    MjTile Draw()
    {
        MjTile t;
        do
            t = MjFromIndex(wall[next++]);
        while (t.suit == SUIT_HUA && next < MJ_TOTAL);
        return t;
    }

    void Meld(CMjPlayer &p, GetMjKind kind, MjTile a, MjTile b, MjTile c)
    {
        GetMj &m = p.getmj[p.getnum++];
        m = GetMj{};
        m.tiles[0] = a;
        m.tiles[1] = b;
        m.tiles[2] = c;
        m.count = 3;
        m.kind = kind;
        for (MjTile t : {a, b, c})
            seen[t.suit][t.value]++;
        seen[m.tiles[0].suit][m.tiles[0].value]--; // the claimed tile was already seen
    }

    int Claims(int from, MjTile t)
    {
        for (int k = 1; k < 4; k++) {
            int s = (from + k) % 4;
            CMjPlayer &p = seat[s];
            if (p.CanGang(t) && out.gang.size() < kClaims)
                out.gang.emplace_back(p, seen, Left(), t);
            if (!p.CanPeng(t))
                continue;
            if (out.peng.size() < kClaims)
                out.peng.emplace_back(p, seen, Left(), t);
            if (p.getnum < 4 && ai.NeedPeng(&p, t, seen, Left())) {
                p.DeleteMjN(t, 2);
                Meld(p, GETMJ_PENG, t, t, t);
                return s;
            }
        }
        int s = (from + 1) % 4;
        CMjPlayer &p = seat[s];
        if (!p.CanChi(t))
            return -1;
        if (out.chi.size() < kClaims)
            out.chi.emplace_back(p, seen, Left(), t);
        if (p.getnum < 4 && ai.NeedChi(&p, t, seen, Left())) {
            MjTile a = p.chimj[0], b = p.chimj[1];
            p.DeleteMj(a);
            p.DeleteMj(b);
            MjTile run[3] = {t, a, b};
            SortMj(run, 3);
            Meld(p, GETMJ_CHI, t, run[0].value == t.value ? run[1] : run[0], run[2].value == t.value ? run[1] : run[2]);
            return s;
        }
        return -1;
    }

    CMjAi &ai;
    Positions &out;
    uint8_t wall[MJ_TOTAL];
    int next = 0;
    CMjPlayer seat[4];
    int seen[5][10] = {};
};

const Positions &AllPositions()
{
    static const Positions positions = [] {
        Positions p;
        Random::Pin(2024);
        CMjAi ai;
        ai.SetMinFan(0);
        for (unsigned seed = 1; seed < 2000; seed++) {
            bool full = p.peng.size() >= kClaims && p.chi.size() >= kClaims;
            for (const auto &stage : p.play)
                full = full && stage.size() >= kPerStage;
            if (full && (p.gang.size() >= kClaims || seed > 600))
                break;
            Deal(ai, p, seed).Run();
        }
        return p;
    }();
    return positions;
}

// Runs one answer per position per iteration and reports the mean. The worst case is the slowest
// position's fastest answer over all iterations, so that a preempted call on a shared machine
// does not pose as a slow position; the slowest single call is reported beside it.
void RunAll(benchmark::State &state, const std::vector<Position> &positions,
            const std::function<void(CMjAi &, CMjPlayer &, const Position &)> &ask)
{
    CMjAi ai;
    ai.SetMinFan(0);
    CMjPlayer seat;
    std::vector<double> fastest(positions.size(), 1e9);
    double slowest = 0, total = 0;
    size_t asked = 0;
    for (auto _ : state) {
        for (size_t i = 0; i < positions.size(); i++) {
            positions[i].Load(seat);
            auto begin = std::chrono::steady_clock::now();
            ask(ai, seat, positions[i]);
            std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - begin;
            fastest[i] = std::min(fastest[i], took.count());
            slowest = std::max(slowest, took.count());
            total += took.count();
            asked++;
        }
    }
    state.counters["positions"] = static_cast<double>(positions.size());
    state.counters["mean_us"] = total / static_cast<double>(asked);
    state.counters["worst_us"] = *std::max_element(fastest.begin(), fastest.end());
    state.counters["slowest_call_us"] = slowest;
    state.SetItemsProcessed(static_cast<int64_t>(asked));
}

void Play(benchmark::State &state, int stage)
{
    const Positions &all = AllPositions();
    std::vector<Position> positions;
    if (stage < 0)
        for (const auto &s : all.play)
            positions.insert(positions.end(), s.begin(), s.end());
    else
        positions = all.play[stage];
    RunAll(state, positions, [](CMjAi &ai, CMjPlayer &p, const Position &pos) {
        ai.Play(&p, pos.seen, pos.left, nullptr, MJ_TOTAL - pos.left);
        benchmark::DoNotOptimize(p.playmj);
    });
}

void BM_Play(benchmark::State &state) { Play(state, -1); }
void BM_PlayEarly(benchmark::State &state) { Play(state, 0); }
void BM_PlayMiddle(benchmark::State &state) { Play(state, 1); }
void BM_PlayLate(benchmark::State &state) { Play(state, 2); }

void BM_NeedPeng(benchmark::State &state)
{
    RunAll(state, AllPositions().peng, [](CMjAi &ai, CMjPlayer &p, const Position &pos) {
        benchmark::DoNotOptimize(ai.NeedPeng(&p, pos.tile, pos.seen, pos.left));
    });
}

void BM_NeedChi(benchmark::State &state)
{
    RunAll(state, AllPositions().chi, [](CMjAi &ai, CMjPlayer &p, const Position &pos) {
        benchmark::DoNotOptimize(ai.NeedChi(&p, pos.tile, pos.seen, pos.left));
    });
}

void BM_NeedGang(benchmark::State &state)
{
    RunAll(state, AllPositions().gang, [](CMjAi &ai, CMjPlayer &p, const Position &pos) {
        benchmark::DoNotOptimize(ai.NeedGang(&p, pos.tile, pos.seen, pos.left));
    });
}

} // namespace

BENCHMARK(BM_Play)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayEarly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayMiddle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayLate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NeedPeng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NeedChi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NeedGang)->Unit(benchmark::kMillisecond);
