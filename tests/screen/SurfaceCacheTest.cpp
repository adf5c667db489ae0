#include "platform/Paths.h"
#include "screen/Device.h"
#include "screen/GifSurface.h"
#include "screen/SurfaceCache.h"
#include "tests/kit/FrameProbe.h"
#include "tests/screen/PictureFiles.h"
#include "tests/screen/ScreenFixture.h"
#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

class SurfaceCacheTest : public ScreenTest {
protected:
    ScratchFolder program;
};

// Runs the test body from another current folder.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path &to) : before_(std::filesystem::current_path())
    {
        std::filesystem::current_path(to);
    }
    ~CurrentFolder() { std::filesystem::current_path(before_); }

private:
    std::filesystem::path before_;
};

// Started from another folder, the program still shows its own pictures and never another's.
TEST_F(SurfaceCacheTest, PicturesComeFromTheProgramFolderWhateverTheCurrentFolder)
{
    program.Write("Graphic/Room.bmp", Bmp24(Filled(3, 2, 0x0000F8)));
    ScratchFolder current;
    Paths::SetProgramFolder(program.Path().string());
    current.Write("Graphic/Room.bmp", Bmp24(Filled(4, 4, 0xF80000)));
    current.Write("Graphic/1.gif", Gif(Filled(4, 4, 0xF80000)));
    CurrentFolder here(current.Path());
    SurfaceSlot slot;
    Rect rect;
    GLoadSurface("Graphic\\Room.bmp", slot, rect, false);
    ASSERT_TRUE(slot);
    EXPECT_EQ((Rect{0, 0, 3, 2}), rect);
    EXPECT_EQ(0x001Fu, slot->Pixel(0, 0));
    LoadGifSurface("Graphic\\1.gif", slot, rect, false);
    EXPECT_EQ(Rect{}, rect);
    EXPECT_EQ(0, quits);
}

TEST_F(SurfaceCacheTest, MissingPictureAsksToQuitAndIsStillRemembered)
{
    SurfaceSlot slot;
    Rect rect{1, 2, 3, 4};
    int before = surfacenum;
    GLoadSurface("Graphic\\nothing.bmp", slot, rect, true);
    EXPECT_EQ(1, quits);
    EXPECT_EQ(std::vector<std::string>{"游戏文件丢失Graphic/nothing.bmp"}, told) << "the box names the file";
    EXPECT_FALSE(slot);
    EXPECT_EQ(Rect{}, rect);
    ASSERT_EQ(before + 1, surfacenum);
    EXPECT_EQ(&slot, surfaceslot[before]);
    EXPECT_EQ("Graphic\\nothing.bmp", surfacepath[before]);
    EXPECT_EQ(SurfaceBitmap, surfacekind[before]);
    program.Write("Graphic/broken.bmp", "BM not a picture");
    GLoadSurface("Graphic\\broken.bmp", slot, rect, false);
    EXPECT_EQ(2, quits);
    EXPECT_EQ("游戏文件丢失Graphic/broken.bmp", told.back());
    GSetColorKey(slot); // keying an empty slot does nothing
    EXPECT_FALSE(slot);
}

// The slot holds the picture of that path in the build's data folder, pixel for pixel.
void ExpectGenerated(const std::filesystem::path &data, const std::string &path, const SurfaceSlot &slot)
{
    SurfaceSlot generated;
    Rect rect;
    GLoadSurface((data / path).string(), generated, rect, false);
    ASSERT_TRUE(slot) << path;
    EXPECT_EQ(generated->Width(), slot->Width()) << path;
    EXPECT_EQ(Rect{}, ChangedRect(*generated, *slot)) << path;
}

// The program carries the pictures of its start; the bundle beside it, loaded only while a switch of
// the display mode runs, carries the table's.
TEST_F(SurfaceCacheTest, APictureMissingOnDiskComesFromTheResourcesOfTheModuleInUse)
{
    const char *data = std::getenv("LANTILE_DATA");
    if (!data)
        GTEST_SKIP() << "LANTILE_DATA is not set";
    const std::filesystem::path bin(data);
    SurfaceSlot slot;
    Rect rect;
    GLoadSurface(program.Path().string() + "/Graphic\\LoadGame.bmp", slot, rect, false);
    ExpectGenerated(bin, "Graphic/LoadGame.bmp", slot);
    GLoadSurface("Graphic\\ModeForm\\background.bmp", slot, rect, false);
    ExpectGenerated(bin, "Graphic/ModeForm/background.bmp", slot);
    EXPECT_EQ(0, quits);
    GLoadSurface("Graphic\\DeskMj.bmp", slot, rect, false);
    EXPECT_FALSE(slot) << "the table's pictures are not the program's own";
    EXPECT_EQ(std::vector<std::string>{"游戏文件丢失Graphic/DeskMj.bmp"}, told);

    hResModule = ResourceModule::Load((bin / "MjRes.rcc").string());
    GLoadSurface("Graphic\\DeskMj.bmp", slot, rect, false);
    ExpectGenerated(bin, "Graphic/DeskMj.bmp", slot);
    // A picture on disk still comes from there.
    program.Write("Graphic/Room.bmp", Bmp24(Filled(3, 2, 0x0000F8)));
    GLoadSurface("Graphic\\Room.bmp", slot, rect, false);
    EXPECT_EQ((Rect{0, 0, 3, 2}), rect);
    GLoadSurface("Graphic\\LoadForm\\background.bmp", slot, rect, false);
    EXPECT_FALSE(slot) << "other screens' pictures are not in the bundle";
    EXPECT_EQ(2, quits);
}

TEST_F(SurfaceCacheTest, ReloadRewritesOnlyTheFirstEntryOfARememberedSlot)
{
    program.Write("a.bmp", Bmp24(Filled(1, 1, 0xF80000)));
    program.Write("b.bmp", Bmp24(Filled(2, 1, 0x00FC00)));
    SurfaceSlot slot;
    Rect rect;
    int first = surfacenum;
    GLoadSurface("a.bmp", slot, rect, true);
    GLoadSurface("a.bmp", slot, rect, true);
    GReloadSurface("b.bmp", slot, rect);
    EXPECT_EQ(first + 2, surfacenum);
    EXPECT_EQ("b.bmp", surfacepath[first]);
    EXPECT_EQ("a.bmp", surfacepath[first + 1]);
    EXPECT_EQ((Rect{0, 0, 2, 1}), rect);
    EXPECT_EQ(0x07E0u, slot->Pixel(0, 0));
    // Reloading does not key the picture; callers do.
    EXPECT_FALSE(slot->HasColorKey());

    // A slot loaded without being remembered is left alone.
    SurfaceSlot forgotten;
    GLoadSurface("a.bmp", forgotten, rect, false);
    GReloadSurface("b.bmp", forgotten, rect);
    EXPECT_EQ(first + 2, surfacenum);
    EXPECT_EQ((Rect{0, 0, 1, 1}), rect);
    EXPECT_EQ(0xF800u, forgotten->Pixel(0, 0));
}

TEST_F(SurfaceCacheTest, ReleaseAllThenRestoreAllRebuildsEveryPictureKeyed)
{
    program.Write("Graphic/Room.bmp", Bmp24(Filled(8, 6, 0x0000F8)));
    program.Write("Graphic/1.gif", Gif(Filled(5, 5, 0x00FC00)));
    Sprite room;
    Sprite face;
    GLoadSurface("Graphic\\Room.bmp", room.surface, room.rect, true);
    LoadGifSurface("Graphic\\1.gif", face.surface, face.rect, true);
    int count = surfacenum;

    GReleaseAllSurfaces();
    for (int i = 0; i < surfacenum; ++i)
        EXPECT_FALSE(*surfaceslot[i]) << "entry " << i;
    GRestoreAllSurfaces();

    EXPECT_EQ(count, surfacenum);
    ASSERT_TRUE(room.surface);
    ASSERT_TRUE(face.surface);
    EXPECT_EQ(0x001Fu, room.surface->Pixel(7, 5));
    EXPECT_EQ(0x07E0u, face.surface->Pixel(4, 4));
    // The background was loaded without a key; after a rebuild every picture has one.
    EXPECT_TRUE(room.surface->HasColorKey());
    EXPECT_EQ(colorkey.low, face.surface->ColorKey());
    EXPECT_EQ((Rect{0, 0, 8, 6}), room.rect);
}

} // namespace
