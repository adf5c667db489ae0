#pragma once
#include "platform/QuitRequest.h"
#include "platform/Random.h"
#include "platform/TestClock.h"
#include "screen/Device.h"
#include "screen/SurfaceCache.h"
#include "table/CMj.h"
#include "tests/kit/FakeScreen.h"
#include "tests/kit/TableDriver.h"
#include "tests/support/ScratchFolder.h"
#include "windows/CBitForm.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

// The cell of a tile's face on a sheet of 43.
inline int FaceCell(MjTile tile)
{
    const int bases[5] = {0, 9, 18, 27, 34};
    return bases[tile.suit] + tile.value - 1;
}

// Cell n of a sheet of 43, cut short by the bottom `cut` rows.
inline Rect SheetCell(const Sprite &sheet, int n, int cut = 0)
{
    const int w = sheet.rect.Width() / 43;
    return {n * w, 0, (n + 1) * w, sheet.rect.Height() - cut};
}

// A game on a test clock whose renderer shows its frames on a FakeScreen, with the generated
// pictures; a picture the game cannot load fails the test.
class TableScreen : public testing::Test {
protected:
    void SetUp() override
    {
        const char *data = std::getenv("LANTILE_DATA");
        if (!data)
            GTEST_SKIP() << "LANTILE_DATA is not set";
        TableDriver::LinkGeneratedData(folder.Path(), data);
        QuitRequest::SetHandler([](const std::string &) { ADD_FAILURE() << "the game asked to quit: a picture is missing"; });
        // A screen an earlier test of this process left up would stand over the table.
        curscreen = SCREEN_NONE;
        showmsgon = invitemsgon = infoformon = 0;
        tableSize = surfacenum;
        hMainWnd = &screen;
        TimerService::Install(&clock);
        Random::Pin(1234);
        mj = std::make_unique<CMj>();
        driver = std::make_unique<TableDriver>(*mj, clock);
    }
    void TearDown() override
    {
        driver.reset();
        mj.reset();
        surfacenum = tableSize;
        lpDDSBack.reset();
        lpDDSSame.reset();
        lpDD = lpDDSPrimary = hMainWnd = nullptr;
        TimerService::Install(nullptr);
        Random::Unpin();
        QuitRequest::SetHandler(nullptr);
    }

    const Surface &Frame() const { return *lpDDSBack; }

    ScratchFolder folder;
    FakeScreen screen;
    TestClock clock;
    int tableSize = 0;
    std::unique_ptr<CMj> mj;
    std::unique_ptr<TableDriver> driver;
};
