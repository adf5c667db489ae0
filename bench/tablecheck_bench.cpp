// The table check that self-play runs after every step (TableAudit::Check). Seeded robot hands are
// played step by step as the self-play driver steps them: seat 0 acts when it can, else the test
// clock fires its next tick. Only the check after each step is timed, on the steady clock:
// CheckAfterStep/check:1 is the check's time per step, /check:0 the same timing around no check,
// the clock's own share.
#include "bench/WindowBench.h"
#include "table/CMj.h"
#include "tests/kit/LocalRobot.h"
#include "tests/kit/TableAudit.h"
#include "tests/kit/TableSession.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

std::unique_ptr<TableSession> session;

void CheckAfterStep(benchmark::State &state)
{
    const bool check = state.range(0) != 0;
    CMj &mj = session->Game();
    mj.SetAnimateOn(false);
    mj.NewLocalGame();
    TableAudit audit = TableAudit::Of(mj);
    int64_t broken = 0, hands = 0;
    for (auto _ : state) {
        if (mj.gamestatus == 2) {
            hands++;
            bool bankrupt = false;
            for (const CMjPlayer &p : mj.player)
                bankrupt = bankrupt || p.score < 1;
            if (bankrupt) {
                mj.NewLocalGame();
                audit = TableAudit::Of(mj);
            } else {
                mj.NextHand();
            }
        } else if (!LocalRobot::Act(mj)) {
            session->Clock().Step();
        }
        const auto start = std::chrono::steady_clock::now();
        if (check)
            broken += static_cast<int64_t>(audit.Check(mj).size());
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    if (broken != 0)
        state.SkipWithError("the table check found the table broken");
    state.counters["hands"] = static_cast<double>(hands);
}
BENCHMARK(CheckAfterStep)->ArgName("check")->Arg(0)->Arg(1)->UseManualTime()->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(
        argc, argv, [] { session = std::make_unique<TableSession>(1, nullptr); }, [] { session.reset(); });
}
