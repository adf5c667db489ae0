#pragma once
#include "platform/QuitRequest.h"
#include "platform/Random.h"
#include "platform/TestClock.h"
#include "table/CMj.h"
#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <numeric>

// Tiles taken from the wall, counted on its stacks.
inline int TilesTaken(const CMj &m)
{
    int left = std::accumulate(std::begin(m.wallstack), std::end(m.wallstack), 0);
    return 2 * 72 - left;
}

// A game object in a scratch program folder that holds the generated pictures, on a test clock,
// with a fixed random sequence. A picture the game cannot load fails the test.
class TableFixture : public testing::Test {
protected:
    void SetUp() override
    {
        if (const char *data = std::getenv("LANTILE_DATA"))
            std::filesystem::create_directory_symlink(std::filesystem::path(data) / "Graphic", folder.Path() / "Graphic");
        QuitRequest::SetHandler([](const std::string &) { ADD_FAILURE() << "the game asked to quit: a picture is missing"; });
        TimerService::Install(&clock);
        Random::Pin(1234);
    }
    void TearDown() override
    {
        mj.reset();
        // Online play leaves the lobby or an overlay up; the next test starts at the table.
        curscreen = SCREEN_NONE;
        showmsgon = invitemsgon = infoformon = 0;
        TimerService::Install(nullptr);
        Random::Unpin();
        QuitRequest::SetHandler(nullptr);
    }
    // A new game object; the one before ends first.
    CMj &Make()
    {
        mj.reset();
        mj = std::make_unique<CMj>();
        return *mj;
    }

    // Ticks the clock until the dealer holds the turn; every tick must keep the wall and mjindex in
    // step, and the hand in play.
    void RunToFirstTurn()
    {
        for (int ticks = 0; mj->curplayer < 0; ticks++) {
            ASSERT_LT(ticks, 100000) << "the deal never reached the dealer's turn";
            ASSERT_TRUE(clock.Step());
            ASSERT_EQ(TilesTaken(*mj), mj->mjindex + 1) << "at tick " << ticks;
            ASSERT_EQ(mj->gamestatus, 1) << "the hand ended during its deal, at tick " << ticks;
        }
    }

    ScratchFolder folder;
    TestClock clock;
    std::unique_ptr<CMj> mj;
};
