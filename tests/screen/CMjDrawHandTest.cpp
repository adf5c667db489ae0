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

// The pointer moved in turn to each place: whether the hand changed and which tile is raised after.
TEST_F(HandUnderMouse, OnlyATileItselfRaisesItAndTheDrawnTileStandsApart)
{
    const struct {
        int x, y;
        bool changed;
        int raised;
    } moves[] = {
        // Only the tile itself raises it, not the strip above; the raised tile keeps its place while
        // the pointer is on its lifted part; below the hand it goes down again.
        {TileX(3), 477, false, -1}, {TileX(3), 478, false, -1}, {TileX(3), 492, false, -1},
        {TileX(3), 493, true, 3},   {TileX(3), 544, false, 3},  {TileX(3), 478, false, 3},
        {TileX(3), 545, true, -1},
        // Moving to the strip above another tile lowers the raised one.
        {TileX(3), 500, true, 3},   {TileX(5), 480, true, -1},  {TileX(3), 500, true, 3},
        {TileX(5), 493, true, 5},   {TileX(5), 545, true, -1},
        // The drawn tile stands twenty pixels apart; the hand's right edge is the last tile's.
        {690, 500, false, -1},      {698, 500, true, 13},       {733, 500, false, 13},
        {734, 500, true, -1},       {677, 500, true, 12},       {678, 500, true, -1},
    };
    for (const auto &m : moves) {
        EXPECT_EQ(m.changed, draw->HoverHand(m.x, m.y, &me)) << m.x << "," << m.y;
        EXPECT_EQ(m.raised, me.hoverindex) << m.x << "," << m.y;
    }
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
