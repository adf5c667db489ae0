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

TEST(BmpReader, EachDepthKeepsEveryPixelInPlace)
{
    // Bottom-up and top-down rows, a palette, 16 bits as 5-6-5 bit fields or plain 5-5-5.
    for (const std::string &file : {Bmp24(Pattern()), Bmp24(Pattern(), true), Bmp8(Pattern())})
        ExpectSame(Pattern(), ParseBmp(Bytes(file)));
    Bitmap b = Filled(3, 2, 0xFFFFFF);
    b.pixels[0] = 0xFF00FF;
    ExpectSame(b, ParseBmp(Bytes(Bmp16(b, true))));
    ExpectSame(b, ParseBmp(Bytes(Bmp16(b, false))));
    // Sixteen-bit colours widen to full intensity.
    std::optional<Bitmap> green = ParseBmp(Bytes(Bmp16(Filled(1, 1, 0x00FC00), true)));
    ASSERT_TRUE(green);
    EXPECT_EQ(0x00FF00u, green->pixels[0]);
}

TEST(BmpReader, DamagedOrMissingFilesAreRefusedNotReadPast)
{
    const std::string good = Bmp24(Pattern());
    // Bytes changed from the good file: (offset, value).
    const std::vector<std::vector<std::pair<size_t, char>>> damages = {
        {{0, 'X'}},                                      // not a BMP
        {{30, 1}},                                       // compressed
        {{18, '\xFF'}, {19, '\xFF'}, {20, '\xFF'}, {21, 0x7F}}, // huge width
        {{10, '\xF0'}, {11, '\xFF'}},                    // pixels beyond the file
    };
    for (const auto &damage : damages) {
        std::string bad = good;
        for (auto [at, value] : damage)
            bad[at] = value;
        EXPECT_FALSE(ParseBmp(Bytes(bad))) << damage[0].first;
    }
    EXPECT_FALSE(ParseBmp(Bytes(good.substr(0, good.size() - 1))));
    EXPECT_FALSE(ParseBmp(Bytes(good.substr(0, 30))));
    std::string manyColours = Bmp8(Pattern());
    manyColours[47] = 0x10; // a palette of thousands of colours
    EXPECT_FALSE(ParseBmp(Bytes(manyColours)));
    EXPECT_FALSE(ReadBmpFile("/nonexistent/picture.bmp"));
}

} // namespace
