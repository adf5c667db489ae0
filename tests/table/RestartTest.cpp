#include "tests/kit/TableAudit.h"
#include "tests/table/HandFixture.h"

namespace {

// A new game or a new hand begun while the last hand still had a step coming: nothing of the old
// hand may run into the new one.
class Restart : public HandFixture {
protected:
    // The new hand's deal runs on its own timers to the dealer's first turn, with a sound table.
    void ExpectCleanFirstTurn()
    {
        CMj &m = *mj;
        int dealer = m.banker;
        RunToFirstTurn();
        EXPECT_EQ(m.curplayer, dealer);
        EXPECT_EQ(m.banker, dealer);
        std::vector<std::string> broken = TableAudit(4000).Check(m);
        EXPECT_TRUE(broken.empty()) << broken[0];
    }

    // Seat 1 has drawn and thinks on its timer.
    void RobotThinking()
    {
        CMj &m = *mj;
        m.curplayer = 1;
        m.wallmj[61] = 0; // 1m
        m.DrawTile(false);
        ASSERT_TRUE(clock.IsRunning(TIMER_ROBOT));
    }
};

TEST_F(Restart, ARobotTurnPendingAtANewGameNeverRuns)
{
    CMj &m = Table();
    RobotThinking();
    m.NewLocalGame();
    ExpectCleanFirstTurn();
}

TEST_F(Restart, AFlowerPausePendingAtTheNextHandDoesNotEndIt)
{
    CMj &m = Table();
    m.curplayer = 1;
    m.wallmj[61] = 136; // a flower: its replacement comes after the pause
    m.DrawTile(false);
    ASSERT_TRUE(clock.IsRunning(TIMER_FLOWERPAUSE));
    m.NextHand();
    ExpectCleanFirstTurn();
}

TEST_F(Restart, AClaimsRoundPendingAtTheNextHandNeverRuns)
{
    CMj &m = Table();
    RobotDiscards(3, "9p"); // nobody wants it
    ASSERT_TRUE(clock.IsRunning(TIMER_CLAIMS));
    m.NextHand();
    ExpectCleanFirstTurn();
}

TEST_F(Restart, ARobotsPendingPungNeverReachesTheNextHand)
{
    CMj &m = Table();
    Hand(2, "55p19m19s1234567z");
    m.player[2].defaultplan = 1; // claims every pung
    RobotDiscards(3, "5p");
    clock.Advance(m.robotpace);
    ASSERT_TRUE(clock.IsRunning(TIMER_PENG));
    m.NextHand();
    ExpectCleanFirstTurn();
    EXPECT_EQ(m.player[2].getnum, 0);
}

TEST_F(Restart, AReadyPlayersHeldUpDrawDoesNotLandInANewGame)
{
    CMj &m = Table();
    m.SetAnimateOn(true);
    Hand(0, "123m456m789m111s5p");
    m.player[0].ting = 1;
    m.wallmj[61] = 80; // 9p
    m.DrawTile(false);
    // The tile flies from the wall first, then it is held up.
    while (!clock.IsRunning(TIMER_READYDRAW))
        ASSERT_TRUE(clock.Step());
    m.NewLocalGame();
    ExpectCleanFirstTurn();
}

TEST_F(Restart, TheFirstThrowOfANewGameRestsItsFullSecond)
{
    CMj &m = Make();
    m.NewLocalGame();
    while (!clock.IsRunning(TIMER_DICE))
        ASSERT_TRUE(clock.Step());
    clock.Advance(995); // the old first throw is about to end
    m.NewLocalGame();
    clock.Advance(500);
    EXPECT_EQ(m.dicepass, 0) << "the new game's first throw was cut short";
    ExpectCleanFirstTurn();
}

TEST_F(Restart, AClaimPromptLeftUpDoesNotLockTheNewHand)
{
    CMj &m = Table();
    Hand(0, "55p13m1234567z12345z");
    RobotDiscards(3, "5p");
    ASSERT_TRUE(m.buttons.shown);
    m.banker = 0;
    m.NextHand();
    ExpectCleanFirstTurn();
    // The dealer's first discard goes through.
    CMjPlayer &me = m.player[0];
    ASSERT_TRUE(me.drawflag);
    me.hoverindex = me.cardnum;
    m.PlayHighlighted();
    EXPECT_FALSE(me.drawflag);
    EXPECT_EQ(me.cardnum, 13);
}

TEST_F(Restart, AResetTableIsQuietAndShowsNoPrompt)
{
    CMj &m = Table();
    Hand(0, "55p13m1234567z12345z");
    Hand(2, "55p19m19s1234567z");
    RobotDiscards(3, "5p"); // seat 2 may pung (after a while), seat 0 is asked
    ASSERT_TRUE(m.buttons.shown);
    m.ResetTable();
    EXPECT_FALSE(m.buttons.shown);
    EXPECT_FALSE(m.claimbuttonsup);
    int taken = m.mjindex;
    clock.Advance(10000);
    EXPECT_EQ(m.mjindex, taken);
    for (const CMjPlayer &p : m.player) {
        EXPECT_EQ(p.cardnum, 0);
        EXPECT_EQ(p.getnum, 0);
    }
}

} // namespace
