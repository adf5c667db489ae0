#include "tests/table/TableFixture.h"
#include "windows/CDxEdit.h"

namespace {

using CMjOnTimer = TableFixture;

TEST_F(CMjOnTimer, OnlyTheCaretCountdownAndLinkTimersRunAtStart)
{
    CMj &m = Make();
    for (unsigned id : {1u, 2u, 3u, 4u, 5u, 7u, 8u, 9u, 101u, 102u, 103u, 104u, 105u, 107u})
        EXPECT_FALSE(clock.IsRunning(id)) << id;
    for (unsigned id : {6u, 100u, 106u})
        EXPECT_TRUE(clock.IsRunning(id)) << id;
    EXPECT_EQ(clock.Interval(106), 120000u);
    // Avatar animations start staggered by seat.
    EXPECT_EQ(clock.Interval(11), 4500u);
    EXPECT_EQ(clock.Interval(13), 5500u);
    EXPECT_EQ(m.GetCountdown(), -1);
}

TEST_F(CMjOnTimer, TheChatInputsCaretBlinksEveryHalfSecond)
{
    CMj &m = Make();
    ASSERT_TRUE(m.chatedit->focused);
    EXPECT_EQ(m.chatedit->caret, 1);
    clock.Advance(500);
    EXPECT_EQ(m.chatedit->caret, 0);
    clock.Advance(500);
    EXPECT_EQ(m.chatedit->caret, 1);
}

TEST_F(CMjOnTimer, IdsNobodyHandlesAreStoppedAtTheirFirstTick)
{
    Make();
    for (unsigned id : {10u, 22u, 99u, 150u, 202u})
        clock.Start(id, 100);
    clock.Advance(100);
    for (unsigned id : {10u, 22u, 99u, 150u, 202u})
        EXPECT_FALSE(clock.IsRunning(id)) << id;
}

TEST_F(CMjOnTimer, DiscardCountdownPicksTheDrawnTileElseTheRightmost)
{
    CMj &m = Make();
    CMjPlayer &me = m.player[0];
    me.cardnum = 4;
    me.drawflag = 0;
    m.countdown = 2;
    m.Timer(GIVETIMER)->SetEnabled(true);
    EXPECT_EQ(m.GetCountdown(), 2);
    clock.Advance(1000);
    EXPECT_EQ(m.countdown, 1);
    EXPECT_EQ(me.hoverindex, -1);
    clock.Advance(1000);
    EXPECT_EQ(me.hoverindex, 3);
    EXPECT_FALSE(clock.IsRunning(GIVETIMER));
    EXPECT_EQ(m.GetCountdown(), -1);

    me.drawflag = 1;
    m.countdown = 1;
    m.Timer(GIVETIMER)->SetEnabled(true);
    clock.Advance(1000);
    EXPECT_EQ(me.hoverindex, 4);
}

TEST_F(CMjOnTimer, ShownCountdownRunsOnlyDuringAHandAndLeavesTheClaimAndDiscardCountdownsAlone)
{
    CMj &m = Make();
    m.showncountdown = 3;
    m.countdown = 20;
    m.gamestatus = 0;
    clock.Advance(1000);
    EXPECT_EQ(m.showncountdown, 3);
    m.gamestatus = 1;
    clock.Advance(5000);
    EXPECT_EQ(m.showncountdown, 0); // never below zero
    EXPECT_EQ(m.countdown, 20);
}

TEST_F(CMjOnTimer, LinkLabelsRotateOnlyWithThreeOrMoreAndNoScreenUp)
{
    CMj &m = Make();
    auto visible = [&] {
        std::string v;
        for (const CDxLinkLabel &l : m.linklabels)
            v += l.shown ? '1' : '0';
        return v;
    };
    for (int i = 2; i < MAX_LINKLABELS; i++)
        m.linklabels[i].shown = 0;
    m.linklabelcount = 2;
    m.OnTimer(TIMER_LINKS);
    EXPECT_EQ(visible(), "1100000000");

    // Three labels: (3 / 2) - 1 = 0, so pair 0 stays.
    m.linklabelcount = 3;
    m.OnTimer(TIMER_LINKS);
    EXPECT_EQ(m.linkpair, 0);
    EXPECT_EQ(visible(), "1100000000");

    m.linklabelcount = 6;
    m.OnTimer(TIMER_LINKS);
    EXPECT_EQ(visible(), "0011000000");
    m.OnTimer(TIMER_LINKS);
    EXPECT_EQ(visible(), "0000110000");
    m.OnTimer(TIMER_LINKS);
    EXPECT_EQ(visible(), "1100000000");

    curscreen = 5;
    m.OnTimer(TIMER_LINKS);
    EXPECT_EQ(visible(), "1100000000");
    curscreen = 0;
}

TEST_F(CMjOnTimer, AvatarAnimationAlternatesBlinkAndPause)
{
    CMj &m = Make();
    CMjPlayer &p = m.player[2];
    clock.Advance(5000); // seat 2's first tick at 5000 ms
    EXPECT_EQ(p.animation, 11);
    EXPECT_EQ(clock.Interval(12), 100u);
    p.animation = 1; // the renderer counted the frames down
    clock.Advance(100);
    EXPECT_EQ(p.animation, 0);
    EXPECT_GE(clock.Interval(12), 4000u);
    EXPECT_LT(clock.Interval(12), 6000u);
    p.animation = 5; // still being drawn: the timer waits
    clock.Advance(6000);
    EXPECT_FALSE(clock.IsRunning(12));
    // Seat 0 has no animation: its first tick stops the timer.
    EXPECT_FALSE(clock.IsRunning(10));
}

TEST_F(CMjOnTimer, SpeechAndActionIconTimersClearAfterOneTick)
{
    CMj &m = Make();
    m.player[3].action = 2;
    m.player[3].actiontimer->SetEnabled(true);
    m.player[1].speechtimer->SetEnabled(true);
    clock.Advance(10000);
    EXPECT_EQ(m.player[3].action, 0);
    EXPECT_FALSE(clock.IsRunning(21));
    EXPECT_FALSE(clock.IsRunning(15));
}

} // namespace
