#include "platform/Surface.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kKey = 0xF81F;

Surface Sprite3x3()
{
    Surface s(3, 3);
    s.Fill(s.Bounds(), 0x07E0);
    s.SetPixel(1, 1, kKey);
    s.SetColorKey(kKey);
    return s;
}

TEST(Surface, KeyedBlitSkipsKeyPixelsPlainBlitCopiesThemAndBothAreClipped)
{
    Surface frame(10, 10);
    Surface sprite = Sprite3x3();
    ASSERT_EQ(DrawResult::Ok, frame.Blit(2, 2, sprite, sprite.Bounds(), true));
    EXPECT_EQ(0x07E0u, frame.Pixel(2, 2));
    EXPECT_EQ(0u, frame.Pixel(3, 3));
    frame.Blit(2, 2, sprite, sprite.Bounds(), false);
    EXPECT_EQ(kKey, frame.Pixel(3, 3));

    // Blits are clipped to both surfaces.
    Surface small(4, 4);
    small.Blit(-2, -2, sprite, sprite.Bounds(), false);
    EXPECT_EQ(0x07E0u, small.Pixel(0, 0));
    EXPECT_EQ(0u, small.Pixel(1, 1));
    small.Blit(3, 3, sprite, sprite.Bounds(), false);
    EXPECT_EQ(0x07E0u, small.Pixel(3, 3));
    // A cell beyond the picture's right edge: only its inside part, nothing read from outside.
    Surface other(4, 4);
    EXPECT_EQ(DrawResult::Ok, other.Blit(0, 0, sprite, {2, 0, 6, 3}, false));
    EXPECT_EQ(0x07E0u, other.Pixel(0, 0));
    EXPECT_EQ(0u, other.Pixel(1, 0));
    EXPECT_EQ(DrawResult::Ok, other.Blit(0, 0, sprite, {5, 5, 9, 9}, false));
}

TEST(Surface, RowsFollowThePitch)
{
    Surface wide(3, 2, kRgb565, 40);
    EXPECT_EQ(40, wide.Pitch());
    wide.SetPixel(0, 1, 0x1234);
    uint8_t *p = wide.Lock();
    EXPECT_EQ(0x34, p[40]);
    wide.Unlock();
    Surface frame(3, 2);
    frame.Blit(0, 0, wide, wide.Bounds(), false);
    EXPECT_EQ(0x1234u, frame.Pixel(0, 1));
}

TEST(Surface, StretchBlitScalesAndRefusesARectangleOutsideTheSource)
{
    Surface small(2, 1);
    small.SetPixel(0, 0, 0xF800);
    small.SetPixel(1, 0, 0x001F);
    Surface frame(8, 4);
    ASSERT_EQ(DrawResult::Ok, frame.StretchBlit(frame.Bounds(), small, small.Bounds(), false));
    EXPECT_EQ(0xF800u, frame.Pixel(3, 3));
    EXPECT_EQ(0x001Fu, frame.Pixel(4, 0));
    EXPECT_EQ(DrawResult::Failed, frame.StretchBlit(frame.Bounds(), small, {0, 0, 3, 1}, false));
}

TEST(Surface, LockedSurfacesRefuseBlitsAndSecondLocks)
{
    Surface frame(2, 2);
    Surface sprite = Sprite3x3();
    ASSERT_NE(nullptr, sprite.Lock());
    EXPECT_EQ(nullptr, sprite.Lock());
    EXPECT_EQ(DrawResult::Busy, frame.Blit(0, 0, sprite, sprite.Bounds(), false));
    sprite.Unlock();
    EXPECT_EQ(DrawResult::Ok, frame.Blit(0, 0, sprite, sprite.Bounds(), false));
    Surface wide(2, 2, kXrgb8888);
    EXPECT_EQ(DrawResult::Failed, wide.Blit(0, 0, sprite, sprite.Bounds(), false));
}

TEST(Surface, ColoursPackIntoEachLayoutAndFillsClip)
{
    Surface frame(4, 4);
    EXPECT_EQ(0xF81Fu, frame.PackColor(255, 0, 255));
    EXPECT_EQ(0xF81Fu, frame.PackColor(250, 3, 251));
    EXPECT_EQ(0x7C00u, Surface(1, 1, kRgb555).PackColor(255, 0, 0));
    EXPECT_EQ(0x123456u, Surface(1, 1, kXrgb8888).PackColor(0x12, 0x34, 0x56));
    frame.Fill({2, 2, 10, 10}, 0xFFFF);
    EXPECT_EQ(0xFFFFu, frame.Pixel(3, 3));
    EXPECT_EQ(0u, frame.Pixel(1, 1));
    EXPECT_FALSE(Surface::Create(0, 5));
    EXPECT_TRUE(Surface::Create(800, 600));
}

} // namespace
