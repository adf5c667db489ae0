#include "platform/CMjTimer.h"
#include "platform/QtTimerService.h"
#include "platform/TestClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Ticks = std::vector<std::pair<uint64_t, unsigned>>; // (time, id)

TEST(TestClock, TicksArriveInTimeOrderAtTheirLatestIntervalsUntilStopped)
{
    TestClock clock;
    Ticks seen;
    clock.SetDispatcher([&](unsigned id) { seen.push_back({clock.Now(), id}); });
    clock.Start(1, 30);
    clock.Start(2, 20);
    clock.Advance(60);
    EXPECT_EQ(seen, (Ticks{{20, 2}, {30, 1}, {40, 2}, {60, 1}, {60, 2}}));
    seen.clear();
    clock.Stop(1);
    clock.Start(2, 100);
    clock.Advance(50);
    clock.Start(2, 30); // restarted at 110: the next tick is 30 ms from now, then every 30 ms
    clock.Advance(70);
    clock.Stop(2);
    clock.Advance(1000);
    EXPECT_EQ(seen, (Ticks{{140, 2}, {170, 2}}));
    // Short intervals run at ten milliseconds.
    seen.clear();
    clock.Start(104, 1);
    EXPECT_EQ(clock.Interval(104), 10u);
    clock.Advance(100);
    EXPECT_EQ(seen.size(), 10u);
}

TEST(TestClock, AnIdWithItsOwnHandlerBypassesTheDispatcher)
{
    TestClock clock;
    std::vector<unsigned> dispatched;
    int own = 0;
    clock.SetDispatcher([&](unsigned id) { dispatched.push_back(id); });
    clock.SetHandler(300, [&] {
        own++;
        clock.Stop(300);
        clock.SetHandler(300, nullptr); // gives the id back from inside its own tick
    });
    clock.Start(300, 50);
    clock.Start(1, 50);
    clock.Advance(100);
    EXPECT_EQ(own, 1);
    EXPECT_EQ(dispatched, (std::vector<unsigned>{1, 1}));
    clock.Start(300, 50);
    clock.Advance(50);
    EXPECT_EQ(dispatched.back(), 300u);
}

// A handler that waits for time to pass sees no tick of its own; one that stops its timer gets no more.
TEST(TestClock, TicksNeverNestAndAHandlerMayStopItsTimer)
{
    TestClock clock;
    int depth = 0, maxDepth = 0, n = 0;
    clock.SetDispatcher([&](unsigned id) {
        depth++;
        maxDepth = std::max(maxDepth, depth);
        if (n++ < 3)
            clock.Advance(50);
        else
            clock.Stop(id);
        depth--;
    });
    clock.Start(1, 10);
    clock.Advance(10);
    EXPECT_EQ(maxDepth, 1);
    clock.Advance(5000);
    EXPECT_EQ(n, 4);
    EXPECT_FALSE(clock.Step());
}

TEST(CMjTimer, StartsAndStopsThroughTheInstalledService)
{
    TestClock clock;
    TimerService::Install(&clock);
    int n = 0;
    clock.SetDispatcher([&](unsigned id) { n += id == 5 ? 1 : 100; });
    {
        CMjTimer t;
        t.id = 5;
        t.interval = 200;
        t.SetEnabled(true);
        EXPECT_TRUE(t.GetEnabled());
        clock.Advance(400);
        EXPECT_EQ(n, 2);
    } // deleting the timer kills it
    EXPECT_FALSE(clock.IsRunning(5));
    TimerService::Install(nullptr);
}

TEST(QtTimerService, RealTicksArriveThroughTheEventLoop)
{
    QtTimerService service;
    std::vector<unsigned> seen;
    service.SetDispatcher([&](unsigned id) {
        seen.push_back(id);
        if (id == 3)
            service.Stop(3); // a one-shot
    });
    service.Start(3, 20);
    service.Start(9, 15);
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    service.Stop(9);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 3u), 1);
    EXPECT_GE(std::count(seen.begin(), seen.end(), 9u), 5);
    EXPECT_FALSE(service.IsRunning(3));
}

} // namespace
