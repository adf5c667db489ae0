// The lobby against the scripted server: a login filling the rooms, the users and the tables, a seat
// asked for and refused, users leaving; the main window's boxes for notices that come together.
#include "tests/client/MainWindowFixture.h"
#include "tests/client/OnlineGameFixture.h"
#include "table/Shell.h"
#include "windows/CInfoForm.h"
#include "windows/CNetRoom.h"

namespace {

// The main window's notifications, one line each.
struct NoticeShell : Shell {
    bool EditProxy(ProxyDialog &) override { return false; }
    void PostShowText(const std::string &text) override { calls.push_back("text: " + text); }
    void PostCloseTalk(const std::string &name) override { calls.push_back("close talk: " + name); }
    std::vector<std::string> calls;
};

} // namespace

TEST_F(OnlineGame, TheLobbySessionFillsTheRoomsUsersAndTablesAndARefusedSeatBringsTheLobbyBack)
{
    NoticeShell shell;
    mj->shell = &shell;
    mj->lobby->roomid = 9; // remembered from an earlier run, on a server with more rooms
    Play("lobby.session");
    ASSERT_TRUE(Until([&] { return mj->lobby->room == 0; })) << server.Failure();
    EXPECT_EQ(infoformon, 0);
    EXPECT_EQ(curscreen, SCREEN_LOBBY);

    const UserList &users = mj->userlist;
    ASSERT_EQ(users.Count(), 3);
    const UserRow &own = users.Row(0), &longname = users.Row(1), &bob = users.Row(2);
    EXPECT_EQ(own.name + "|" + longname.name + "|" + bob.name, "alice|abcdefghijklmnopqrst|bob") << "the own row first";
    EXPECT_EQ(own.columns[COL_RATE] + " " + bob.columns[COL_RATE], "42% 0%");
    EXPECT_EQ(own.image, IMAGE_MARKED);
    EXPECT_EQ(longname.info.face, 7) << "face 13 of a man";
    // {face picture, status picture} of each row
    EXPECT_EQ((std::vector<int>{longname.faceimage, bob.faceimage, longname.statusimage, bob.statusimage, own.statusimage}),
              (std::vector<int>{10, 5, IMAGE_SEATED, IMAGE_READY, IMAGE_PLAYING}));
    EXPECT_TRUE(mj->myuserid == 42 && mj->myright == 1 && NameIs(mj->myinfo.name, "alice"));
    const TableInfo &t0 = *mj->lobby->GetTable(0), &t1 = *mj->lobby->GetTable(1);
    EXPECT_EQ((std::vector<int>{t0.face[0], t0.face[1], t1.face[0]}), (std::vector<int>{6, 1, 4}));

    const RoomNode &top = *mj->roomtree.Top();
    EXPECT_EQ(top.caption, "一号服务器(120人)");
    EXPECT_TRUE(top.expanded);
    ASSERT_EQ(top.children.size(), 2u);
    EXPECT_EQ(top.children[0].caption + " " + top.children[1].caption, "新手房(70人) 高手房(50人)");
    EXPECT_TRUE(top.children[0].image == IMAGE_ENTERED && top.children[1].image == IMAGE_ROOM);
    EXPECT_EQ(mj->lobby->onlinecount, 120);

    // Seat 2 of table 0 is free.
    const Point seat{CNetRoom::kGridLeft + CNetRoom::kSpots[2].x + 16, CNetRoom::kGridTop + CNetRoom::kSpots[2].y + 16};
    mj->OnMouseDown(seat.x, seat.y, false);
    mj->OnMouseUp(seat.x, seat.y);
    EXPECT_EQ(infoformon, 1);
    ASSERT_TRUE(Until([&] { return users.Count() == 1; })) << server.Failure();
    ExpectServerDone();
    EXPECT_EQ(infoformon, 0);
    EXPECT_EQ(mj->lobby->sitdownpending, 0);
    EXPECT_EQ(curscreen, SCREEN_LOBBY);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"text: 该座位已经有人了", "close talk: bob",
                                                     "close talk: abcdefghijklmnopqrst"}));
    mj->shell = nullptr;
}

TEST_F(MainWindowTest, NoticesThatArriveTogetherShowOneBoxEachWithItsOwnText)
{
    OpenAtTitle();
    ScriptServer server;
    std::string error;
    // Script texts are UTF-8 and this file's literals GBK: the notices are in plain letters.
    ASSERT_TRUE(server.Load(R"(ignore 104
expect 100 1:"alice" 21:"pw" 51..63:* 101=120 103=20
send 102 3=1
expect 4 1=1
glue 3
send 125 6:"first notice"
send 100 1:")" + std::string(128, 'x') + R"("
send 125 6:"second notice"
)",
                            &error))
        << error;
    ASSERT_TRUE(server.Listen());
    Game().netlink->OpenGameLink({"127.0.0.1", server.Port(), "alice", "pw", {}});
    ASSERT_TRUE(RunUntil([&] { return boxes.size() >= 3; }, 5000)) << server.Failure();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text + "|" + boxes[2].text, "first notice|second notice");
    EXPECT_EQ(boxes[1].text, std::string(128, 'x')) << "a text filling its field ends there";
    Game().netlink->CloseGameLink();
}
