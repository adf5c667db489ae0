#include "screen/ColorTables.h"
#include "tests/screen/ScreenFixture.h"

namespace {

class ColorTablesTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        BuildColorTables();
    }
};

TEST_F(ColorTablesTest, WhiteAndRedKeepTheirLowBitsClear)
{
    EXPECT_EQ(0xF8FCF8u, rgb565to888[0xFFFF]);
    EXPECT_EQ(0xF80000u, rgb565to888[0xF800]);
    EXPECT_EQ(0x0003E0u, rgb565to555[0x07E0]);
    EXPECT_EQ(0x7FFFu, rgb565to555[0xFFFF]);
    EXPECT_EQ(0u, rgb565to888[0]);
}

TEST_F(ColorTablesTest, ThirtyTwoAndOtherSixteenBitScreensGetTheirOwnLayout)
{
    const struct {
        decltype(pixelformat) format;
        decltype(kRgb565) layout;
        uint16_t frame;
        uint32_t shown;
    } cases[] = {
        {Format32, kXrgb8888, 0xF800, 0xF80000}, // blue, green, red and a zero byte
        {Format32, kXrgb8888, 0x001F, 0x0000F8},
        {Format16, kRgb555, 0x07E0, 0x03E0}, // five, five, five
    };
    for (const auto &c : cases) {
        pixelformat = c.format;
        lpDDSBack->SetPixel(799, 599, c.frame);
        Surface same(kFrameWidth, kFrameHeight, c.layout);
        GCopySurfacePixels(&same);
        EXPECT_EQ(c.shown, same.Pixel(799, 599)) << c.frame;
    }
}

TEST_F(ColorTablesTest, TwentyFourBitScreenGetsThreeBytesAPixel)
{
    pixelformat = Format24;
    lpDDSBack->SetPixel(1, 0, 0xFFFF);
    Surface same(kFrameWidth, kFrameHeight, kRgb888);
    GCopySurfacePixels(&same);
    uint8_t *p = same.Lock();
    EXPECT_EQ(0xF8, p[3]);
    EXPECT_EQ(0xFC, p[4]);
    EXPECT_EQ(0xF8, p[5]);
    EXPECT_EQ(0, p[6]);
    same.Unlock();
}

TEST_F(ColorTablesTest, UnknownScreenOrSmallerTargetNeverOverruns)
{
    lpDDSBack->SetPixel(0, 0, 0xFFFF);
    Surface same(10, 10, kXrgb8888);
    pixelformat = FormatUnknown;
    GCopySurfacePixels(&same);
    EXPECT_EQ(0u, same.Pixel(0, 0));
    pixelformat = Format32;
    GCopySurfacePixels(&same);
    EXPECT_EQ(0xF8FCF8u, same.Pixel(0, 0));
}

} // namespace
