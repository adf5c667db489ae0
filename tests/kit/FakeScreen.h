#pragma once
#include "platform/FrameSink.h"

#include <memory>
#include <vector>

// A screen that counts and keeps what it was shown, and can lose its surface: once (loseNext) or
// every time (loseAlways).
class FakeScreen : public FrameSink {
public:
    explicit FakeScreen(PixelFormat format = kRgb565, int width = 1024) : format_(format), width_(width) {}

    PixelFormat ScreenFormat() const override { return format_; }
    int ScreenWidth() const override { return width_; }
    int ScreenHeight() const override { return 768; }
    DrawResult Present(const Surface &frame) override
    {
        ++presents;
        if (loseNext || loseAlways) {
            loseNext = false;
            ++lost;
            return DrawResult::Lost;
        }
        if (!keepFrames)
            return DrawResult::Ok;
        // Long runs keep only the latest frames, reusing the oldest one's memory.
        if (keep > 0 && shown.size() >= keep) {
            std::unique_ptr<Surface> oldest = std::move(shown.front());
            shown.erase(shown.begin());
            *oldest = frame;
            shown.push_back(std::move(oldest));
        } else {
            shown.push_back(std::make_unique<Surface>(frame));
        }
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
    bool keepFrames = true; // false only counts them
    size_t keep = 0;        // 0 keeps every frame
    bool loseNext = false;
    bool loseAlways = false;
    int presents = 0;
    int lost = 0;
    int restores = 0;
    bool fullScreen = false;
    bool caption = true;

private:
    PixelFormat format_;
    int width_;
};
