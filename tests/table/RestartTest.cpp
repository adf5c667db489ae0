#include "tests/kit/TableAudit.h"
#include "tests/table/HandFixture.h"

#include <functional>

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
};

// Each case leaves a step of the last hand on its timer, then a new game or the next hand begins.
TEST_F(Restart, AStepPendingFromTheLastHandNeverRunsInTheNewOne)
{
    const struct {
        const char *pending;
        unsigned timer;
        bool newGame;
        std::function<void()> leave;
    } cases[] = {
        {"a robot thinking on its draw", TIMER_ROBOT, true, [this] { Draws(1, "1m"); }},
        {"the pause after a flower", TIMER_FLOWERPAUSE, false, [this] { Draws(1, "1f"); }},
        {"a claims round nobody answers", TIMER_CLAIMS, false, [this] { RobotDiscards(3, "9p"); }},
        {"a robot's pung", TIMER_PENG, false,
         [this] {
             Hand(2, "55p19m19s1234567z");
             mj->player[2].defaultplan = 1; // claims every pung
             RobotDiscards(3, "5p");
             clock.Advance(mj->robotpace);
         }},
        {"a ready player's held-up draw", TIMER_READYDRAW, true,
         [this] {
             mj->SetAnimateOn(true);
             Hand(0, "123m456m789m111s5p");
             mj->player[0].ting = 1;
             Draws(0, "9p");
             while (!clock.IsRunning(TIMER_READYDRAW)) // the tile flies from the wall first
                 ASSERT_TRUE(clock.Step());
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pending);
        CMj &m = Table();
        c.leave();
        ASSERT_TRUE(clock.IsRunning(c.timer));
        if (c.newGame)
            m.NewLocalGame();
        else
            m.NextHand();
        ExpectCleanFirstTurn();
        EXPECT_EQ(m.player[2].getnum, 0);
    }
}

TEST_F(Restart, TheFirstThrowOfANewGameRestsItsFullSecondAndALeftPromptOrAResetLocksNothing)
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

    // A claim prompt left up does not lock the next hand.
    CMj &n = Table();
    Hand(0, "55p13m1234567z12345z");
    RobotDiscards(3, "5p");
    ASSERT_TRUE(n.buttons.shown);
    n.banker = 0;
    n.NextHand();
    ExpectCleanFirstTurn();
    // The dealer's first discard goes through.
    CMjPlayer &me = n.player[0];
    ASSERT_TRUE(me.drawflag);
    me.hoverindex = me.cardnum;
    n.PlayHighlighted();
    EXPECT_FALSE(me.drawflag);
    EXPECT_EQ(me.cardnum, 13);

    // A reset table is quiet and shows no prompt.
    CMj &q = Table();
    Hand(0, "55p13m1234567z12345z");
    Hand(2, "55p19m19s1234567z");
    RobotDiscards(3, "5p"); // seat 2 may pung (after a while), seat 0 is asked
    ASSERT_TRUE(q.buttons.shown);
    q.ResetTable();
    EXPECT_FALSE(q.buttons.shown);
    EXPECT_FALSE(q.claimbuttonsup);
    int taken = q.mjindex;
    clock.Advance(10000);
    EXPECT_EQ(q.mjindex, taken);
    for (const CMjPlayer &p : q.player)
        EXPECT_EQ(p.cardnum + p.getnum, 0);
}

} // namespace
