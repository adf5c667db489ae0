// A busy room from the server's records: entering a room of 100 tables and 2,000 users, and 10,000
// changes of users at tables afterwards, each record through the game's dispatcher with the lobby up.
// Times are per record.
#include "bench/WindowBench.h"
#include "table/CMj.h"
#include "tests/kit/FakeScreen.h"
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

std::string Name(int user)
{
    return "player" + std::to_string(user);
}

GameMsg UserRecord(uint8_t op, int user, std::mt19937 &rng)
{
    GameMsg m(SC_USER_INFO);
    m.Put(2, op);
    m.PutText({3, 20}, Name(user));
    m.PutI32(23, static_cast<int32_t>(rng() % 100000));
    m.Put(27, static_cast<uint8_t>(rng() % 2));
    const int32_t games = static_cast<int32_t>(rng() % 5000);
    m.PutI32(28, games);
    m.PutI32(32, games / 3);
    m.PutI32(40, static_cast<int32_t>(rng() % 50));
    m.PutI32(52, user);
    m.Put(66, static_cast<uint8_t>(1 + rng() % 12));
    if (rng() % 2) {
        m.Put(101, 1);
        m.Put(102, static_cast<uint8_t>(1 + rng() % 100));
        m.Put(103, static_cast<uint8_t>(rng() % 4));
    }
    return m;
}

// Every table with four of the users, some ready, some playing.
GameMsg TableRecord(int table, std::mt19937 &rng)
{
    GameMsg m(SC_TABLE_INFO);
    m.Put(3, static_cast<uint8_t>(table));
    for (int seat = 0; seat < 4; seat++) {
        if (rng() % 5 == 0)
            continue;
        m.PutText({4 + 20 * seat, 20}, Name(table * 4 + seat));
        m.Put(88 + seat, static_cast<uint8_t>(1 + rng() % 2));
        m.Put(92 + seat, static_cast<uint8_t>(rng() % 2));
    }
    m.Put(96, static_cast<uint8_t>(rng() % 3 == 0));
    return m;
}

std::vector<GameMsg> EnterRoom()
{
    std::mt19937 rng(7);
    std::vector<GameMsg> records;
    GameMsg begin(SC_ENTER_ROOM);
    begin.Put(1, 1);
    records.push_back(begin);
    for (int user = 0; user < kUsers; user++)
        records.push_back(UserRecord(USER_ADD, user, rng));
    for (int table = 0; table < kTableCount; table++)
        records.push_back(TableRecord(table, rng));
    GameMsg answer(SC_ENTER_ROOM);
    answer.Put(3, 1);
    records.push_back(answer);
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
        updates.push_back(i % 10 == 9 ? TableRecord(static_cast<int>(rng() % kTableCount), rng)
                                      : UserRecord(USER_UPDATE, static_cast<int>(rng() % kUsers), rng));
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
