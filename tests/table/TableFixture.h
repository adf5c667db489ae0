#pragma once
#include "platform/QuitRequest.h"
#include "platform/Random.h"
#include "platform/TestClock.h"
#include "table/CMj.h"
#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

// A game object in a scratch program folder that holds the generated pictures, on a test clock,
// with a fixed random sequence. A picture the game cannot load fails the test.
class TableFixture : public testing::Test {
protected:
    void SetUp() override
    {
        if (const char *data = std::getenv("LANTILE_DATA"))
            std::filesystem::create_directory_symlink(std::filesystem::path(data) / "Graphic", folder.Path() / "Graphic");
        QuitRequest::SetHandler([] { ADD_FAILURE() << "the game asked to quit: a picture is missing"; });
        TimerService::Install(&clock);
        Random::Pin(1234);
    }
    void TearDown() override
    {
        mj.reset();
        TimerService::Install(nullptr);
        Random::Unpin();
        QuitRequest::SetHandler(nullptr);
    }
    CMj &Make()
    {
        mj = std::make_unique<CMj>();
        return *mj;
    }

    ScratchFolder folder;
    TestClock clock;
    std::unique_ptr<CMj> mj;
};
