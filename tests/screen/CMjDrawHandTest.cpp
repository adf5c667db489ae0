#include "rules/CMjPlayer.h"
#include "screen/CMjDraw.h"
#include "table/CMj.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <memory>

// Where the mouse is over the local hand: 13 tiles 36 x 52 from x 210 on the row y 493, the drawn
// tile at 698; a raised tile stands 15 pixels higher.
namespace {

class HandUnderMouse : public testing::Test {
protected:
    void SetUp() override
    {
        draw->owncell = {36, 52};
        draw->handanchor = {698, 493};
        me.cardnum = 13;
        for (int i = 0; i < 13; ++i)
            me.Mj[i] = MakeMj(i % 9 + 1, i / 9);
        me.drawmj = MakeMj(5, 2);
        me.drawflag = 1;
    }
    void TearDown() override
    {
        wildmode = 0;
        wildmj = MjTile{};
    }

    static int TileX(int i) { return 210 + 36 * i + 10; }

    ScratchFolder folder;
    std::unique_ptr<CMjDraw> draw = std::make_unique<CMjDraw>();
    CMjPlayer me;
};

TEST_F(HandUnderMouse, OnlyTheTileItselfRaisesItNotTheStripAbove)
{
    EXPECT_FALSE(draw->HoverHand(TileX(3), 477, &me));
    EXPECT_FALSE(draw->HoverHand(TileX(3), 478, &me));
    EXPECT_FALSE(draw->HoverHand(TileX(3), 492, &me));
    EXPECT_EQ(-1, me.hoverindex);
    EXPECT_TRUE(draw->HoverHand(TileX(3), 493, &me));
    EXPECT_EQ(3, me.hoverindex);
    EXPECT_FALSE(draw->HoverHand(TileX(3), 544, &me));
    EXPECT_EQ(3, me.hoverindex);
    // The raised tile keeps its place while the pointer is on its lifted part.
    EXPECT_FALSE(draw->HoverHand(TileX(3), 478, &me));
    EXPECT_EQ(3, me.hoverindex);
    // Below the hand the tile goes down again.
    EXPECT_TRUE(draw->HoverHand(TileX(3), 545, &me));
    EXPECT_EQ(-1, me.hoverindex);
}

TEST_F(HandUnderMouse, MovingToTheStripAboveAnotherTileLowersTheRaisedOne)
{
    ASSERT_TRUE(draw->HoverHand(TileX(3), 500, &me));
    EXPECT_TRUE(draw->HoverHand(TileX(5), 480, &me));
    EXPECT_EQ(-1, me.hoverindex);
    ASSERT_TRUE(draw->HoverHand(TileX(3), 500, &me));
    EXPECT_TRUE(draw->HoverHand(TileX(5), 493, &me));
    EXPECT_EQ(5, me.hoverindex);
}

TEST_F(HandUnderMouse, TheDrawnTileStandsTwentyPixelsApart)
{
    EXPECT_FALSE(draw->HoverHand(690, 500, &me)); // the gap
    EXPECT_TRUE(draw->HoverHand(698, 500, &me));
    EXPECT_EQ(13, me.hoverindex);
    EXPECT_FALSE(draw->HoverHand(733, 500, &me));
    EXPECT_TRUE(draw->HoverHand(734, 500, &me));
    EXPECT_EQ(-1, me.hoverindex);
    // The right edge of the hand is the last tile's.
    EXPECT_TRUE(draw->HoverHand(677, 500, &me));
    EXPECT_EQ(12, me.hoverindex);
    EXPECT_TRUE(draw->HoverHand(678, 500, &me));
    EXPECT_EQ(-1, me.hoverindex);
}

TEST_F(HandUnderMouse, TilesThatMayNotBePlayedAndWildTilesStayDown)
{
    me.tileok[4] = 0;
    ASSERT_TRUE(draw->HoverHand(TileX(3), 500, &me));
    EXPECT_TRUE(draw->HoverHand(TileX(4), 500, &me));
    EXPECT_EQ(-1, me.hoverindex);

    wildmj = me.Mj[6];
    EXPECT_TRUE(draw->HoverHand(TileX(6), 500, &me)); // no wild tiles without the rule
    EXPECT_EQ(6, me.hoverindex);
    wildmode = 1;
    EXPECT_TRUE(draw->HoverHand(TileX(6), 500, &me));
    EXPECT_EQ(-1, me.hoverindex);
    wildmj = me.drawmj;
    EXPECT_FALSE(draw->HoverHand(700, 500, &me));
    EXPECT_EQ(-1, me.hoverindex);
}

TEST_F(HandUnderMouse, ClickingRaisesAndClickingTheRaisedTileAgainLowersIt)
{
    EXPECT_FALSE(draw->HitTestHand(TileX(2), 492, &me));
    EXPECT_TRUE(draw->HitTestHand(TileX(2), 493, &me));
    EXPECT_EQ(2, me.hoverindex);
    // The raised tile covers 478 to 530.
    EXPECT_FALSE(draw->HitTestHand(TileX(2), 531, &me));
    EXPECT_EQ(2, me.hoverindex);
    EXPECT_TRUE(draw->HitTestHand(TileX(2), 478, &me));
    EXPECT_EQ(-1, me.hoverindex);
    EXPECT_TRUE(draw->HitTestHand(710, 544, &me));
    EXPECT_EQ(13, me.hoverindex);
    EXPECT_FALSE(draw->HitTestHand(710, 545, &me));
    me.drawflag = 0;
    EXPECT_FALSE(draw->HitTestHand(710, 500, &me));
}

TEST_F(HandUnderMouse, WithoutTilePicturesNothingIsUnderTheMouse)
{
    draw->owncell = {0, 0};
    EXPECT_FALSE(draw->HitTestHand(TileX(3), 500, &me));
    EXPECT_FALSE(draw->HoverHand(TileX(3), 500, &me));
    EXPECT_EQ(-1, me.hoverindex);
}

} // namespace
