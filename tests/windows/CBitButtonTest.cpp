#include "screen/FrameBlend.h"
#include "tests/windows/WidgetFixture.h"
#include "windows/CBitButtonArray.h"

namespace {

constexpr const char *kPeng = "Graphic\\peng.bmp";
constexpr const char *kHover = "Wave\\move.wav";

class CBitButtonTest : public WidgetTest {
protected:
    // The cell of frame n of a button's strip.
    static Rect Frame(const CBitButton &b, int n) { return {n * b.GetWidth(), 0, (n + 1) * b.GetWidth(), b.GetHeight()}; }
};

TEST_F(CBitButtonTest, EveryEdgeOfAButtonIsOutside)
{
    CBitButton b(kPeng);
    b.SetPos(100, 200);
    const int w = b.GetWidth(), h = b.GetHeight();
    ASSERT_EQ(w, 64);
    const int midX = 100 + w / 2, midY = 200 + h / 2;
    for (auto [x, inside] : {std::pair{100, false}, {101, true}, {100 + w - 1, true}, {100 + w, false}})
        EXPECT_EQ(b.HitTest(x, midY), inside) << "x " << x;
    for (auto [y, inside] : {std::pair{200, false}, {201, true}, {200 + h - 1, true}, {200 + h, false}})
        EXPECT_EQ(b.HitTest(midX, y), inside) << "y " << y;
    EXPECT_FALSE(b.MouseDown(100, midY));
    EXPECT_EQ(b.pressed, 0);

    b.enabled = 0;
    EXPECT_FALSE(b.HitTest(midX, midY));
    b.enabled = 1;
    b.visible = 0;
    EXPECT_FALSE(b.HitTest(midX, midY));
    EXPECT_FALSE(b.MouseDown(midX, midY));
}

TEST_F(CBitButtonTest, TheHoverSoundPlaysOncePerEntry)
{
    CBitButton b(kPeng);
    b.SetPos(100, 200);
    EXPECT_TRUE(b.MouseMove(120, 220));
    EXPECT_FALSE(b.MouseMove(130, 225));
    EXPECT_EQ(Heard(kHover), 1);
    EXPECT_TRUE(b.MouseMove(10, 10));
    EXPECT_FALSE(b.MouseMove(11, 10));
    EXPECT_EQ(b.hover, 0);
    EXPECT_TRUE(b.MouseMove(120, 220));
    EXPECT_EQ(Heard(kHover), 2);
    EXPECT_EQ(sounds.size(), 2u);
}

TEST_F(CBitButtonTest, EachStateDrawsItsFrameKeyedOverTheFrame)
{
    CBitButton b(kPeng);
    b.SetPos(100, 200);
    std::unique_ptr<Surface> strip = Load(kPeng);
    std::unique_ptr<Surface> before = Snapshot();
    const struct {
        uint8_t hover, pressed;
        int frame;
    } states[] = {{0, 0, 0}, {1, 0, 1}, {1, 1, 2}, {0, 1, 0}};
    for (auto state : states) {
        *lpDDSBack = *before;
        b.hover = state.hover;
        b.pressed = state.pressed;
        b.Draw();
        EXPECT_EQ(CellMismatches(*strip, Frame(b, state.frame), 100, 200, *before), 0) << "frame " << state.frame;
    }
    *lpDDSBack = *before;
    b.visible = 0;
    b.Draw();
    EXPECT_EQ(Changed(*before, lpDDSBack->Bounds()), 0);
}

TEST_F(CBitButtonTest, ADisabledButtonIsItsNormalFrameFaintAndIgnoresThePointer)
{
    CBitButton b(kPeng);
    b.SetPos(100, 200);
    b.enabled = 0;
    std::unique_ptr<Surface> strip = Load(kPeng);
    std::unique_ptr<Surface> before = Snapshot();
    GAlphaBlend(strip.get(), 100, 200, 0, 0, b.GetWidth(), b.GetHeight(), 50);
    std::unique_ptr<Surface> faint = Snapshot();
    *lpDDSBack = *before;

    EXPECT_FALSE(b.MouseMove(120, 220));
    EXPECT_FALSE(b.MouseDown(120, 220));
    b.Draw();
    EXPECT_EQ(Changed(*faint, lpDDSBack->Bounds()), 0);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(CBitButtonTest, ACaptionIsWhiteFromEightPixelsIn)
{
    CBitButton b("Graphic\\chinull.bmp");
    b.SetPos(100, 200);
    b.Draw();
    std::unique_ptr<Surface> plain = Snapshot();
    b.SetCaption("II");
    b.Draw();
    int first = 800;
    for (int y = 200; y < 200 + b.GetHeight(); ++y)
        for (int x = 100; x < 100 + b.GetWidth(); ++x) {
            const uint32_t was = plain->Pixel(x, y), now = lpDDSBack->Pixel(x, y);
            if (now == was)
                continue;
            first = std::min(first, x);
            // Lighter in every channel: white over the plate.
            EXPECT_GE(now >> 11, was >> 11);
            EXPECT_GE(now >> 5 & 63, was >> 5 & 63);
            EXPECT_GE(now & 31, was & 31);
        }
    EXPECT_GE(first, 108);
    EXPECT_LE(first, 110);
}

TEST_F(CBitButtonTest, AToolTipShowsAboveAHoveredButtonOnlyWhereItFits)
{
    CBitButton b(kPeng);
    b.tooltip = "Tip";
    b.hover = 1;
    std::unique_ptr<Surface> before = Snapshot();
    b.SetPos(100, 16);
    b.Draw();
    EXPECT_EQ(Changed(*before, {0, 0, 800, 16}), 0);

    *lpDDSBack = *before;
    b.SetPos(100, 17);
    b.Draw();
    int white = 0;
    for (int y = 1; y < 17; ++y)
        for (int x = 100; x < 164; ++x)
            white += lpDDSBack->Pixel(x, y) == 0xFFFF;
    EXPECT_GT(white, 0);

    *lpDDSBack = *before;
    b.hover = 0;
    b.Draw();
    EXPECT_EQ(Changed(*before, {0, 0, 800, 17}), 0);
}

class CBitButtonArrayTest : public CBitButtonTest {
protected:
    // Six claim buttons in a row, 70 pixels apart.
    void SetUp() override
    {
        CBitButtonTest::SetUp();
        for (int i = 0; i < 6; ++i) {
            row.Add(kPeng, "");
            row.SetPos(i, 70 * i, 300);
        }
    }
    static int Centre(int i) { return 70 * i + 32; }

    CBitButtonArray row;
};

TEST_F(CBitButtonArrayTest, PressDragOffAndReleaseClicksNothingAndLeavesNoPressedFrame)
{
    EXPECT_EQ(row.MouseDown(Centre(2), 320), 2);
    EXPECT_EQ(row.MouseMove(Centre(5), 320), 5);
    EXPECT_EQ(row.MouseUp(Centre(5), 320), -1);
    EXPECT_EQ(row.Get(2)->pressed, 0);
    EXPECT_EQ(row.Get(5)->pressed, 0);

    // Back over the button it shows hovered, not pressed.
    row.MouseMove(Centre(2), 320);
    std::unique_ptr<Surface> before = Snapshot();
    row.DrawAll();
    EXPECT_EQ(CellMismatches(*Load(kPeng), Frame(*row.Get(2), 1), 140, 300, *before), 0);

    EXPECT_EQ(row.MouseDown(Centre(3), 320), 3);
    EXPECT_EQ(row.MouseUp(Centre(3), 320), 3);
}

TEST_F(CBitButtonArrayTest, ThePressGoesToTheFirstButtonAndTheReleaseReachesEveryOne)
{
    row.SetPos(4, 70 * 3, 300); // 3 and 4 now lie on each other
    EXPECT_EQ(row.MouseDown(Centre(3), 320), 3);
    EXPECT_EQ(row.Get(4)->pressed, 0);
    row.Get(4)->pressed = 1;
    EXPECT_EQ(row.MouseUp(Centre(3), 320), 4);
    EXPECT_EQ(row.Get(3)->pressed, 0);
    EXPECT_EQ(row.Get(4)->pressed, 0);
    EXPECT_EQ(row.MouseMove(Centre(3), 320), 3);
    EXPECT_EQ(row.Get(4)->hover, 0);
}

TEST_F(CBitButtonArrayTest, FiftyButtonsAtMostAndNothingAnswersOutsideThem)
{
    const int tableBefore = surfacenum;
    {
        CBitButtonArray full;
        for (int i = 0; i < 51; ++i)
            full.Add("Graphic\\ChatWnd\\up.bmp", "");
        EXPECT_EQ(full.Count(), 50);
        EXPECT_EQ(surfacenum, tableBefore + 50);
        EXPECT_EQ(full.Get(-1), nullptr);
        EXPECT_EQ(full.Get(50), nullptr);
        ASSERT_NE(full.Get(49), nullptr);
        full.SetPos(-1, 5, 5);
        full.SetPos(50, 5, 5);
        for (int i = 0; i < 50; ++i)
            EXPECT_EQ(full.Get(i)->x, 0);
    }
    // Gone buttons leave nothing in the table of remembered pictures.
    EXPECT_EQ(surfacenum, tableBefore);
    EXPECT_EQ(row.Get(6), nullptr);
}

} // namespace
