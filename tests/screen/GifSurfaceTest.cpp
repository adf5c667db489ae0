#include "screen/GifSurface.h"
#include "screen/SurfaceCache.h"
#include "tests/screen/PictureFiles.h"
#include "tests/screen/ScreenFixture.h"
#include "tests/support/ScratchFolder.h"

namespace {

class GifSurfaceTest : public ScreenTest {
protected:
    ScratchFolder program;
};

// A 3 x 1 picture: red, a transparent pixel, blue.
Bitmap Strip()
{
    Bitmap b = Filled(3, 1, 0xF80000);
    b.pixels[1] = 0x123456;
    b.pixels[2] = 0x0000F8;
    return b;
}

TEST_F(GifSurfaceTest, TransparentPixelsBecomeTheKeyAndVanishInKeyedBlits)
{
    program.Write("face.gif", Gif(Strip(), 0x123456));
    Sprite face;
    ASSERT_EQ(DrawResult::Ok, LoadGifSurface("face.gif", face.surface, face.rect, false));
    EXPECT_EQ((Rect{0, 0, 3, 1}), face.rect);
    EXPECT_EQ(0xF81Fu, face.surface->Pixel(1, 0));
    EXPECT_EQ(0x001Fu, face.surface->Pixel(2, 0));
    GSetColorKey(face.surface);
    lpDDSBack->Fill(lpDDSBack->Bounds(), 0x07E0);
    lpDDSBack->Blit(0, 0, *face.surface, face.rect, true);
    EXPECT_EQ(0xF800u, lpDDSBack->Pixel(0, 0));
    EXPECT_EQ(0x07E0u, lpDDSBack->Pixel(1, 0));
    // Without transparency the picture is copied whole.
    program.Write("plain.gif", Gif(Strip()));
    LoadGifSurface("plain.gif", face.surface, face.rect, false);
    EXPECT_EQ(0x11AAu, face.surface->Pixel(1, 0));
}

TEST_F(GifSurfaceTest, MissingPictureLeavesAnEmptyOneByOneThatIsRetriedOnRestore)
{
    Sprite face;
    int before = surfacenum;
    EXPECT_EQ(DrawResult::Ok, LoadGifSurface("Graphic\\7.gif", face.surface, face.rect, true));
    ASSERT_TRUE(face.surface);
    EXPECT_EQ(1, face.surface->Width());
    EXPECT_EQ(Rect{}, face.rect);
    ASSERT_EQ(before + 1, surfacenum);
    EXPECT_EQ(SurfaceGif, surfacekind[before]);
    EXPECT_EQ(0, quits);

    program.Write("Graphic/7.gif", Gif(Filled(4, 4, 0xF80000)));
    GRestoreAllSurfaces();
    EXPECT_EQ(4, face.surface->Width());
}

TEST_F(GifSurfaceTest, ClippedReloadKeepsTheTopLeftPart)
{
    Bitmap tall = Filled(200, 300, 0x0000F8);
    tall.pixels[299 * 200 + 199] = 0xF80000;
    tall.pixels[225 * 200 + 139] = 0x00FC00;
    program.Write("tall.gif", Gif(tall));
    program.Write("small.gif", Gif(Filled(100, 100, 0xF80000)));
    Sprite face;
    LoadGifSurface("small.gif", face.surface, face.rect, true);

    ReloadGifSurfaceClip((program.Path() / "tall.gif").string(), face.surface, face.rect, 140, 226);
    EXPECT_EQ((Rect{0, 0, 140, 226}), face.rect);
    EXPECT_EQ(140, face.surface->Width());
    EXPECT_EQ(0x07E0u, face.surface->Pixel(139, 225));
    EXPECT_EQ(SurfaceGif, surfacekind[FindSurfaceEntry(face.surface)]);

    ReloadGifSurfaceClip((program.Path() / "small.gif").string(), face.surface, face.rect, 140, 226);
    EXPECT_EQ((Rect{0, 0, 100, 100}), face.rect);
    // Paths longer than the old buffer still load.
    std::string deep;
    while (deep.size() < 300)
        deep += "very_long_folder_name/";
    program.Write(deep + "face.gif", Gif(Filled(3, 3, 0xF80000)));
    LoadGifSurface(deep + "face.gif", face.surface, face.rect, false);
    EXPECT_EQ((Rect{0, 0, 3, 3}), face.rect);
}

TEST_F(GifSurfaceTest, ReloadKeepsTheOldPictureWhenTheNewOneIsBadOrTheSlotUnknown)
{
    program.Write("small.gif", Gif(Filled(2, 2, 0xF80000)));
    program.Write("bad.gif", "GIF89a broken");
    Sprite face;
    LoadGifSurface("small.gif", face.surface, face.rect, true);
    Surface *before = face.surface.get();
    EXPECT_EQ(DrawResult::Ok, ReloadGifSurface((program.Path() / "bad.gif").string(), face.surface, face.rect));
    EXPECT_EQ(before, face.surface.get());
    EXPECT_FALSE(IsGifFileOk((program.Path() / "bad.gif").string()));
    EXPECT_TRUE(IsGifFileOk((program.Path() / "small.gif").string()));

    Sprite stranger;
    LoadGifSurface("small.gif", stranger.surface, stranger.rect, false);
    int count = surfacenum;
    ReloadGifSurface((program.Path() / "small.gif").string(), stranger.surface, stranger.rect);
    EXPECT_EQ(count, surfacenum);
}

// A GIF whose screen and image declare width x height, followed by `data` bytes of image data.
std::string DeclaredGif(int width, int height, size_t data)
{
    auto le16 = [](int v) { return std::string{char(v & 0xFF), char(v >> 8 & 0xFF)}; };
    std::string gif = "GIF89a" + le16(width) + le16(height) + std::string("\0\0\0", 3);
    gif += "\x2C" + le16(0) + le16(0) + le16(width) + le16(height) + std::string("\0\x02", 2);
    for (size_t left = data; left > 0;) {
        size_t block = std::min<size_t>(left, 255);
        gif += char(block) + std::string(block, '\x55');
        left -= block;
    }
    return gif + std::string("\0\x3B", 2);
}

// A replaced or damaged avatar must not stall the game or exhaust memory: refused before decoding.
TEST_F(GifSurfaceTest, PicturesDeclaringMoreThanTheyCouldHoldLoadAsMissing)
{
    program.Write("huge.gif", DeclaredGif(16384, 16384, 1));
    program.Write("enormous.gif", DeclaredGif(40000, 40000, 0));
    program.Write("dense.gif", DeclaredGif(2000, 2000, 100)); // 100 bytes hold at most some 36000 pixels
    for (const char *name : {"huge.gif", "enormous.gif", "dense.gif"}) {
        Sprite face;
        EXPECT_EQ(DrawResult::Ok, LoadGifSurface(name, face.surface, face.rect, false)) << name;
        ASSERT_TRUE(face.surface) << name;
        EXPECT_EQ(1, face.surface->Width()) << name;
        EXPECT_EQ(Rect{}, face.rect) << name;
        EXPECT_FALSE(IsGifFileOk((program.Path() / name).string())) << name;
    }
    EXPECT_EQ(0, quits);
}

} // namespace
