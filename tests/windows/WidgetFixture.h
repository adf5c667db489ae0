#pragma once
#include "platform/Beep.h"
#include "screen/CDxSound.h"
#include "screen/SurfaceCache.h"
#include "tests/screen/ScreenFixture.h"
#include "tests/support/ScratchFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Widgets loaded from the generated pictures and drawn into a fresh frame of one plain colour, with
// every sound and beep they make recorded. A picture that cannot be loaded fails the test.
class WidgetTest : public ScreenTest {
protected:
    static constexpr uint16_t kBackground = 0x2104;

    void SetUp() override
    {
        ScreenTest::SetUp();
        const char *env = std::getenv("LANTILE_DATA");
        ASSERT_NE(env, nullptr);
        // The widgets' own sounds only: the player loads the rest (the voices) for nothing.
        const std::filesystem::path data(env);
        std::filesystem::create_directory_symlink(data / "Graphic", program_.Path() / "Graphic");
        std::filesystem::create_directories(program_.Path() / "Wave");
        for (const char *wave : {"move.wav", "check.wav"})
            std::filesystem::create_symlink(data / "Wave" / wave, program_.Path() / "Wave" / wave);
        sound_ = std::make_unique<CDxSound>();
        dxsound = sound_.get();
        CDxSound::SetPlayHook([this](std::string_view file) { sounds.emplace_back(file); });
        SetBeepHandler([this] { ++beeps; });
        lpDDSBack->Fill(lpDDSBack->Bounds(), kBackground);
    }

    void TearDown() override
    {
        EXPECT_EQ(quits, 0) << "a picture is missing";
        SetBeepHandler(nullptr);
        CDxSound::SetPlayHook(nullptr);
        dxsound = nullptr;
        sound_.reset();
        ScreenTest::TearDown();
    }

    int Heard(std::string_view file) const { return static_cast<int>(std::count(sounds.begin(), sounds.end(), file)); }

    // A generated picture as the widgets hold it (RGB565).
    static std::unique_ptr<Surface> Load(std::string_view path)
    {
        SurfaceSlot slot;
        Rect rect;
        GLoadSurface(path, slot, rect, false);
        return slot;
    }

    // How many pixels of the frame at (x, y) differ from cell of the picture: keyed pixels must
    // show what the frame held before (before), every other pixel the picture's own.
    static int CellMismatches(const Surface &picture, Rect cell, int x, int y, const Surface &before, bool keyed = true)
    {
        int wrong = 0;
        for (int j = 0; j < cell.Height(); ++j)
            for (int i = 0; i < cell.Width(); ++i) {
                uint32_t own = picture.Pixel(cell.left + i, cell.top + j);
                uint32_t want = keyed && own == 0xF81F ? before.Pixel(x + i, y + j) : own;
                wrong += lpDDSBack->Pixel(x + i, y + j) != want;
            }
        return wrong;
    }

    // Calls each(was, now) for every pixel of the frame inside r that differs from the surface given.
    template <class Each> static void EachChanged(const Surface &before, Rect r, Each each)
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (uint32_t was = before.Pixel(x, y), now = lpDDSBack->Pixel(x, y); now != was)
                    each(was, now, x, y);
    }

    // Pixels of the frame inside r that differ from the surface given.
    static int Changed(const Surface &before, Rect r)
    {
        int changed = 0;
        EachChanged(before, r, [&](uint32_t, uint32_t, int, int) { ++changed; });
        return changed;
    }

    // The smallest rectangle around the pixels of the frame that differ from the surface given.
    static Rect Extent(const Surface &before)
    {
        Rect r{800, 600, -1, -1};
        EachChanged(before, before.Bounds(), [&](uint32_t, uint32_t, int x, int y) {
            r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
        });
        return r;
    }

    // Pure white pixels of the frame inside r.
    static int Whites(Rect r)
    {
        int whites = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                whites += lpDDSBack->Pixel(x, y) == 0xFFFF;
        return whites;
    }

    static std::unique_ptr<Surface> Snapshot() { return std::make_unique<Surface>(*lpDDSBack); }

    std::vector<std::string> sounds;
    int beeps = 0;

private:
    ScratchFolder program_;
    std::unique_ptr<CDxSound> sound_;
};
