// The main window keeps up with a server that floods it: the keep-alive goes out while a hundred
// thousand records of a busy lobby pour in, and a private line written after them shows; dice thrown
// twenty times in one write roll while the window goes on serving everything else.
#include "platform/QtTimerService.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/HeldRecords.h"
#include "tests/kit/LobbyFlood.h"
#include "tests/kit/ScriptRecord.h"
#include "tests/kit/ScriptServer.h"
#include "tests/kit/ScriptServerThread.h"
#include "tests/kit/TableSnapshot.h"
#include "windows/CDxChatWnd.h"

#include <chrono>

namespace {

int64_t SteadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// When the server heard the keep-alives, and the records that do their work.
std::vector<int64_t> KeepAliveTimes(const ScriptServerThread::Outcome &served)
{
    std::vector<int64_t> times;
    for (size_t i = 0; i < served.received.size(); i++)
        if (served.received[i][0] == CS_KEEPALIVE || served.received[i][0] == CS_USER_SET)
            times.push_back(served.receivedAt[i]);
    return times;
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
    const std::vector<int64_t> times = KeepAliveTimes(served);
    // How late the keep-alive goes is lobbyflood's figure; this catches only a window that stopped
    // serving its timers for the flood's length.
    EXPECT_LE(LobbyFlood::LongestQuiet(start, end, times), 30000) << "over a flood of " << end - start << " ms";
    EXPECT_EQ(served.failure, "");
}

// Seated at a table, twenty throws of the dice come in one write behind a private line: the line's
// window opens at once, the keep-alive keeps its pace while the dice roll one throw after another,
// and the table ends as the same records fed one at a time leave it.
TEST_F(Flood, DiceThrownTwentyTimesInOneWriteHoldNothingElseUp)
{
    std::vector<std::string> table = {"9 3=1 4=0 6=1 9=0",
                                      "13 1=1 6:\"bob\" 27=1 32:\"alice\" 53=1 58:\"carol\" 79=1 84:\"dave\""};
    for (int i = 0; i < 20; i++)
        table.push_back("5 2=" + std::to_string(1 + i % 4) + " 3=" + std::to_string(i % 4) + " 4=" +
                        std::to_string(1 + i % 6) + " 5=" + std::to_string(1 + (i + 2) % 6) + " 6=" +
                        std::to_string(1 + (i + 4) % 6) + " 7=" + std::to_string(1 + (i + 1) % 6));
    table.push_back("11 1=100 2:\"thrown\"");
    std::vector<GameMsg> records = {LobbyFlood::PrivateLine("dicer")};
    for (const std::string &line : table)
        records.push_back(ScriptRecord(line));
    ScriptServerThread server(LobbyFlood::Script("alice", "pw", {{LobbyFlood::PrivateLine("filled")}, records}));
    ASSERT_NE(server.Port(), 0) << server.Stop().failure;
    OpenAtTitle();
    LogIn(server.Port());
    ASSERT_TRUE(RunUntil([&] { return form->FindTalk("filled") != nullptr; }, 60000));

    const int64_t start = SteadyMs();
    Game().netlink->SendPacket(GameMsg(CS_ROOM_CHAT));
    ASSERT_TRUE(RunUntil([&] { return form->FindTalk("dicer") != nullptr; }, 60000));
    EXPECT_LE(SteadyMs() - start, 1000) << "the private line's window";
    auto thrown = [&] {
        const CChatPageList &pages = Game().chatwnd[0]->pages;
        const CChatPage *last = pages.GetPage(pages.Count() - 1);
        return last && !last->list.lines.empty() && last->list.lines.back().text.find("thrown") != std::string::npos;
    };
    ASSERT_TRUE(RunUntil(thrown, 120000));
    const int64_t end = SteadyMs();
    const std::string together = TableSnapshot(Game());
    Game().netlink->CloseGameLink();
    const ScriptServerThread::Outcome &served = server.Stop();
    const std::vector<int64_t> times = KeepAliveTimes(served);
    EXPECT_LE(LobbyFlood::LongestQuiet(start, end, times), 11000) << "over twenty throws in " << end - start << " ms";
    EXPECT_EQ(served.failure, "");

    // The same table fed one record at a time, each played to its end first.
    driver.reset();
    form.reset();
    TestClock slowClock;
    TimerService::Install(&slowClock);
    CMj slow;
    slow.NetStart();
    for (const std::string &line : table) {
        slow.OnGameMsg(ScriptRecord(line));
        ASSERT_TRUE(PlayHeldRecords(slow, slowClock)) << line;
    }
    EXPECT_EQ(TableSnapshot(slow), together);
}

} // namespace
