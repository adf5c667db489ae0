// Records of table play handed to the game object one at a time: what the client leaves alone.
#include "tests/kit/HeldRecords.h"
#include "tests/kit/ScriptRecord.h"
#include "tests/kit/TableAudit.h"
#include "tests/kit/TableSnapshot.h"
#include "tests/table/TableFixture.h"

namespace {

class NetRecords : public TableFixture {
protected:
    // Online at server seat 1, in the middle of a hand: a deal, draws, a discard and a pung.
    CMj &MidHand()
    {
        CMj &m = Make();
        m.NetStart();
        for (const char *line :
             {"9 3=1 4=0 6=1", "13 1=1 6:\"a\" 27=1 32:\"b\" 53=1 58:\"c\" 79=1 84:\"d\"", "5 2=1 3=0 4=1 5=2 6=3 7=4",
              "1 3=13 4=[t(1m#0),t(2m#0),t(3m#0),t(4m#0),t(5m#0),t(6m#0),t(7m#0),t(8m#0),t(9m#0),t(1p#0),t(2p#0),t(3p#0),t(4p#0)]",
              "7 3=0", "3 3=0 4=t(5z#0)", "8 3=2 4=2 5=t(5z#0)", "3 3=2 4=t(9s#0)"})
            Feed(line);
        return m;
    }
    void Feed(std::string_view line)
    {
        std::string error;
        mj->OnGameMsg(ScriptRecord(line, &error));
        ASSERT_EQ(error, "") << line;
        ASSERT_TRUE(PlayHeldRecords(*mj, clock)) << line;
        for (const std::string &broken : TableAudit::Bounds(*mj))
            ADD_FAILURE() << "after " << line << ": " << broken;
    }
};

// Records of no type the client takes change nothing; one that does not fit is ignored whole: nothing
// of it reaches the table before it is found wrong.
TEST_F(NetRecords, RecordsOfNoKnownTypeOrThatDoNotFitChangeNothing)
{
    CMj &m = MidHand();
    const std::string before = TableSnapshot(m);
    for (const char *line : {
             "0 3=1 4=13", "16 3=14", "99 1=1", "106 1=1", "126 3=1", "255 1=255",
             "1 3=15",                                    // more tiles than a hand
             "1 3=2 4=[t(1m#1),144]",                     // a tile that is none
             "1 3=1 4=t(1m#1) 31=1 32=144 34=t(1p#1)",    // a wild tile that is none
             "2 3=144", "3 3=3 4=144",
             "5 2=1 3=0 4=0 5=1 6=1 7=1", "5 2=1 3=0 4=1 5=1 6=1 7=7", "5 2=5 3=0 4=1 5=1 6=1 7=1",
             "8 3=3 4=1 5=t(1m#1)", "8 3=3 4=3 5=t(1m#1) 6=3", "8 3=3 4=5 5=t(3m#1) 6=t(1m#1) 7=144",
             "10 2=0 7=15", "10 2=0 3:i32=5 7=1 8=144",
             "15 2=0 3=1 4=9", "15 2=0 3=1 4=2 6=[t(1f),144]", "15 2=1 3=1 6=144",
         }) {
        Feed(line);
        EXPECT_EQ(before, TableSnapshot(m)) << line;
    }
}

// The dealer is dealt fourteen tiles and holds them all; a draw beside a full hand is no tile of it.
TEST_F(NetRecords, TheDealersFourteenTilesAreTakenAndADrawBesideThemIgnored)
{
    CMj &m = Make();
    m.NetStart();
    Feed("9 3=1 4=0 6=1");
    Feed("1 3=14 4=[t(1m#0),t(2m#0),t(3m#0),t(4m#0),t(5m#0),t(6m#0),t(7m#0),t(8m#0),t(9m#0),t(1p#0),t(2p#0),t(3p#0),"
         "t(4p#0),t(5p#0)]");
    CMjPlayer &me = m.player[0];
    ASSERT_EQ(me.cardnum, 14);
    EXPECT_TRUE(IsSameMj(me.Mj[13], MakeMj(5, 2)));
    const std::string before = TableSnapshot(m);
    Feed("2 3=t(9s#0)");
    EXPECT_EQ(TableSnapshot(m), before);
    EXPECT_EQ(me.drawflag, 0);
}

// Every seat that pressed start is unmarked once the hand's result comes, ready for the next one.
TEST_F(NetRecords, TheHandsResultClearsEverySeatsStartedMark)
{
    CMj &m = MidHand();
    Feed("14 3=1 4=1 5=1 6=1");
    ASSERT_TRUE(std::all_of(m.player, m.player + 4, [](const CMjPlayer &p) { return p.started; }));
    Feed("10 2=1 3=0");
    EXPECT_TRUE(std::none_of(m.player, m.player + 4, [](const CMjPlayer &p) { return p.started; }));
}

// A seat with a chow of 2-3-4 characters and a pung of 2s adds the fourth 2: the pung grows.
TEST_F(NetRecords, AnAddedKongGrowsThePungNeverAChowStartingWithTheSameTile)
{
    CMj &m = Make();
    m.NetStart();
    for (const char *line : {"9 3=1 4=0 6=1", "3 3=0 4=t(2m#1)", "8 3=2 4=5 5=t(2m#1) 6=t(3m#1) 7=t(4m#1)",
                             "3 3=2 4=t(9s#0)", "3 3=3 4=t(2m#2)", "8 3=2 4=2 5=t(2m#2)", "3 3=2 4=t(9s#1)", "7 3=2",
                             "8 3=2 4=3 5=t(2m#3) 6=2"})
        Feed(line);
    const CMjPlayer &p = m.player[1];
    ASSERT_EQ(p.getnum, 2);
    EXPECT_EQ(p.getmj[0].kind, GETMJ_CHI);
    EXPECT_EQ(p.getmj[0].count, 3);
    EXPECT_EQ(p.getmj[1].kind, GETMJ_GANG);
    EXPECT_EQ(p.getmj[1].count, 4);
    EXPECT_TRUE(IsSameMj(p.getmj[1].tiles[3], MakeMj(2, 0)));
}

// The local seat pays on its own turn: when another seat wins on its discard, the hand already gave
// that tile up as it was sent, and keeps a second copy of it; a tile robbed from its kong leaves.
TEST_F(NetRecords, PayingOnTheOwnTurnTakesFromTheHandOnlyAKongsRobbedTile)
{
    const MjTile five = MakeMj(5, 0);
    auto start = [&] {
        Make().NetStart();
        for (const char *line : {"9 3=1 4=0 6=1", "5 2=1 3=0 4=1 5=2 6=3 7=4",
                                 "1 3=13 4=[t(1m#0),t(2m#0),t(3m#0),t(5m#0),t(5m#1),t(6m#0),t(7m#0),t(8m#0),t(1p#0),"
                                 "t(2p#0),t(3p#0),t(4p#0),t(5p#0)]"})
            Feed(line);
        return std::ref(mj->player[0]);
    };
    // The local seat's discard, as a click sends it, and the server's echo.
    auto discard = [&](MjTile tile, const char *echo) {
        CMjPlayer &me = mj->player[0];
        me.hoverindex = static_cast<int32_t>(std::find_if(me.Mj, me.Mj + me.cardnum, [&](MjTile t) {
                                                  return IsSameMj(t, tile);
                                              }) - me.Mj);
        mj->NetGiveCard();
        Feed(echo);
    };

    CMjPlayer &me = start();
    Feed("2 3=t(9p#1)");
    Feed("6 2=0");
    discard(five, "3 3=1 4=t(5m#0)");
    ASSERT_EQ(me.cardnum, 13);
    Feed("8 3=2 4=4 5=t(5m#0) 6=2");
    EXPECT_EQ(me.cardnum, 13);
    EXPECT_EQ(me.GetMjCount(five), 1) << "the second copy stays";
    EXPECT_EQ(mj->player[1].payseat, 0);

    // A pung of fives, the fourth five drawn and added to it, and robbed.
    CMjPlayer &robbed = start();
    for (const char *line : {"7 3=0", "3 3=0 4=t(5m#2)", "8 3=1 4=2 5=t(5m#2)"})
        Feed(line);
    discard(MakeMj(5, 2), "3 3=1 4=t(5p#0)");
    for (const char *line : {"7 3=2", "3 3=2 4=t(9s#0)", "2 3=t(5m#3)", "6 2=0"})
        Feed(line);
    ASSERT_EQ(robbed.cardnum + robbed.drawflag, 11);
    Feed("8 3=2 4=4 5=t(5m#3) 6=2");
    EXPECT_EQ(robbed.cardnum + robbed.drawflag, 10) << "the robbed tile left";
    EXPECT_EQ(robbed.GetMjCount(five) + IsSameMj(robbed.drawmj, five) * robbed.drawflag, 0);
}

} // namespace
