// What the client itself does in online play: the keep-alive, the answers it sends on its own
// turn, leaving the table.
#include "tests/client/OnlineGameFixture.h"
#include "tests/support/Tiles.h"
#include "windows/CDxEdit.h"
#include "windows/CLoginForm.h"

#include <cstdio>

namespace {

const std::string kLogin = R"(expect 100 1:"alice" 21:"pw" 51..63:* 101=120 103=20
send 102 3=1
expect 4 1=1
)";
// Seated at server seat 0 and the dealer, after the dice; the deal comes next.
const std::string kDiceThrown = kLogin + R"(ignore 104
send 9 3=0 4=1 6=1 9=0
send 5 2=1 3=0 4=1 5=1 6=1 7=1
)";

// Counts what the game object hands to the connection, whether the connection takes it or not.
struct CountingLink : NetLink {
    void SendPacket(const GameMsg &msg) override
    {
        types.push_back(msg.Type());
        inner->SendPacket(msg);
    }
    void OpenGameLink(const GameLinkTarget &target) override { inner->OpenGameLink(target); }
    void CloseGameLink() override { inner->CloseGameLink(); }
    bool GameLinkActive() const override { return inner->GameLinkActive(); }
    bool GameLinkConnected() const override { return inner->GameLinkConnected(); }
    void OpenRegLink(const RegLinkTarget &target) override { inner->OpenRegLink(target); }
    void CloseRegLink() override { inner->CloseRegLink(); }
    void ResumeRecords() override { inner->ResumeRecords(); }

    NetLink *inner = nullptr;
    std::vector<uint8_t> types;
};

TEST_F(OnlineGame, ALoggedInClientSendsAKeepAliveEveryTenSecondsUntilTheConnectionEnds)
{
    CountingLink counting;
    counting.inner = link.get();
    mj->netlink = &counting;
    Serve(R"(expect 100 1:"alice" 21:"secret" 51..63:* 101=120 103=20
send 102 3=1
expect 4 1=1
expect 104
expect 104
expect 104
close
)");
    // Logged in from the login screen, whose 30-second wait must end with the login's answer.
    std::snprintf(serverlist[0].host, sizeof serverlist[0].host, "127.0.0.1");
    serverlist[0].port = server.Port();
    serverindex = 0;
    loginform->accountedit->text = "alice";
    loginform->passwordedit->text = "secret";
    loginform->KeyPress('\r');
    ASSERT_TRUE(Until([&] { return mj->IsNetGame(); }));
    clock.Advance(30000);
    ExpectServerDone();
    ASSERT_TRUE(Until([&] { return !mj->IsNetGame(); }));
    EXPECT_EQ(SCREEN_LOGIN, curscreen);
    clock.Advance(30000);
    EXPECT_EQ((std::vector<uint8_t>{CS_USER_SET, CS_KEEPALIVE, CS_KEEPALIVE, CS_KEEPALIVE}), counting.types)
        << "the filters once, then a keep-alive every ten seconds";
}

TEST_F(OnlineGame, PassingAnOwnTurnOfferGivesTwentySecondsToDiscard)
{
    PlayScript(kDiceThrown + R"(send 1 3=13 4=[t(1m#0),t(1m#1),t(1m#2),t(2m#0),t(3m#0),t(4m#0),t(5m#0),t(6m#0),t(7m#0),t(8m#0),t(9m#0),t(1p#0),t(2p#0)]
send 7 3=0
send 2 3=t(1m#3)
send 6 2=1 4=1
expect 1 3=0
expect 2 2=1 3=t(1m#0)
send 3 3=0 4=t(1m#3) 5=1
send 7 3=1
send 3 3=1 4=t(9p#0)
send 7 3=0
send 2 3=t(5z#0)
send 6 2=0
expect 2 3=t(5z#0)
)");
    CMj &m = *mj;
    ASSERT_TRUE(Until([&] { return m.claimbuttonsup && m.buttons.gang; })) << server.Failure();
    clock.Advance(5000); // the offer's own countdown runs meanwhile
    m.readyrequest = 1;  // the ready button
    m.Pass(0);
    ASSERT_TRUE(Until([&] { return Sent(CS_ACTION) == 1; }));
    clock.Advance(19000);
    RunUntil([] { return false; }, 100);
    EXPECT_EQ(0, Sent(CS_GIVE_CARD)) << "the discard countdown did not start again at 20";
    // Its end discards the drawn tile, declaring the hand ready; the next turn of the ready hand
    // discards its drawn tile at once, no longer declaring it.
    clock.Advance(1000);
    ExpectServerDone();
}

TEST_F(OnlineGame, AnOwnTurnKongNamesTheKongThePlayerPointedAt)
{
    PlayScript(kDiceThrown + R"(send 1 3=13 4=[t(1m#0),t(1m#1),t(1m#2),t(1m#3),t(2m#0),t(2m#1),t(2m#2),t(5p#0),t(6p#0),t(7p#0),t(1z#0),t(2z#0),t(3z#0)]
send 7 3=0
send 2 3=t(2m#3)
send 6 2=1 4=1
expect 1 2=t(1m#0) 3=3
)");
    CMj &m = *mj;
    CMjPlayer &me = m.player[0];
    ASSERT_TRUE(Until([&] { return m.claimbuttonsup && m.buttons.gang; })) << server.Failure();
    m.TableButtonClicked(BTN_GANG); // two kongs: the player points at one
    ASSERT_TRUE(me.gangflag);
    me.hoverindex = 0;
    me.gangmj = me.Mj[0]; // what pointing at the characters 1 leaves; the drawn 2 is the first choice
    m.OnMouseDown(400, 300, false);
    ExpectServerDone();
}

TEST_F(OnlineGame, LeavingTheTableAsksOnlyWhileAHandRuns)
{
    PlayScript(kLogin + R"(ignore 104
send 9 3=0 4=0 6=1
expect 102
send 9 3=0 4=0 6=1
send 5 2=1 3=0 4=1 5=1 6=1 7=1
expect 102
)");
    CMj &m = *mj;
    ASSERT_TRUE(Until([&] { return m.tablebuttons.Get(BTN_START)->visible; }));
    m.TableButtonClicked(BTN_BACK);
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(Until([&] { return Sent(CS_LEAVE_TABLE) == 1; }));

    ASSERT_TRUE(Until([&] { return m.gamestatus == 1; })) << server.Failure();
    answer = MessageBox::ResultNo;
    m.TableButtonClicked(BTN_BACK);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("您正在游戏中,中途退出将会被扣分并且会增加逃跑次数,\n您确定要退出么?", boxes[0].text);
    EXPECT_EQ("询问", boxes[0].title);
    EXPECT_EQ(MessageBox::YesNo, boxes[0].buttons);
    EXPECT_EQ(MessageBox::ResultNo, boxes[0].defaultButton);
    RunUntil([] { return false; }, 100);
    EXPECT_EQ(1, Sent(CS_LEAVE_TABLE));
    EXPECT_EQ(1, m.gamestatus);

    answer = MessageBox::ResultYes;
    m.TableButtonClicked(BTN_BACK);
    ExpectServerDone();
    EXPECT_EQ(0, m.gamestatus);
}

// A server throws the dice, writes two hundred lines behind them and closes while they roll: every
// record reaches the game before the connection's end, in order.
TEST_F(OnlineGame, RecordsWrittenBeforeTheServerClosesAreAllTakenThoseBehindDiceIncluded)
{
    PlayScript(kLogin + R"(ignore 104
send 9 3=0 4=1 6=1 9=0
glue 3
send 5 2=1 3=0 4=1 5=1 6=1 7=1
send 11 1=100 2:"line" times=200
send 11 1=100 2:"bye"
close
)");
    // The dice are left rolling on the test clock until the end has come.
    ExpectServerDone();
    ASSERT_TRUE(RunUntil([&] { return audited.records > 0 && !mj->IsNetGame(); }, 5000));
    EXPECT_EQ(audited.records, 2 + 202);
    const std::vector<std::string> lines = ChatLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string &l) { return l.ends_with("line"); }), 200);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().ends_with("bye"));
    EXPECT_FALSE(mj->Holding());
    EXPECT_EQ(mj->draw.diceshown, 0) << "the dice put away";
}

} // namespace
