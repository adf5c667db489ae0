// The main window keeps up with a server that floods it: the keep-alive goes out on time while a
// hundred thousand records of a busy lobby pour in, and a private line written after them shows.
#include "platform/QtTimerService.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/LobbyFlood.h"
#include "tests/kit/ScriptServer.h"
#include "tests/kit/ScriptServerThread.h"

#include <chrono>

namespace {

int64_t SteadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The keep-alive runs on the event loop's own timers here.
class Flood : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        TimerService::Install(&timers);
    }
    QtTimerService timers;
};

TEST_F(Flood, TheKeepAliveKeepsItsPaceThroughAHundredThousandRecordsAndALineAfterThemShows)
{
    constexpr int kUsers = 1000;
    std::mt19937 rng(5);
    std::vector<GameMsg> room = LobbyFlood::Room("alice", kUsers, rng);
    room.push_back(LobbyFlood::PrivateLine("filled"));
    std::vector<GameMsg> mix = LobbyFlood::Mix(100000, kUsers, rng);
    mix.push_back(LobbyFlood::PrivateLine("after"));
    ScriptServerThread server(LobbyFlood::Script("alice", "pw", {room, mix}));
    ASSERT_NE(server.Port(), 0) << server.Stop().failure;
    OpenAtTitle();
    LogIn(server.Port());
    ASSERT_TRUE(RunUntil([&] { return form->FindTalk("filled") != nullptr; }, 120000));
    ASSERT_EQ(Game().userlist.Count(), kUsers + 1);

    GameMsg go(CS_ROOM_CHAT);
    const int64_t start = SteadyMs();
    Game().netlink->SendPacket(go);
    ASSERT_TRUE(RunUntil([&] { return form->FindTalk("after") != nullptr; }, 400000));
    const int64_t end = SteadyMs();
    EXPECT_TRUE(Game().netlink->GameLinkConnected());
    Game().netlink->CloseGameLink();
    const ScriptServerThread::Outcome &served = server.Stop();
    std::vector<int64_t> times;
    for (size_t i = 0; i < served.received.size(); i++)
        if (served.received[i][0] == CS_KEEPALIVE || served.received[i][0] == CS_USER_SET)
            times.push_back(served.receivedAt[i]);
    EXPECT_LE(LobbyFlood::LongestQuiet(start, end, times), 11000) << "over a flood of " << end - start << " ms";
    EXPECT_EQ(served.failure, "");
}

} // namespace
