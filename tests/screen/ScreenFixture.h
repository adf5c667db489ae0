#pragma once
#include "platform/FrameSink.h"
#include "platform/QuitRequest.h"
#include "screen/Device.h"
#include "screen/SurfaceCache.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

// A screen that keeps what it was shown and can lose its surface once.
class FakeScreen : public FrameSink {
public:
    explicit FakeScreen(PixelFormat format = kRgb565, int width = 1024) : format_(format), width_(width) {}

    PixelFormat ScreenFormat() const override { return format_; }
    int ScreenWidth() const override { return width_; }
    int ScreenHeight() const override { return 768; }
    DrawResult Present(const Surface &frame) override
    {
        if (loseNext) {
            loseNext = false;
            return DrawResult::Lost;
        }
        shown.push_back(std::make_unique<Surface>(frame));
        return DrawResult::Ok;
    }
    DrawResult Restore() override
    {
        ++restores;
        return DrawResult::Ok;
    }
    void ShowFullScreen() override { fullScreen = true; }
    void ShowWindowed(bool withCaption) override
    {
        fullScreen = false;
        caption = withCaption;
    }
    bool IsFullScreen() const override { return fullScreen; }

    std::vector<std::unique_ptr<Surface>> shown;
    bool loseNext = false;
    int restores = 0;
    bool fullScreen = false;
    bool caption = true;

private:
    PixelFormat format_;
    int width_;
};

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
