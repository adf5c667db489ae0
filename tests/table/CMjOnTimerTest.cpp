#include "tests/table/TableFixture.h"
#include "windows/CDxEdit.h"

namespace {

using CMjOnTimer = TableFixture;

TEST_F(CMjOnTimer, OnlyTheCaretCountdownAndLinkTimersRunAtStartAndUnknownIdsStop)
{
    CMj &m = Make();
    for (unsigned id : {1u, 2u, 3u, 4u, 5u, 7u, 8u, 9u, 101u, 102u, 103u, 104u, 105u, 107u})
        EXPECT_FALSE(clock.IsRunning(id)) << id;
    for (unsigned id : {6u, 100u, 106u})
        EXPECT_TRUE(clock.IsRunning(id)) << id;
    EXPECT_EQ(m.GetCountdown(), -1);
    // Each of the seventeen is found by its id; an id between or past them finds none.
    for (unsigned id : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 100u, 101u, 102u, 103u, 104u, 105u, 106u, 107u})
        EXPECT_TRUE(m.Timer(id) && m.Timer(id)->id == id) << id;
    for (unsigned id : {0u, 10u, 26u, 99u, 108u, 125u, 4000000000u})
        EXPECT_EQ(m.Timer(id), nullptr) << id;

    // Ids nobody handles are stopped at their first tick.
    const unsigned unknown[] = {10u, 22u, 99u, 150u, 202u};
    for (unsigned id : unknown)
        clock.Start(id, 100);
    clock.Advance(100);
    for (unsigned id : unknown)
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

TEST_F(CMjOnTimer, ShownCountdownRunsOnlyDuringAHandAndLeavesTheOthersAloneAndIconTimersClearAfterOneTick)
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

    // The speech and action icon timers clear after one tick.
    m.player[3].action = 2;
    m.player[3].actiontimer->SetEnabled(true);
    m.player[1].speechtimer->SetEnabled(true);
    clock.Advance(10000);
    EXPECT_EQ(m.player[3].action, 0);
    EXPECT_FALSE(clock.IsRunning(21));
    EXPECT_FALSE(clock.IsRunning(15));
}

TEST_F(CMjOnTimer, LinkLabelsRotateOnlyWithThreeOrMoreAndNoScreenUp)
{
    CMj &m = Make();
    for (int i = 2; i < MAX_LINKLABELS; i++)
        m.linklabels[i].shown = 0;
    const struct {
        int count, screen;
        const char *shown;
    } ticks[] = {
        {2, 0, "1100000000"}, {3, 0, "1100000000"}, // three labels: (3 / 2) - 1 = 0, so pair 0 stays
        {6, 0, "0011000000"}, {6, 0, "0000110000"}, {6, 0, "1100000000"}, {6, 5, "1100000000"},
    };
    for (const auto &t : ticks) {
        m.linklabelcount = t.count;
        curscreen = static_cast<int8_t>(t.screen);
        m.OnTimer(TIMER_LINKS);
        std::string shown;
        for (const CDxLinkLabel &l : m.linklabels)
            shown += l.shown ? '1' : '0';
        EXPECT_EQ(shown, t.shown) << t.count << " labels, screen " << t.screen;
    }
    curscreen = 0;
}

} // namespace
