// A busy room from the server's records: entering a room of 100 tables and 2,000 users, and 10,000
// changes of users at tables afterwards, each record through the game's dispatcher with the lobby up.
// Times are per record.
#include "bench/WindowBench.h"
#include "table/CMj.h"
#include "tests/kit/FakeScreen.h"
#include "tests/kit/LobbyFlood.h"
#include "tests/kit/TableSession.h"
#include "windows/CBitForm.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kUsers = 2000;
constexpr int kUpdates = 10000;

std::unique_ptr<FakeScreen> screen;
std::unique_ptr<TableSession> session;

std::vector<GameMsg> EnterRoom()
{
    std::mt19937 rng(7);
    GameMsg begin(SC_ENTER_ROOM);
    begin.Put(1, 1);
    std::vector<GameMsg> records = {begin};
    for (const GameMsg &m : LobbyFlood::Room("me", kUsers, rng))
        records.push_back(m);
    return records;
}

void Feed(benchmark::State &state, const std::vector<GameMsg> &records)
{
    CMj &mj = session->Game();
    for (auto _ : state)
        for (const GameMsg &m : records)
            mj.OnGameMsg(m);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(records.size()));
    state.counters["per_record"] = benchmark::Counter(static_cast<double>(state.iterations() * records.size()),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void FillLobby(benchmark::State &state)
{
    Feed(state, EnterRoom());
}
BENCHMARK(FillLobby)->Unit(benchmark::kMillisecond);

void UpdateUsers(benchmark::State &state)
{
    CMj &mj = session->Game();
    for (const GameMsg &m : EnterRoom())
        mj.OnGameMsg(m);
    std::mt19937 rng(11);
    std::vector<GameMsg> updates;
    for (int i = 0; i < kUpdates; i++)
        updates.push_back(i % 10 == 9 ? LobbyFlood::Table(static_cast<int>(rng() % kTableCount), kUsers, rng)
                                      : LobbyFlood::User(USER_UPDATE, LobbyFlood::Name(static_cast<int>(rng() % kUsers)), 0, rng));
    Feed(state, updates);
}
BENCHMARK(UpdateUsers)->Unit(benchmark::kMillisecond);

void SetUpLobby()
{
    screen = std::make_unique<FakeScreen>();
    session = std::make_unique<TableSession>(1, screen.get());
    CMj &mj = session->Game();
    mj.NetStart();
    curscreen = SCREEN_LOBBY;
}

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv, SetUpLobby, [] {
        session.reset();
        screen.reset();
    });
}
