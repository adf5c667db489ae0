#pragma once
#include "platform/FrameSink.h"
#include "platform/QuitRequest.h"
#include "screen/Device.h"
#include "screen/SurfaceCache.h"
#include "tests/kit/FakeScreen.h"

#include <gtest/gtest.h>
#include <memory>

// Gives the device a fresh 800 x 600 frame and counts requests to quit; puts the globals back after.
class ScreenTest : public testing::Test {
protected:
    void SetUp() override
    {
        QuitRequest::SetHandler([this] { ++quits; });
        // Entries made by a test point at its own slots, which die with it.
        tableSize = surfacenum;
        lpDDSBack = std::make_unique<Surface>(kFrameWidth, kFrameHeight);
        colorkey = {0xF81F, 0xF81F};
    }
    void TearDown() override
    {
        QuitRequest::SetHandler(nullptr);
        surfacenum = tableSize;
        lpDDSBack.reset();
        lpDDSSame.reset();
        lpDD = lpDDSPrimary = hMainWnd = nullptr;
        fullscreen = 0;
    }

    int quits = 0;
    int tableSize = 0;
};
