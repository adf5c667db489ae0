#include "screen/FrameBlend.h"
#include "tests/windows/WidgetFixture.h"
#include "windows/CBitButtonArray.h"

#include <cstdlib>

namespace {

constexpr const char *kButton = "Graphic\\tang.bmp"; // frames of 64 x 40
constexpr const char *kHover = "Wave\\move.wav";

class CBitButtonTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        for (int i = 0; i < 6; ++i) {
            row.Add(kButton, "");
            row.SetPos(i, 70 * i, 300);
        }
    }
    static Rect Frame(int n) { return {n * 64, 0, (n + 1) * 64, 40}; }
    static int Centre(int i) { return 70 * i + 32; }

    // Six claim buttons in a row, 70 pixels apart.
    CBitButtonArray row;
};

TEST_F(CBitButtonTest, EveryEdgeOfAButtonIsOutside)
{
    const CBitButton &b = *row.Get(1);
    for (auto [x, inside] : {std::pair{70, false}, {71, true}, {133, true}, {134, false}})
        EXPECT_EQ(b.HitTest(x, 320), inside) << "x " << x;
    for (auto [y, inside] : {std::pair{300, false}, {301, true}, {339, true}, {340, false}})
        EXPECT_EQ(b.HitTest(100, y), inside) << "y " << y;
    row.Get(2)->enabled = 0;
    row.Get(3)->visible = 0;
    EXPECT_EQ(row.MouseDown(Centre(2), 320), -1);
    EXPECT_EQ(row.MouseDown(Centre(3), 320), -1);
}

TEST_F(CBitButtonTest, TheHoverSoundPlaysOncePerEntry)
{
    EXPECT_EQ(row.MouseMove(Centre(1), 320), 1);
    EXPECT_EQ(row.MouseMove(Centre(1) + 5, 325), -1);
    EXPECT_EQ(row.MouseMove(Centre(1), 500), 1);
    EXPECT_EQ(row.MouseMove(Centre(1), 510), -1);
    EXPECT_EQ(row.MouseMove(Centre(1), 320), 1);
    EXPECT_EQ(Heard(kHover), 2);
    EXPECT_EQ(sounds.size(), 2u);
}

// Each state draws its frame of the strip, keyed; a caption in white; a disabled button its normal
// frame faint, deaf to the pointer; a hidden one nothing.
TEST_F(CBitButtonTest, EachStateDrawsItsFrameAndADisabledButtonIsFaintAndDeaf)
{
    CBitButton &b = *row.Get(1);
    std::unique_ptr<Surface> strip = Load(kButton), before = Snapshot();
    const struct {
        uint8_t hover, pressed;
        int frame;
    } states[] = {{0, 0, 0}, {1, 0, 1}, {1, 1, 2}, {0, 1, 0}};
    for (auto state : states) {
        *lpDDSBack = *before;
        b.hover = state.hover;
        b.pressed = state.pressed;
        b.Draw();
        EXPECT_EQ(CellMismatches(*strip, Frame(state.frame), 70, 300, *before), 0) << "frame " << state.frame;
    }
    std::unique_ptr<Surface> plain = Snapshot();
    b.SetCaption("II");
    b.Draw();
    // In the middle of the button, clear of its border.
    int first = 800, last = 0, top = 600, bottom = 0;
    EachChanged(*plain, {70, 300, 134, 340}, [&](uint32_t, uint32_t, int x, int y) {
        first = std::min(first, x), last = std::max(last, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    });
    EXPECT_LE(std::abs(first + last - 2 * 102), 3) << first << ".." << last;
    EXPECT_LE(std::abs(top + bottom - 2 * 320), 5) << top << ".." << bottom;

    *lpDDSBack = *before;
    GAlphaBlend(strip.get(), 70, 300, 0, 0, 64, 40, 50);
    std::unique_ptr<Surface> faint = Snapshot();
    *lpDDSBack = *before;
    b.SetCaption("");
    b.hover = b.pressed = 0;
    b.enabled = 0;
    EXPECT_FALSE(b.MouseMove(100, 320));
    EXPECT_FALSE(b.MouseDown(100, 320));
    b.Draw();
    EXPECT_EQ(Changed(*faint, lpDDSBack->Bounds()), 0);
    EXPECT_TRUE(sounds.empty());
    *lpDDSBack = *before;
    b.visible = 0;
    b.Draw();
    EXPECT_EQ(Changed(*before, lpDDSBack->Bounds()), 0);
}

TEST_F(CBitButtonTest, AToolTipShowsAboveAHoveredButtonOnlyWhereItFits)
{
    CBitButton &b = *row.Get(1);
    b.tooltip = "Tip";
    b.hover = 1;
    std::unique_ptr<Surface> before = Snapshot();
    b.SetPos(100, 16);
    b.Draw();
    EXPECT_EQ(Changed(*before, {0, 0, 800, 16}), 0);
    *lpDDSBack = *before;
    b.SetPos(100, 17);
    b.Draw();
    EXPECT_GT(Whites({100, 1, 164, 17}), 0);
}

// A click is a press and a release on the same button: dragged off, nothing is clicked and no
// pressed frame is left. The press goes to the first button under it, the release to every one.
TEST_F(CBitButtonTest, AClickNeedsThePressAndTheReleaseOnOneButton)
{
    EXPECT_EQ(row.MouseDown(Centre(2), 320), 2);
    EXPECT_EQ(row.MouseMove(Centre(5), 320), 5);
    EXPECT_EQ(row.MouseUp(Centre(5), 320), -1);
    EXPECT_EQ(row.Get(2)->pressed + row.Get(5)->pressed, 0);
    // Back over the button it shows hovered, not pressed.
    row.MouseMove(Centre(2), 320);
    std::unique_ptr<Surface> before = Snapshot();
    row.DrawAll();
    EXPECT_EQ(CellMismatches(*Load(kButton), Frame(1), 140, 300, *before), 0);

    row.SetPos(4, 70 * 3, 300); // 3 and 4 now lie on each other
    EXPECT_EQ(row.MouseDown(Centre(3), 320), 3);
    EXPECT_EQ(row.Get(4)->pressed, 0);
    row.Get(4)->pressed = 1;
    EXPECT_EQ(row.MouseUp(Centre(3), 320), 4);
    EXPECT_EQ(row.Get(3)->pressed + row.Get(4)->pressed, 0);
}

TEST_F(CBitButtonTest, FiftyButtonsAtMostAndNothingAnswersOutsideThem)
{
    const int tableBefore = surfacenum;
    {
        CBitButtonArray full;
        for (int i = 0; i < 51; ++i)
            full.Add("Graphic\\ChatWnd\\up.bmp", "");
        EXPECT_EQ(full.Count(), 50);
        EXPECT_EQ(full.Get(-1), nullptr);
        EXPECT_EQ(full.Get(50), nullptr);
        full.SetPos(-1, 5, 5);
        full.SetPos(50, 5, 5);
        for (int i = 0; i < 50; ++i)
            EXPECT_EQ(full.Get(i)->x, 0);
    }
    // Gone buttons leave nothing in the table of remembered pictures.
    EXPECT_EQ(surfacenum, tableBefore);
}

} // namespace
