#pragma once
#include "platform/Random.h"
#include "platform/TestClock.h"
#include "table/CMj.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <memory>

// A game object in a scratch program folder, on a test clock, with a fixed random sequence.
class TableFixture : public testing::Test {
protected:
    void SetUp() override
    {
        TimerService::Install(&clock);
        Random::Pin(1234);
    }
    void TearDown() override
    {
        mj.reset();
        TimerService::Install(nullptr);
        Random::Unpin();
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
