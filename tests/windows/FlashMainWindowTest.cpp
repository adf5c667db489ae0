#include "platform/WindowAlert.h"
#include "tests/screen/ScreenFixture.h"
#include "windows/FlashMainWindow.h"

namespace {

TEST(FlashMainWindow, CallsTheUserBackOnlyWhenTheProgramIsNotInFront)
{
    FakeScreen window;
    bool inFront = true;
    int alerts = 0;
    SetWindowAlertHandlers([&](const FrameSink *w) { return w == &window && inFront; },
                           [&](FrameSink *w) { alerts += w == &window; });
    FlashMainWindow(&window);
    EXPECT_EQ(alerts, 0);
    inFront = false; // inactive, or minimised
    FlashMainWindow(&window);
    EXPECT_EQ(alerts, 1);
    FlashMainWindow(nullptr);
    EXPECT_EQ(alerts, 1);
    SetWindowAlertHandlers(nullptr, nullptr);
}

} // namespace
