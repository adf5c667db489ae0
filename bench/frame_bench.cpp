// One frame of a table in the middle of a hand, with a raised tile's tool-tip and the game menu's
// dim: composed, and composed and shown in the game window (converted for a 32-bit screen).
#include "bench/WindowBench.h"
#include "platform/FrameWindow.h"
#include "table/CMj.h"
#include "tests/kit/TableDriver.h"
#include "tests/kit/TableSession.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<FrameWindow> window;
std::unique_ptr<TableSession> session;

bool MidHand(const CMj &mj)
{
    int discards = 0;
    for (const CMjPlayer &p : mj.player)
        discards += p.outnum;
    return discards >= 16 && TableDriver::Holds(mj, TableDriver::Moment::LocalTurn);
}

void SetUpTable()
{
    window = std::make_unique<FrameWindow>();
    window->ShowWindowed(true);
    session = std::make_unique<TableSession>(5, window.get());
    CMj &mj = session->Game();
    TableDriver &driver = session->Driver();
    driver.NewGame();
    driver.RunUntil(MidHand);
    driver.Move(210 + 36 * 5 + 10, 500);
    driver.Key(TableDriver::KeyEsc);
    mj.Paint();
}

void ComposeFrame(benchmark::State &state)
{
    CMj &mj = session->Game();
    for (auto _ : state)
        mj.draw.DrawAll(&mj, mj.wallstack);
}
BENCHMARK(ComposeFrame)->Unit(benchmark::kMillisecond);

void ComposeAndShowFrame(benchmark::State &state)
{
    CMj &mj = session->Game();
    for (auto _ : state)
        mj.Paint();
}
BENCHMARK(ComposeAndShowFrame)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv, SetUpTable, [] {
        session.reset();
        window.reset();
    });
}
