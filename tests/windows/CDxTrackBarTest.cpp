#include "tests/windows/WidgetFixture.h"
#include "windows/CDxTrackBar.h"

namespace {

// Stand-ins for the screens' own thumbs: any generated picture will do.
constexpr const char *kThumb = "Graphic\\state.bmp"; // 40 x 22
constexpr const char *kUp = "Graphic\\NetForm\\up.bmp";
constexpr const char *kDown = "Graphic\\NetForm\\down.bmp";

using CDxTrackBarTest = WidgetTest;

TEST_F(CDxTrackBarTest, TheSliderMovesOnlyByItsThumbAndStopsAtBothEnds)
{
    CDxTrackBar slider(kThumb);
    EXPECT_TRUE(slider.MouseDown(20, 5)); // before its range: no step, no drag
    EXPECT_FALSE(slider.MouseMove(500, 5));
    slider.SetRange(100, 100 + 40 + 200, 300); // ten pixels a step
    slider.position = 10;
    EXPECT_FALSE(slider.MouseDown(200, 310)); // beside the thumb
    EXPECT_FALSE(slider.MouseDown(220, 300));
    EXPECT_FALSE(slider.MouseMove(50, 310));
    EXPECT_EQ(slider.position, 10);

    ASSERT_TRUE(slider.MouseDown(220, 310));
    EXPECT_TRUE(slider.MouseMove(50, 310));
    EXPECT_EQ(slider.position, 0);
    EXPECT_FALSE(slider.MouseMove(100, 310)); // on the track's start
    EXPECT_TRUE(slider.MouseMove(175, 310));
    EXPECT_EQ(slider.position, 7);
    EXPECT_TRUE(slider.MouseMove(400, 310));
    EXPECT_EQ(slider.position, 20);
    EXPECT_FALSE(slider.MouseMove(339, 310)); // 23 steps in, still 20
    std::unique_ptr<Surface> before = Snapshot();
    slider.Draw();
    EXPECT_EQ(CellMismatches(*Load(kThumb), {0, 0, 40, 22}, 300, 300, *before), 0);
    EXPECT_TRUE(slider.MouseUp(0, 0));
    EXPECT_FALSE(slider.MouseMove(150, 310));

    slider.SetRange(100, 100 + 40 + 19, 300); // too short for its steps
    ASSERT_TRUE(slider.MouseDown(100 + 20, 310));
    EXPECT_FALSE(slider.MouseMove(50, 310));
    EXPECT_EQ(slider.position, 20);

    // A thumb wider than its track stays at the track's start.
    slider.SetRange(100, 115, 300);
    lpDDSBack->Fill(lpDDSBack->Bounds(), kBackground);
    before = Snapshot();
    slider.Draw();
    EXPECT_EQ(CellMismatches(*Load(kThumb), {0, 0, 40, 22}, 100, 300, *before), 0);
}

class CDxTrackBar2Test : public WidgetTest {
protected:
    // The lobby's page bar.
    void SetUp() override
    {
        WidgetTest::SetUp();
        bar = std::make_unique<CDxTrackBar2>(kUp, kUp, kDown);
        bar->SetRange(548, 85, 420);
        bar->buttons.SetPos(CDxTrackBar2::kUp, 547, 66);
        bar->buttons.SetPos(CDxTrackBar2::kDown, 547, 420);
    }
    void Click(int index)
    {
        const CBitButton *b = bar->buttons.Get(index);
        bar->MouseDown(b->x + 8, b->y + 8);
        EXPECT_TRUE(bar->MouseUp(b->x + 8, b->y + 8));
    }

    std::unique_ptr<CDxTrackBar2> bar;
};

TEST_F(CDxTrackBar2Test, TheArrowsTurnOnePageAndStopAtTheEnds)
{
    Click(CDxTrackBar2::kUp);
    EXPECT_EQ(bar->position, 0);
    Click(CDxTrackBar2::kDown);
    EXPECT_EQ(bar->position, 1);
    bar->position = 16;
    Click(CDxTrackBar2::kDown);
    EXPECT_EQ(bar->position, 16);
    Click(CDxTrackBar2::kUp);
    EXPECT_EQ(bar->position, 15);
}

TEST_F(CDxTrackBar2Test, DraggingTheThumbPastEitherEndStopsAtTheEnd)
{
    const int step = (420 - 85 - 16) / 16;
    ASSERT_TRUE(bar->MouseDown(555, 93));
    EXPECT_TRUE(bar->MouseMove(555, 600));
    EXPECT_EQ(bar->position, 16);
    EXPECT_EQ(bar->buttons.Get(CDxTrackBar2::kThumb)->y, 420 - 16);
    EXPECT_TRUE(bar->MouseMove(555, 85 + 5 * step + 1));
    EXPECT_EQ(bar->position, 5);
    EXPECT_TRUE(bar->MouseMove(555, 10));
    EXPECT_EQ(bar->position, 0);
    EXPECT_FALSE(bar->MouseMove(555, 85));
    bar->MouseUp(555, 10);

    bar->SetRange(548, 85, 100); // shorter than the thumb and its 16 steps
    ASSERT_TRUE(bar->MouseDown(555, 93));
    EXPECT_FALSE(bar->MouseMove(555, 600));
    EXPECT_EQ(bar->position, 0);
}

} // namespace
