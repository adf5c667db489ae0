#include "platform/FrameWindow.h"
#include "screen/CMjDraw.h"
#include "screen/ColorTables.h"
#include "screen/SharedSprites.h"
#include "tests/screen/PictureFiles.h"
#include "tests/screen/ScreenFixture.h"
#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Every picture the device set-up loads, with the key in its corner.
void WritePictureSet(const ScratchFolder &folder)
{
    std::vector<std::string> names = {
        "chouma", "djlq", "xjcm", "sjcm", "cc2", "cc1", "Dice", "Room", "state", "gbmj", "dzmj", "Center/vidi",
        "pung", "kong", "win", "dianpao", "chiact", "Center/1-1", "Center/1-6", "level", "avatarnone", "offline",
        "kaishi", "shuzi", "DeskMj", "NewStyle/pan", "NewStyle/position", "NewStyle/wind", "NewStyle/num",
        "NewStyle/banker", "pai", "mj", "szds", "cursor", "quan", "wind", "windpe", "windpn", "windpw", "pan",
        "NewStyle/popup", "sparkling", "black", "hint", "chouma1", "handback", "hand", "chupaikuang", "LoadGame"};
    for (int n = 2; n <= 5; ++n)
        names.push_back("Center/1-" + std::to_string(n));
    for (int n = 0; n < 12; ++n)
        names.push_back("Effect_" + std::to_string(n));
    for (int n = 0; n < CMjDraw::kFlowerPictures; ++n)
        names.push_back("Flower/Flower_" + std::to_string(n));
    for (int n = 0; n < 3; ++n)
        names.push_back("Tips/tips" + std::to_string(n));
    Bitmap picture = Filled(6, 4, 0x0000F8);
    picture.pixels[0] = 0xFF00FF;
    for (const std::string &name : names)
        folder.Write("Graphic/" + name + ".bmp", Bmp24(picture));
    // Sheets of 43 cells; one pixel over a whole number of cells is dropped.
    folder.Write("Graphic/zjzl.bmp", Bmp24(Filled(43 * 10 + 1, 12, 0xF80000)));
    for (const char *sheet : {"zjpd", "xjpd", "djpd", "sjpd", "zmp"})
        folder.Write(std::string("Graphic/") + sheet + ".bmp", Bmp24(Filled(43 * 7, 9, 0xF80000)));
    folder.Write("Graphic/1.gif", Gif(Filled(5, 5, 0x00FC00)));
    folder.Write("Graphic/2.gif", Gif(Filled(5, 5, 0x0000F8)));
}

class CMjDrawDeviceTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        lpDDSBack.reset();
        colorkey = {};
        BuildColorTables();
        WritePictureSet(program);
    }
    void TearDown() override
    {
        draw.reset();
        ScreenTest::TearDown();
    }

    ScratchFolder program;
    // Sets the renderer up on the given screen.
    bool Open(FakeScreen &screen)
    {
        hMainWnd = &screen;
        return draw->InitWindowed();
    }

    std::unique_ptr<CMjDraw> draw = std::make_unique<CMjDraw>();
};

TEST_F(CMjDrawDeviceTest, WindowOnRgb565ScreenShowsTheFrameDirectly)
{
    FakeScreen screen(kRgb565);
    ASSERT_TRUE(Open(screen));
    EXPECT_EQ(1, draw->windowed);
    EXPECT_EQ(FormatRgb565, pixelformat);
    EXPECT_EQ(1, draw->backinscreenformat);
    EXPECT_FALSE(lpDDSSame);
    EXPECT_EQ(0, quits);
    // The loading picture fills the whole frame before the pictures load.
    ASSERT_EQ(1u, screen.shown.size());
    EXPECT_EQ(0x001Fu, screen.shown[0]->Pixel(799, 599));
    // A lost screen is restored and shown again.
    screen.loseNext = true;
    ASSERT_EQ(DrawResult::Lost, draw->DrawFullScreen());
    ASSERT_EQ(DrawResult::Ok, draw->RestoreSurfaces());
    EXPECT_EQ(1, screen.restores);
    EXPECT_EQ(DrawResult::Ok, draw->DrawFullScreen());
}

TEST_F(CMjDrawDeviceTest, WindowOnThirtyTwoBitScreenConvertsTheFrame)
{
    FakeScreen screen(kXrgb8888);
    networkmode = 1;
    ASSERT_TRUE(Open(screen));
    networkmode = 0;
    EXPECT_TRUE(screen.shown.empty());
    EXPECT_EQ(Format32, pixelformat);
    EXPECT_EQ(0, draw->backinscreenformat);
    ASSERT_TRUE(lpDDSSame);
    EXPECT_EQ(800, lpDDSSame->Width());
    lpDDSBack->SetPixel(3, 3, 0xFFFF);
    ASSERT_EQ(DrawResult::Ok, draw->DrawFullScreen());
    EXPECT_EQ(kXrgb8888, screen.shown.back()->Format());
    EXPECT_EQ(0xF8FCF8u, screen.shown.back()->Pixel(3, 3));
}

TEST_F(CMjDrawDeviceTest, PictureSetGivesKeyCellsAndKeyedSprites)
{
    FakeScreen screen;
    ASSERT_TRUE(Open(screen));
    EXPECT_EQ(0xF81Fu, colorkey.low);
    EXPECT_EQ(colorkey.low, colorkey.high);
    EXPECT_EQ(10, draw->owncell.width);
    EXPECT_EQ(12, draw->owncell.height);
    for (const TileCell &cell : draw->wallcell)
        EXPECT_EQ(7, cell.width);
    EXPECT_EQ(7, draw->zmpcellwidth);
    EXPECT_FALSE(draw->room.surface->HasColorKey());
    EXPECT_TRUE(draw->pung.surface->HasColorKey());
    EXPECT_TRUE(draw->avatar[3].surface->HasColorKey());
    EXPECT_EQ(0x001Fu, draw->avatar[1].surface->Pixel(0, 0));
    ASSERT_TRUE(sprites::tips[2].surface);
    EXPECT_TRUE(draw->flower[10].surface);
}

TEST_F(CMjDrawDeviceTest, SwitchingToFullScreenAndBackRebuildsEveryPicture)
{
    FakeScreen screen(kRgb565, 800);
    ASSERT_TRUE(Open(screen));
    int count = surfacenum;
    int paints = 0;
    draw->SetGame(nullptr, [&] { ++paints; });

    draw->ToggleFullScreen();
    EXPECT_EQ(1, fullscreen);
    EXPECT_EQ(0, draw->windowed);
    EXPECT_TRUE(screen.fullScreen);
    EXPECT_EQ(count, surfacenum);
    for (int i = tableSize; i < surfacenum; ++i)
        EXPECT_TRUE(*surfaceslot[i]) << surfacepath[i];
    EXPECT_TRUE(draw->room.surface->HasColorKey());
    EXPECT_EQ(1, paints);

    draw->ToggleFullScreen();
    EXPECT_EQ(0, fullscreen);
    EXPECT_EQ(1, draw->windowed);
    EXPECT_FALSE(screen.fullScreen);
    // A screen exactly as wide as the frame keeps the window without its caption.
    EXPECT_FALSE(screen.caption);
    EXPECT_EQ(count, surfacenum);
    EXPECT_TRUE(draw->zjzl.surface);
    EXPECT_EQ(2, paints);
    EXPECT_EQ(0, quits);
}

// Pictures lost from disk after the start come back from the bundle beside the program while a switch
// rebuilds them, and from nowhere else.
TEST_F(CMjDrawDeviceTest, SwitchTakesPicturesMissingOnDiskFromTheBundleAndTellsWhichOneItCannotFind)
{
    const char *data = std::getenv("LANTILE_DATA");
    if (!data)
        GTEST_SKIP() << "LANTILE_DATA is not set";
    FakeScreen screen(kRgb565, 800);
    ASSERT_TRUE(Open(screen));
    std::filesystem::copy_file(std::filesystem::path(data) / "MjRes.rcc", program.Path() / "MjRes.rcc");
    std::filesystem::remove(program.Path() / "Graphic/DeskMj.bmp");
    std::filesystem::remove(program.Path() / "Graphic/Room.bmp");

    draw->ToggleFullScreen();
    EXPECT_EQ(0, quits);
    ASSERT_TRUE(draw->room.surface);
    EXPECT_EQ(800, draw->room.surface->Width()) << "the generated table, not the one that was on disk";
    ASSERT_TRUE(draw->deskmj.surface);
    EXPECT_EQ(60, draw->deskmj.surface->Width());
    EXPECT_EQ(6, draw->dice.surface->Width()) << "a picture still on disk comes from there";
    EXPECT_TRUE(hResModule.IsOwn()) << "the bundle is let go after the switch";

    std::filesystem::remove(program.Path() / "MjRes.rcc");
    draw->ToggleFullScreen();
    EXPECT_EQ((std::vector<std::string>{"游戏文件丢失Graphic/Room.bmp", "游戏文件丢失Graphic/DeskMj.bmp"}), told);
}

TEST_F(CMjDrawDeviceTest, SwitchWithoutAWindowEndsTheProgram)
{
    FakeScreen screen;
    ASSERT_TRUE(Open(screen));
    hMainWnd = nullptr;
    draw->ToggleFullScreen();
    EXPECT_EQ(1, quits);
    EXPECT_FALSE(lpDD);
}

TEST_F(CMjDrawDeviceTest, RealWindowShowsTheFrameWindowedAndFullScreen)
{
    FrameWindow window;
    hMainWnd = &window;
    window.ShowWindowed(true);
    ASSERT_TRUE(draw->InitWindowed());
    lpDDSBack->Fill(lpDDSBack->Bounds(), 0x001F);
    lpDDSBack->Fill({0, 0, 400, 300}, 0xF800);
    ASSERT_EQ(DrawResult::Ok, draw->DrawFullScreen());
    std::unique_ptr<Surface> shown = window.Shown();
    ASSERT_EQ(800, shown->Width());
    EXPECT_EQ(0xF800u, shown->Pixel(10, 10));
    EXPECT_EQ(0x001Fu, shown->Pixel(790, 590));

    draw->ToggleFullScreen();
    EXPECT_TRUE(window.IsFullScreen());
    lpDDSBack->Fill(lpDDSBack->Bounds(), 0x07E0);
    ASSERT_EQ(DrawResult::Ok, draw->DrawFullScreen());
    shown = window.Shown();
    EXPECT_EQ(window.ScreenWidth(), shown->Width());
    EXPECT_EQ(0x07E0u, shown->Pixel(shown->Width() / 2, shown->Height() / 2));

    draw->ToggleFullScreen();
    EXPECT_FALSE(window.IsFullScreen());
    lpDDSBack->Fill(lpDDSBack->Bounds(), 0xFFFF);
    ASSERT_EQ(DrawResult::Ok, draw->DrawFullScreen());
    shown = window.Shown();
    EXPECT_EQ(800, shown->Width());
    EXPECT_EQ(0xFFFFu, shown->Pixel(400, 300));
    EXPECT_EQ(0, quits);
}

} // namespace
