#include "platform/SurfaceText.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The columns and rows that text touched.
Rect Inked(const Surface &s, uint32_t background)
{
    Rect ink{s.Width(), s.Height(), 0, 0};
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) != background) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    return ink;
}

TEST(SurfaceText, TransparentTextTouchesOnlyItsGlyphsInsideTheBoxAndOpaqueTextFillsBehind)
{
    Surface s(200, 40);
    s.Fill(s.Bounds(), 0x001F);
    DrawSurfaceText(s, "Player", {10, 5, 100, 25}, TextLeft, {});
    Rect ink = Inked(s, 0x001F);
    EXPECT_FALSE(ink.Empty());
    EXPECT_EQ(ink, Intersect(ink, {10, 5, 100, 25}));

    Surface opaque(200, 40);
    TextStyle style;
    style.opaque = true;
    style.background = 0xFF0000;
    DrawSurfaceText(opaque, "i", {0, 0, 100, 30}, TextLeft, style);
    Rect measured = MeasureSurfaceText("i", {0, 0, 100, 30}, TextLeft, TextFont::Arial12);
    EXPECT_EQ(0xF800u, opaque.Pixel(0, measured.bottom - 1));
    EXPECT_EQ(0u, opaque.Pixel(measured.right + 1, 0));
}

TEST(SurfaceText, CentredAndRightTextSitWhereMeasuringSays)
{
    Rect box{0, 0, 200, 20};
    Rect size = MeasureSurfaceText("Score 1200", box, TextLeft, TextFont::Arial12);
    ASSERT_GT(size.Width(), 20);
    Surface centred(200, 20);
    DrawSurfaceText(centred, "Score 1200", box, TextCentre, {});
    Rect ink = Inked(centred, 0);
    int expectedLeft = (200 - size.Width()) / 2;
    EXPECT_NEAR(expectedLeft, ink.left, 2);
    Surface right(200, 20);
    DrawSurfaceText(right, "Score 1200", box, TextRight, {});
    EXPECT_NEAR(200, Inked(right, 0).right, 2);
}

TEST(SurfaceText, WordBreakWrapsLongLinesAndMeasuringAgrees)
{
    std::string text = "the quick brown fox jumps over the lazy dog";
    Rect one = MeasureSurfaceText("dog", {0, 0, 60, 0}, TextWordBreak, TextFont::Arial12);
    Rect all = MeasureSurfaceText(text, {0, 0, 60, 0}, TextWordBreak, TextFont::Arial12);
    EXPECT_GE(all.Height(), 3 * one.Height());
    EXPECT_LE(all.Width(), 60);
    Surface s(60, 200);
    DrawSurfaceText(s, text, {0, 0, 60, 200}, TextWordBreak, {});
    Rect ink = Inked(s, 0);
    EXPECT_LE(ink.bottom, all.bottom);
    EXPECT_GT(ink.bottom, all.bottom - one.Height());
    // Without the flag a line stays one line.
    EXPECT_EQ(one.Height(), MeasureSurfaceText(text, {0, 0, 60, 0}, TextLeft, TextFont::Arial12).Height());
    EXPECT_EQ(2 * one.Height(), MeasureSurfaceText("a\r\nb", {0, 0, 60, 0}, TextLeft, TextFont::Arial12).Height());
}

TEST(SurfaceText, HeadingFontIsLargerTextOutIsNotClippedAndChineseHasAFallbackFont)
{
    Rect normal = MeasureSurfaceText("Options", {0, 0, 200, 0}, TextLeft, TextFont::Arial12);
    Rect heading = MeasureSurfaceText("Options", {0, 0, 200, 0}, TextLeft, TextFont::Arial14Bold);
    EXPECT_GT(heading.Width(), normal.Width());
    EXPECT_GT(MeasureSurfaceText("Options", {0, 0, 200, 0}, TextLeft, TextFont::IconTitle).Width(), 0);
    Surface s(100, 30);
    SurfaceTextOut(s, 90, 5, "1200", {});
    Rect ink = Inked(s, 0);
    EXPECT_GE(ink.left, 90);
    EXPECT_EQ(100, ink.right);
    // Chinese text is drawn from the fallback font.
    Surface chinese(100, 30);
    DrawSurfaceText(chinese, "玩家", {0, 0, 100, 30}, TextLeft, {});
    EXPECT_GT(Inked(chinese, 0).Width(), 12);
    EXPECT_NEAR(24, MeasureSurfaceText("玩家", {0, 0, 100, 30}, TextLeft, TextFont::Arial12).Width(), 3);
}

} // namespace
