#pragma once
#include "platform/FrameSink.h"
#include "platform/QuitRequest.h"
#include "screen/Device.h"
#include "screen/SurfaceCache.h"
#include "tests/kit/FakeScreen.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Gives the device a fresh 800 x 600 frame and counts requests to quit; puts the globals back after.
class ScreenTest : public testing::Test {
protected:
    void SetUp() override
    {
        QuitRequest::SetHandler([this](const std::string &why) {
            ++quits;
            if (!why.empty())
                told.push_back(why);
        });
        // Entries made by a test point at its own slots, which die with it.
        tableSize = surfacenum;
        lpDDSBack = std::make_unique<Surface>(kFrameWidth, kFrameHeight);
        colorkey = {0xF81F, 0xF81F};
    }
    void TearDown() override
    {
        QuitRequest::SetHandler(nullptr);
        hResModule.Free();
        surfacenum = tableSize;
        lpDDSBack.reset();
        lpDDSSame.reset();
        lpDD = lpDDSPrimary = hMainWnd = nullptr;
        fullscreen = 0;
    }

    int quits = 0;
    // What the failures among the quits say in their box.
    std::vector<std::string> told;
    int tableSize = 0;
};
