#include "platform/SurfaceText.h"
#include "tests/windows/WidgetFixture.h"
#include "windows/CDxLabel.h"

namespace {

using CDxLabelTest = WidgetTest;

TEST_F(CDxLabelTest, ALabelBreaksOnlyAtLineEndsAndStaysInItsRectangle)
{
    CDxLabel label;
    label.SetRect(100, 100, 60, 40);
    label.color = 0x0000FF;
    label.text = "a long status line that runs on";
    std::unique_ptr<Surface> before = Snapshot();
    label.Draw();
    const int lineHeight = MeasureSurfaceText("a", {0, 0, 60, 0}, TextLeft, TextFont::IconTitle).Height();
    EXPECT_GT(Changed(*before, {100, 100, 160, 100 + lineHeight}), 0);
    EXPECT_EQ(Changed(*before, {100, 100 + lineHeight, 160, 140}), 0); // not wrapped
    EXPECT_EQ(Changed(*before, {160, 90, 400, 150}), 0);                // cut at the right

    label.text = "one\r\ntwo";
    *lpDDSBack = *before;
    label.Draw();
    EXPECT_GT(Changed(*before, {100, 100 + lineHeight, 160, 140}), 0);

    label.visible = 0;
    *lpDDSBack = *before;
    label.Draw();
    EXPECT_EQ(Changed(*before, lpDDSBack->Bounds()), 0);
}

} // namespace
