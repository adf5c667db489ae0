#include "tests/windows/WidgetFixture.h"
#include "windows/CDxTrackBar.h"

namespace {

// Stand-ins for the screens' own thumbs: any generated picture will do.
constexpr const char *kThumb = "Graphic\\state.bmp";
constexpr const char *kUp = "Graphic\\NetForm\\up.bmp";
constexpr const char *kDown = "Graphic\\NetForm\\down.bmp";

class CDxTrackBarTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        slider = std::make_unique<CDxTrackBar>(kThumb);
        width = slider->thumb.Width();
        // Ten pixels a step.
        slider->SetRange(100, 100 + width + 200, 300);
    }
    // A press in the middle of the thumb where it stands now.
    bool PressThumb() { return slider->MouseDown(100 + slider->position * slider->step + width / 2, 310); }

    std::unique_ptr<CDxTrackBar> slider;
    int width = 0;
};

TEST_F(CDxTrackBarTest, DraggingPastEitherEndStopsAtTheEnd)
{
    ASSERT_EQ(slider->step, 10);
    ASSERT_TRUE(PressThumb());
    EXPECT_TRUE(slider->MouseMove(50, 310));
    EXPECT_EQ(slider->position, 0);
    EXPECT_FALSE(slider->MouseMove(100, 310)); // on the track's start: no change
    EXPECT_TRUE(slider->MouseMove(100 + 75, 310));
    EXPECT_EQ(slider->position, 7);
    EXPECT_TRUE(slider->MouseMove(slider->x1 + 50, 310));
    EXPECT_EQ(slider->position, 20);
    // Near the track's end the step count would pass 20.
    EXPECT_FALSE(slider->MouseMove(slider->x1 - 1, 310));
    EXPECT_EQ(slider->position, 20);
    EXPECT_TRUE(slider->MouseUp(0, 0));
    EXPECT_FALSE(slider->MouseMove(150, 310));
    EXPECT_EQ(slider->position, 20);
}

TEST_F(CDxTrackBarTest, APressBesideTheThumbMovesNothing)
{
    slider->position = 10;
    const int left = 100 + 10 * 10;
    EXPECT_FALSE(slider->MouseDown(left, 310));
    EXPECT_FALSE(slider->MouseDown(left - 30, 310));
    EXPECT_FALSE(slider->MouseDown(left + 5, 300));
    EXPECT_FALSE(slider->MouseMove(50, 310));
    EXPECT_EQ(slider->position, 10);
}

TEST_F(CDxTrackBarTest, ATrackTooShortForItsStepsTakesNoDrag)
{
    CDxTrackBar unset(kThumb);
    EXPECT_TRUE(unset.MouseDown(width / 2, 5));
    EXPECT_FALSE(unset.MouseMove(500, 5));
    EXPECT_EQ(unset.position, 20);

    slider->SetRange(100, 100 + width + 19, 300);
    EXPECT_EQ(slider->step, 0);
    ASSERT_TRUE(PressThumb());
    EXPECT_FALSE(slider->MouseMove(110, 310));
    EXPECT_FALSE(slider->MouseMove(50, 310));
    EXPECT_EQ(slider->position, 20);
}

TEST_F(CDxTrackBarTest, TheThumbIsDrawnAtItsStep)
{
    slider->position = 7;
    std::unique_ptr<Surface> before = Snapshot();
    slider->Draw();
    EXPECT_EQ(CellMismatches(*Load(kThumb), slider->thumb.rect, 170, 300, *before), 0);
}

class CDxTrackBar2Test : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        bar = std::make_unique<CDxTrackBar2>(kUp, kUp, kDown);
        // The lobby's page bar.
        bar->SetRange(548, 85, 420);
        bar->buttons.SetPos(CDxTrackBar2::kUp, 547, 66);
        bar->buttons.SetPos(CDxTrackBar2::kDown, 547, 420);
    }
    bool Click(int index)
    {
        const CBitButton *b = bar->buttons.Get(index);
        bar->MouseDown(b->x + 8, b->y + 8);
        return bar->MouseUp(b->x + 8, b->y + 8);
    }

    std::unique_ptr<CDxTrackBar2> bar;
};

TEST_F(CDxTrackBar2Test, TheArrowsTurnOnePageAndStopAtTheEnds)
{
    EXPECT_TRUE(Click(CDxTrackBar2::kUp));
    EXPECT_EQ(bar->position, 0);
    EXPECT_TRUE(Click(CDxTrackBar2::kDown));
    EXPECT_EQ(bar->position, 1);
    bar->position = 16;
    EXPECT_TRUE(Click(CDxTrackBar2::kDown));
    EXPECT_EQ(bar->position, 16);
    EXPECT_TRUE(Click(CDxTrackBar2::kUp));
    EXPECT_EQ(bar->position, 15);
    EXPECT_EQ(bar->dragging, 0);
}

TEST_F(CDxTrackBar2Test, DraggingTheThumbPastEitherEndStopsAtTheEnd)
{
    ASSERT_EQ(bar->step, (420 - 85 - 16) / 16);
    ASSERT_TRUE(bar->MouseDown(555, 93));
    EXPECT_EQ(bar->dragging, 1);
    EXPECT_TRUE(bar->MouseMove(555, 600));
    EXPECT_EQ(bar->position, 16);
    EXPECT_EQ(bar->buttons.Get(CDxTrackBar2::kThumb)->y, 85 + 420 - 85 - 16);
    EXPECT_TRUE(bar->MouseMove(555, 85 + 5 * bar->step + 1));
    EXPECT_EQ(bar->position, 5);
    EXPECT_TRUE(bar->MouseMove(555, 10));
    EXPECT_EQ(bar->position, 0);
    EXPECT_FALSE(bar->MouseMove(555, 85));
    bar->MouseUp(555, 10);

    bar->SetRange(548, 85, 100); // shorter than the thumb and its 16 steps
    ASSERT_LE(bar->step, 0);
    ASSERT_TRUE(bar->MouseDown(555, 93));
    EXPECT_FALSE(bar->MouseMove(555, 600));
    EXPECT_EQ(bar->position, 0);
}

TEST_F(CDxTrackBar2Test, TheColumnOfTilesRunsDownToTheBottomUnderTheThumb)
{
    bar->buttons.SetPos(CDxTrackBar2::kDown, 700, 500);
    bar->position = 8;
    std::unique_ptr<Surface> before = Snapshot();
    bar->Draw();
    std::unique_ptr<Surface> tile = Load("Graphic\\NetForm\\barcenter.bmp");
    // (420 - 85) / 8 + 1 = 42 tiles from the top, opaque; the last reaches just past the bottom.
    EXPECT_EQ(CellMismatches(*tile, tile->Bounds(), 547, 85, *before, false), 0);
    EXPECT_EQ(CellMismatches(*tile, tile->Bounds(), 547, 85 + 41 * 8, *before, false), 0);
    EXPECT_EQ(Changed(*before, {547, 85 + 42 * 8, 563, 85 + 43 * 8}), 0);
    // The thumb's own pixels over the column.
    const int thumbY = 85 + 8 * bar->step;
    EXPECT_EQ(CellMismatches(*Load(kUp), {0, 0, 16, 16}, 547, thumbY, *Snapshot()), 0);
}

} // namespace
