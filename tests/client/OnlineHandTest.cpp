// Whole online hands played from the scripted server's records, and the local player's moves sent
// back byte for byte.
#include "tests/client/OnlineGameFixture.h"
#include "tests/kit/TableSnapshot.h"
#include "tests/support/Tiles.h"
#include "windows/CScoreForm.h"

#include <algorithm>
#include <numeric>

namespace {

std::vector<MjTile> Hand(const CMjPlayer &p)
{
    return {p.Mj, p.Mj + p.cardnum};
}

std::vector<MjTile> Discards(const CMjPlayer &p)
{
    return {p.outmj, p.outmj + p.outnum};
}

int TilesTaken(const CMj &m)
{
    return 2 * 72 - std::accumulate(std::begin(m.wallstack), std::end(m.wallstack), 0);
}

bool HasLine(const std::vector<std::string> &lines, const std::string &line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

bool operator==(MjTile a, MjTile b)
{
    return IsSameMj(a, b);
}

TEST_F(OnlineGame, AHandAtServerSeatTwoIsPlayedToItsResult)
{
    Play("table-hand.session");
    CMj &m = *mj;
    CMjPlayer &me = m.player[0];

    // Seated: server seats 2, 3, 0, 1 at local seats 0, 1, 2, 3, each with its name and picture;
    // a picture outside the set shows the default one for the seat's sex.
    ASSERT_TRUE(Until([&] { return me.seated && m.tablebuttons.Get(BTN_START)->visible; }));
    const char *names[4] = {"alice", "小王", "老张", "小李"};
    const int pictures[4] = {7, 2, 3, 5};
    for (int seat = 0; seat < 4; seat++) {
        EXPECT_EQ(names[seat], m.player[seat].GetName()) << seat;
        EXPECT_EQ(pictures[seat], m.player[seat].avatarindex) << seat;
    }
    EXPECT_EQ(980, m.player[3].score);
    EXPECT_TRUE(m.player[3].ready);
    m.TableButtonClicked(BTN_START);

    // Checkpoint "own turn".
    ASSERT_TRUE(Until([&] { return m.cansave && me.drawflag; })) << server.Failure();
    EXPECT_EQ(Tiles("1234m99s567p1237z"), Hand(me));
    EXPECT_EQ(Tile("5z"), me.drawmj);
    EXPECT_EQ(2, me.flowernum);
    EXPECT_EQ(1, m.player[3].flowernum);
    EXPECT_EQ(2, m.banker);
    EXPECT_EQ(6, m.changchengstart);
    EXPECT_EQ(57, m.mjindex);
    EXPECT_EQ(58, TilesTaken(m));
    for (int seat = 1; seat < 4; seat++)
        EXPECT_EQ(13, m.player[seat].cardnum) << seat;
    EXPECT_EQ(Tiles("9p"), Discards(m.player[2]));
    EXPECT_TRUE(m.discardflying && m.flyingseat == 3 && m.player[3].hasplayed);
    EXPECT_EQ(Tile("1p"), m.player[3].playmj);

    // The click on the east wind.
    me.hoverindex = static_cast<int>(std::find(me.Mj, me.Mj + me.cardnum, Tile("1z")) - me.Mj);
    m.PlayHighlighted();
    EXPECT_EQ(Tiles("1234m99s567p2357z"), Hand(me));
    EXPECT_FALSE(me.drawflag);

    // Checkpoint "claim prompt": the pung is offered, and the claim countdown runs out after 20 s.
    ASSERT_TRUE(Until([&] { return m.claimbuttonsup != 0; })) << server.Failure();
    EXPECT_TRUE(m.buttons.peng && m.buttons.pass && !m.buttons.gang && !m.buttons.hu && !m.buttons.chi);
    EXPECT_EQ(Tiles("1z"), Discards(me));
    EXPECT_EQ(Tiles("1p"), Discards(m.player[3]));
    EXPECT_TRUE(m.discardflying && m.flyingseat == 1);
    clock.Advance(19000);
    RunUntil([] { return false; }, 100);
    EXPECT_EQ(0, Sent(CS_ACTION)) << "the claim was passed before its 20 seconds";
    clock.Advance(1000);

    // Checkpoint "result": the dealer won on the discard of the seat that punged.
    ASSERT_TRUE(Until([&] { return curscreen == SCREEN_SCORE; })) << server.Failure();
    EXPECT_EQ(2, scoreform->winner);
    EXPECT_EQ(1, Sent(CS_ACTION));
    EXPECT_EQ(2, m.gamestatus);
    EXPECT_TRUE(m.draw.showall);
    const CMjPlayer &winner = m.player[2];
    const CMjPlayer &payer = m.player[3];
    EXPECT_TRUE(winner.ishu);
    EXPECT_EQ(Tile("8m"), winner.humj);
    EXPECT_EQ(3, winner.payseat);
    EXPECT_EQ(4, payer.action);
    EXPECT_EQ(8, winner.scorechange);
    EXPECT_EQ(-8, payer.scorechange);
    EXPECT_EQ(8, winner.totalfan);
    EXPECT_TRUE(winner.fanflag[FAN_PURE_STRAIGHT]);
    EXPECT_FALSE(winner.fanflag[50]) << "a flag byte other than 1 set a fan";
    EXPECT_EQ(5, winner.hunum) << "the score screen has no grouping of the winning hand";
    ASSERT_EQ(1, payer.getnum);
    EXPECT_EQ(GETMJ_PENG, payer.getmj[0].kind);
    EXPECT_EQ(Tile("4p"), payer.getmj[0].tiles[2]);
    EXPECT_EQ(10, payer.cardnum);
    EXPECT_EQ(Tiles("9p"), Discards(winner));
    EXPECT_EQ(Tiles("9s"), Discards(m.player[1]));
    EXPECT_FALSE(m.discardflying || payer.hasplayed);
    const std::vector<std::string> chat = ChatLines();
    EXPECT_TRUE(HasLine(chat, "小李 : 点炮") && HasLine(chat, "老张 : 胡") && HasLine(chat, "==结束==")) << chat.size();

    m.NextHand(); // the score screen's replay
    ExpectServerDone();
}

TEST_F(OnlineGame, AHandIsRestoredAfterAReconnectionInEitherOrderOfItsRecords)
{
    Play("restore.session");
    CMj &m = *mj;
    CMjPlayer &me = m.player[0];
    auto wallWith = [](std::initializer_list<std::pair<int, int>> runs, int taken) {
        std::vector<int> stacks(72, 2);
        for (auto [first, last] : runs)
            for (int s = first; s <= last; s++)
                stacks[s] = 0;
        if (taken >= 0)
            stacks[taken] = 1;
        return stacks;
    };
    auto wall = [&] { return std::vector<int>(std::begin(m.wallstack), std::end(m.wallstack)); };

    // Own server seat 1, in the normal order: the discard of the seat before lies in front of it.
    ASSERT_TRUE(Until([&] { return m.cansave && me.GetName() == "bob"; })) << server.Failure();
    EXPECT_EQ(Tiles("123m456s789p1112z"), Hand(me));
    EXPECT_TRUE(me.drawflag);
    EXPECT_EQ(Tile("3z"), me.drawmj);
    const int counts[4] = {13, 10, 13, 10};
    for (int seat = 0; seat < 4; seat++)
        EXPECT_EQ(counts[seat], m.player[seat].cardnum) << seat;
    EXPECT_EQ(Tiles("9p8m"), Discards(m.player[3]));
    EXPECT_EQ(Tiles("6m"), Discards(me));
    EXPECT_EQ(Tiles("4z2p"), Discards(m.player[1]));
    EXPECT_EQ(Tiles("3s"), Discards(m.player[2]));
    EXPECT_TRUE(m.discardflying && m.flyingseat == 3 && m.player[3].hasplayed);
    EXPECT_EQ(Tile("9m"), m.player[3].playmj);
    ASSERT_EQ(1, m.player[3].getnum);
    EXPECT_TRUE(m.player[3].getmj[0].kind == GETMJ_PENG && m.player[3].getmj[0].count == 3);
    ASSERT_EQ(1, m.player[1].getnum);
    EXPECT_TRUE(m.player[1].getmj[0].kind == GETMJ_GANG && m.player[1].getmj[0].count == 4);
    EXPECT_EQ(Tile("7s"), m.player[1].getmj[0].tiles[3]);
    EXPECT_TRUE(m.player[1].ting);
    EXPECT_EQ(1, m.player[3].flowernum);
    EXPECT_EQ(2, me.flowernum);
    EXPECT_EQ(3, m.banker);
    EXPECT_EQ(2, m.roundwind);
    EXPECT_EQ(58, m.changchengstart);
    EXPECT_EQ(wallWith({{58, 71}, {0, 11}, {57, 57}}, 56), wall()) << "51 tiles off the front, 3 off the back";
    me.hoverindex = me.cardnum;
    m.PlayHighlighted();

    // Own server seat 3, the seat record and the discards first: names and rows land on the seats
    // of the new own seat; with 53 tiles taken nothing lies in front of a seat. The local seat keeps
    // the 14 tiles it was given, the last of them as the tile it holds apart.
    ASSERT_TRUE(Until([&] { return m.cansave && m.ownseat == 3; })) << server.Failure();
    const char *names[4] = {"丙", "甲", "bob", "乙"};
    for (int seat = 0; seat < 4; seat++)
        EXPECT_EQ(names[seat], m.player[seat].GetName()) << seat;
    EXPECT_EQ(Tiles("123m456s789p1112z"), Hand(me));
    EXPECT_TRUE(me.drawflag);
    EXPECT_EQ(Tile("9s"), me.drawmj);
    EXPECT_EQ(14, m.player[1].cardnum) << "another seat's tile apart is one of its count";
    EXPECT_TRUE(m.player[1].drawflag);
    EXPECT_EQ(Tiles("2s3s"), Discards(me));
    EXPECT_EQ(Tiles("1s"), Discards(m.player[1]));
    EXPECT_EQ(0, m.player[2].outnum + m.player[3].outnum);
    EXPECT_FALSE(m.discardflying);
    for (const CMjPlayer &p : m.player)
        EXPECT_FALSE(p.hasplayed || p.getnum);
    EXPECT_EQ(wallWith({{55, 71}, {0, 9}}, -1), wall());
    me.hoverindex = me.cardnum;
    m.PlayHighlighted();
    ExpectServerDone();
}

TEST_F(OnlineGame, HostileRecordsKeepTheTableInBoundsAndSoundOnesStillApply)
{
    Play("malformed.session");
    CMj &m = *mj;
    auto lastChat = [&] {
        std::vector<std::string> lines = ChatLines();
        return lines.empty() ? std::string() : lines.back();
    };
    // The fixture audits the bounds after every record; here the bounds that were pressed hardest.
    ASSERT_TRUE(Until([&] { return lastChat() == "hostile"; })) << server.Failure();
    EXPECT_EQ(3, m.ownseat);
    EXPECT_EQ(CMjPlayer::kMaxOut, m.player[3].outnum) << "sixty discards by one seat";
    EXPECT_EQ(5, m.player[0].getnum) << "melds past a hand's";
    EXPECT_EQ(8, m.player[2].flowernum) << "twelve flowers replaced in play";
    EXPECT_EQ(8, m.player[3].flowernum) << "twenty-four replaced after a deal";
    m.NextHand();

    ASSERT_TRUE(Until([&] { return lastChat() == "sound"; })) << server.Failure();
    const CMjPlayer &me = m.player[0];
    EXPECT_EQ(1, m.ownseat);
    EXPECT_EQ("alice", me.GetName());
    EXPECT_EQ(Tiles("123456789m1123p"), Hand(me));
    EXPECT_EQ(Tile("9p"), me.drawmj);
    EXPECT_EQ(1, me.flowernum);
    EXPECT_EQ(0, m.banker);
    EXPECT_EQ(42, m.changchengstart);
    EXPECT_EQ(53, m.mjindex);
    EXPECT_EQ(54, TilesTaken(m));
    m.NextHand();
    ExpectServerDone();
}

// A hand and the next one's deal written in one piece, their dice and the flowers drawn in play
// animating among the records, end in the table that the same records make fed one at a time.
TEST_F(OnlineGame, AHandWrittenInOnePieceEndsAsTheSameHandFedRecordByRecord)
{
    const std::vector<std::string> hand = {
        "9 3=2 4=0 6=1 9=0",
        "13 1=1 2:i32=1000 6:\"老张\" 26=1 27=2 28:i32=980 32:\"小李\" 53=1 54:i32=1200 58:\"alice\" 79=1 "
        "84:\"小王\" 105=[3,5,1,2]",
        "14 3=1 4=1 5=1 6=1",
        "5 2=1 3=0 4=3 5=4 6=2 7=5",
        "1 3=13 4=[t(1m#0),t(2m#0),t(3m#0),t(9s#0),t(9s#1),t(5p#0),t(6p#0),t(7p#0),t(1z#0),t(2z#0),t(3z#0),t(1f),t(2f)]",
        "15 2=0 3=2 4=2 6=t(4m#0) 7=t(7z#0)",
        "7 3=0",
        "15 2=1 3=0 6=t(3f)",
        "3 3=0 4=t(9p#3)",
        "11 1=0 2:\"快点\"",
        "7 3=1",
        "15 2=1 3=1 6=t(4f)",
        "3 3=1 4=t(1p#3)",
        "7 3=3",
        "3 3=3 4=t(9s#2)",
        "8 3=1 4=2 5=t(9s#2)",
        "3 3=1 4=t(8m#2)",
        "8 3=0 4=4 5=t(8m#2) 6=2",
        "10 2=1 3=1 4=0 5=1 6=1 7:i32=8 39=1 61=2",
        // The next hand's dice, and its deal right behind them.
        "5 2=2 3=1 4=6 5=6 6=1 7=2",
        "1 3=13 4=[t(4m#0),t(5m#0),t(6m#0),t(9s#0),t(9s#1),t(5p#0),t(6p#0),t(7p#0),t(1z#0),t(2z#0),t(3z#0),t(4z#0),t(5z#0)]",
        "11 1=100 2:\"end\"",
    };
    // The client's filters after the login, its keep-alives and its count of dealt flowers.
    const std::string login = "ignore 4\nignore 6\nignore 104\n"
                              "expect 100 1:\"alice\" 21:\"pw\" 51..63:* 101=120 103=20\nsend 102 3=1\n";
    std::string whole = login + "glue " + std::to_string(hand.size()) + "\n";
    std::string slow = login;
    for (const std::string &record : hand) {
        whole += "send " + record + "\n";
        slow += "send " + record + "\npause 30\n";
    }
    LinkFixture::Serve({whole + "pause 100000\n", slow + "pause 100000\n"});
    auto ended = [&] {
        const std::vector<std::string> lines = ChatLines();
        return !lines.empty() && lines.back().find("end") != std::string::npos;
    };
    link->OpenGameLink(Target(server.Port()));
    ASSERT_TRUE(Until(ended)) << server.Failure();
    const std::string inOnePiece = TableSnapshot(*mj);
    const std::vector<std::string> linesInOnePiece = ChatLines();
    ASSERT_EQ(mj->mjindex, 51) << inOnePiece;

    link->CloseGameLink();
    ASSERT_TRUE(Until([&] { return !mj->IsNetGame(); }));
    mj.reset(); // first: the screens are the one game object's
    mj = std::make_unique<CMj>();
    audited.game = mj.get();
    mj->netlink = link.get();
    link->OpenGameLink(Target(server.Port()));
    ASSERT_TRUE(Until(ended)) << server.Failure();
    EXPECT_EQ(TableSnapshot(*mj), inOnePiece);
    EXPECT_EQ(ChatLines(), linesInOnePiece);
}
