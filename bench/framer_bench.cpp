// The game server's stream cut into records and handed on: valid records arriving in 8 KB reads,
// through the data module's read path, to a counter and to the game object's dispatcher.
#include "client/Datamodule.h"
#include "platform/Paths.h"
#include "platform/TestClock.h"
#include "table/CMj.h"
#include "tests/kit/MemorySocket.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kReadBytes = 8192;

struct Counter : RecordSink {
    void OnGameMsg(const GameMsg &msg) override { sum += msg.Type(); }
    void OnDisconnect() override {}
    uint64_t sum = 0;
};

// A megabyte of table-chat records, as a server sends them.
std::vector<uint8_t> Stream()
{
    std::vector<uint8_t> bytes;
    for (int i = 0; bytes.size() < (1u << 20); i++) {
        GameMsg m(SC_TABLE_CHAT);
        m.Put(1, static_cast<uint8_t>(i % 4));
        m.PutText({2, 127}, "a line of chat at the table");
        bytes.insert(bytes.end(), m.Data(), m.Data() + GameMsg::kSize);
    }
    bytes.resize(bytes.size() / GameMsg::kSize * GameMsg::kSize);
    return bytes;
}

void Run(benchmark::State &state, RecordSink &sink)
{
    TestClock clock;
    TimerService::Install(&clock);
    auto owned = std::make_unique<MemorySocket>();
    MemorySocket &socket = *owned;
    TDataModule1 link(std::move(owned));
    link.SetGame(&sink);
    GameLinkTarget target;
    target.host = "127.0.0.1";
    link.OpenGameLink(target);
    socket.Accept();
    std::vector<uint8_t> stream = Stream();
    for (auto _ : state) {
        for (size_t at = 0; at < stream.size(); at += kReadBytes)
            socket.Feed(stream.data() + at, std::min(kReadBytes, stream.size() - at));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(stream.size() / GameMsg::kSize));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(stream.size()));
    TimerService::Install(nullptr);
}

void BM_RecordsToACounter(benchmark::State &state)
{
    Counter counter;
    Run(state, counter);
    if (counter.sum != SC_TABLE_CHAT * static_cast<uint64_t>(state.items_processed()))
        state.SkipWithError("records went missing");
}
BENCHMARK(BM_RecordsToACounter);

void BM_RecordsToTheGame(benchmark::State &state)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // The game object measures its link labels' text, which needs the toolkit's fonts.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int argc = 1;
    char name[] = "framer_bench";
    char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    auto folder = std::filesystem::temp_directory_path() / ("lantile-framer-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    Paths::SetProgramFolder(folder.string());
    {
        TestClock clock;
        TimerService::Install(&clock);
        CMj game;
        Run(state, game);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecordsToTheGame);

} // namespace
