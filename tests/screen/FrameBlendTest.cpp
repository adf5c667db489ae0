#include "screen/FrameBlend.h"
#include "tests/screen/ScreenFixture.h"

namespace {

class FrameBlendTest : public ScreenTest {};

// Blue channel 31, red 0; the frame holds the opposite.
constexpr uint16_t kBlue = 0x001F;
constexpr uint16_t kRed = 0xF800;

TEST_F(FrameBlendTest, AlphaZeroLeavesTheFrameHalfMixesAndFullStopsOneStepShortGoingUp)
{
    Surface src(4, 4);
    src.Fill(src.Bounds(), kBlue);
    lpDDSBack->Fill(lpDDSBack->Bounds(), kRed);
    GAlphaBlend(&src, 10, 10, 0, 0, 4, 4, 0);
    EXPECT_EQ(kRed, lpDDSBack->Pixel(10, 10));
    GAlphaBlend(&src, 10, 10, 0, 0, 4, 4, 255);
    // Blue rises 0 -> 30, red falls 31 -> 0.
    EXPECT_EQ(30u, lpDDSBack->Pixel(13, 13));
    EXPECT_EQ(kRed, lpDDSBack->Pixel(14, 14));
    // Half alpha mixes each channel.
    src.SetPixel(0, 0, 0xFFFF);
    lpDDSBack->Fill(lpDDSBack->Bounds(), 0);
    GAlphaBlend(&src, 0, 0, 0, 0, 1, 1, 128);
    // 0 + (31 * 128 >> 8) = 15; green 63 * 128 >> 8 = 31.
    EXPECT_EQ(static_cast<uint32_t>(15 << 11 | 31 << 5 | 15), lpDDSBack->Pixel(0, 0));
}

TEST_F(FrameBlendTest, KeyedPixelsAreNeverWritten)
{
    Surface src(2, 1);
    src.SetPixel(0, 0, 0xF81F);
    src.SetPixel(1, 0, kBlue);
    GAlphaBlend(&src, 0, 0, 0, 0, 2, 1, 255);
    GreyBlit(&src, 0, 1, 0, 0, 2, 1);
    EXPECT_EQ(0u, lpDDSBack->Pixel(0, 0));
    EXPECT_EQ(0u, lpDDSBack->Pixel(0, 1));
    EXPECT_NE(0u, lpDDSBack->Pixel(1, 0));
    EXPECT_EQ(Rgb565ToGrey(kBlue), lpDDSBack->Pixel(1, 1));
}

TEST_F(FrameBlendTest, RowsFollowEachSurfacesPitch)
{
    // A pitch of more than twice the width: rows addressed by width would land in the wrong place.
    Surface src(3, 3, kRgb565, 64);
    for (int y = 0; y < 3; ++y)
        src.SetPixel(2, y, static_cast<uint16_t>(0xFFFF));
    GreyBlit(&src, 100, 200, 0, 0, 3, 3);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(0xFFDFu, lpDDSBack->Pixel(102, 200 + y));
        EXPECT_EQ(0u, lpDDSBack->Pixel(101, 200 + y));
    }
}

TEST_F(FrameBlendTest, GreyValuesWeighBlueSixAndGreenOne)
{
    EXPECT_EQ(0xFFDF, Rgb565ToGrey(0xFFFF));
    EXPECT_EQ(18 | 18 << 6 | 18 << 11, Rgb565ToGrey(0x001F));
    EXPECT_EQ(3 | 3 << 6 | 3 << 11, Rgb565ToGrey(0x07E0));
    EXPECT_EQ(9 | 9 << 6 | 9 << 11, Rgb565ToGrey(0xF800));
}

TEST_F(FrameBlendTest, PicturesLargerThanTheFrameOrBeyondItsEdgeAreClipped)
{
    // A dim bigger than the frame, and rectangles reaching outside the source and the frame.
    Surface big(900, 700);
    big.Fill(big.Bounds(), 0xFFFF);
    GAlphaBlend(&big, -50, -50, 0, 0, 900, 700, 255);
    EXPECT_NE(0u, lpDDSBack->Pixel(0, 0));
    EXPECT_NE(0u, lpDDSBack->Pixel(799, 599));
    lpDDSBack->Fill(lpDDSBack->Bounds(), 0);
    Surface small(10, 10);
    small.Fill(small.Bounds(), 0xFFFF);
    GreyBlit(&small, 795, 595, 0, 0, 20, 20);
    EXPECT_EQ(0xFFDFu, lpDDSBack->Pixel(799, 599));
    EXPECT_EQ(0u, lpDDSBack->Pixel(794, 594));
    // A rectangle starting left of the source draws its inside part where it would have landed.
    GreyBlit(&small, 0, 0, -5, -5, 5, 5);
    EXPECT_EQ(0xFFDFu, lpDDSBack->Pixel(5, 5));
    EXPECT_EQ(0u, lpDDSBack->Pixel(4, 4));
    GreyBlit(&small, 0, 0, 10, 10, 30, 30);
    GAlphaBlend(&small, 900, 0, 0, 0, 10, 10, 255);
    EXPECT_EQ(0u, lpDDSBack->Pixel(0, 0));
}

TEST_F(FrameBlendTest, LockedFrameOrEmptySourceDrawsNothing)
{
    Surface src(1, 1);
    src.SetPixel(0, 0, 0xFFFF);
    uint8_t *held = lpDDSBack->Lock();
    ASSERT_NE(nullptr, held);
    GAlphaBlend(&src, 0, 0, 0, 0, 1, 1, 255);
    EXPECT_FALSE(src.Locked());
    lpDDSBack->Unlock();
    EXPECT_EQ(0u, lpDDSBack->Pixel(0, 0));
    GAlphaBlend(nullptr, 0, 0, 0, 0, 1, 1, 255);
    GreyBlit(nullptr, 0, 0, 0, 0, 1, 1);
    EXPECT_FALSE(lpDDSBack->Locked());
}

} // namespace
