#include "screen/BmpReader.h"
#include "tests/screen/PictureFiles.h"

#include <gtest/gtest.h>

namespace {

Bitmap Pattern()
{
    Bitmap b = Filled(5, 3, 0xFF00FF);
    b.pixels[1] = 0xF80000;          // top row, x 1
    b.pixels[5 * 2 + 4] = 0x0000F8;  // bottom row, last pixel
    b.pixels[5 + 2] = 0x00FC00;      // middle
    return b;
}

std::vector<uint8_t> Bytes(const std::string &s)
{
    return {s.begin(), s.end()};
}

void ExpectSame(const Bitmap &expected, const std::optional<Bitmap> &read)
{
    ASSERT_TRUE(read);
    ASSERT_EQ(expected.width, read->width);
    ASSERT_EQ(expected.height, read->height);
    EXPECT_EQ(expected.pixels, read->pixels);
}

TEST(BmpReader, TwentyFourBitPicturesKeepEveryPixelInPlace)
{
    ExpectSame(Pattern(), ParseBmp(Bytes(Bmp24(Pattern()))));
    ExpectSame(Pattern(), ParseBmp(Bytes(Bmp24(Pattern(), true))));
}

TEST(BmpReader, PalettePicturesLookUpTheirColours)
{
    ExpectSame(Pattern(), ParseBmp(Bytes(Bmp8(Pattern()))));
}

TEST(BmpReader, SixteenBitPicturesWidenToFullIntensity)
{
    Bitmap b = Filled(3, 2, 0xFFFFFF);
    b.pixels[0] = 0xFF00FF;
    // Bit fields carry 5-6-5; without them the layout is 5-5-5.
    ExpectSame(b, ParseBmp(Bytes(Bmp16(b, true))));
    ExpectSame(b, ParseBmp(Bytes(Bmp16(b, false))));
    std::optional<Bitmap> green = ParseBmp(Bytes(Bmp16(Filled(1, 1, 0x00FC00), true)));
    ASSERT_TRUE(green);
    EXPECT_EQ(0x00FF00u, green->pixels[0]);
}

TEST(BmpReader, DamagedFilesAreRefusedNotReadPast)
{
    std::string good = Bmp24(Pattern());
    EXPECT_FALSE(ParseBmp(Bytes(good.substr(0, good.size() - 1))));
    EXPECT_FALSE(ParseBmp(Bytes(good.substr(0, 30))));
    std::string notBmp = good;
    notBmp[0] = 'X';
    EXPECT_FALSE(ParseBmp(Bytes(notBmp)));
    std::string compressed = good;
    compressed[30] = 1;
    EXPECT_FALSE(ParseBmp(Bytes(compressed)));
    std::string huge = good;
    huge[18] = huge[19] = huge[20] = '\xFF';
    huge[21] = 0x7F;
    EXPECT_FALSE(ParseBmp(Bytes(huge)));
    std::string offset = good;
    offset[10] = '\xF0';
    offset[11] = '\xFF';
    EXPECT_FALSE(ParseBmp(Bytes(offset)));
    std::string manyColours = Bmp8(Pattern());
    manyColours[47] = 0x10; // a palette of thousands of colours
    EXPECT_FALSE(ParseBmp(Bytes(manyColours)));
}

TEST(BmpReader, MissingFileGivesNothing)
{
    EXPECT_FALSE(ReadBmpFile("/nonexistent/picture.bmp"));
}

} // namespace
