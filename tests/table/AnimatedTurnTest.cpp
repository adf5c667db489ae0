#include "tests/kit/LocalRobot.h"
#include "tests/kit/TableAudit.h"
#include "tests/table/TableFixture.h"

#include <chrono>

// With animation on and no screen, play runs as it does with one: the flights are stepped and
// waited for on the game's own clock, and cost the tests no time.
namespace {

using AnimatedTurn = TableFixture;

TEST_F(AnimatedTurn, FlightsAndDiceWaitOnTheGameClockAlone)
{
    CMj &game = Make();
    game.SetAnimateOn(true);
    TableAudit audit(4000);
    auto started = std::chrono::steady_clock::now();
    game.NewLocalGame();
    int flights = 0;
    for (int step = 0; step < 200000 && game.gamestatus == 1; ++step) {
        if (!LocalRobot::Act(game))
            clock.Step();
        flights += game.Timer(TIMER_FLIGHT)->GetEnabled();
        for (const std::string &rule : audit.Check(game))
            ADD_FAILURE() << rule;
    }
    auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    ASSERT_EQ(2, game.gamestatus);
    EXPECT_GT(flights, 0);
    // Every discard and payment flew in steps of 10 ms, with nobody waiting for them.
    EXPECT_GT(clock.Slept(), 1000u);
    EXPECT_LT(spent.count(), 2000);
}

} // namespace
