#include "rules/CGbHu.h"
#include "rules/CMjPlayer.h"
#include "rules/HandNotation.h"

#include <gtest/gtest.h>

namespace {

// Asks CanHu about a waiting hand written as "<melds><concealed> <any tile>" (the tile is ignored).
class WaitFixture : public testing::Test {
protected:
    int Wait(const char *line)
    {
        HandNotation hand;
        EXPECT_EQ(ParseHand(line, &hand), "") << line;
        player.Reset();
        SeatHand(hand, &player);
        SortMj(hand.concealed, hand.concealednum);
        return hu.CanHu(&player, hand.concealed, hand.concealednum);
    }

    CGbHu hu;
    CMjPlayer player;
};

TEST_F(WaitFixture, FirstShapeFoundDecidesAgainstTheMinimum)
{
    // Two pairs: the first (6m) becomes the pung, half flush 6; winning on 1z would score 10.
    EXPECT_EQ(Wait("[234m][345m]888m11z66m 1s"), 6);
    hu.SetMinFan(8);
    EXPECT_EQ(Wait("[234m][345m]888m11z66m 1s"), 0);
}

TEST_F(WaitFixture, TwoNeighboursAreCompletedBelow)
{
    // 4-5m waits on 3m (10) or 6m (12: two more chow fans) and is scored as won on the 3m; 1-2m
    // can only take 3m (an edge wait, 12), 8-9m only 7m (13).
    EXPECT_EQ(Wait("123m456p789s45m11z 1s"), 10);
    EXPECT_EQ(Wait("123m456p789s12m11z 1s"), 12);
    EXPECT_EQ(Wait("123m456p789s89m11z 1s"), 13);
}

// The robot asks about many hands a turn; none of its questions may change the seat it asks for.
TEST_F(WaitFixture, AQuestionLeavesTheSeatAsItWas)
{
    auto expectUntouched = [this](const char *line) {
        HandNotation hand;
        ASSERT_EQ(ParseHand(line, &hand), "");
        player.Reset();
        SeatHand(hand, &player);
        SortMj(hand.concealed, hand.concealednum);
        player.totalfan = 77;
        player.winmj = MakeMj(9, SUIT_BING);
        player.hunum = 2;
        player.hugroup[0].kind = GETMJ_CHI;
        player.flowernum = 2;
        EXPECT_GE(hu.CanHu(&player, hand.concealed, hand.concealednum), 1) << line;
        EXPECT_EQ(player.totalfan, 77) << line;
        EXPECT_TRUE(IsSameMj(player.winmj, MakeMj(9, SUIT_BING))) << line;
        EXPECT_EQ(player.hunum, 2) << line;
        EXPECT_EQ(player.hugroup[0].kind, GETMJ_CHI) << line;
    };
    expectUntouched("123m456p789s45m11z 1s");
    expectUntouched("[234m][345m]888m11z66m 1s");
    hu.SetWildMode(1, MakeMj(1, SUIT_HUA));
    expectUntouched("123m456m78m111z99s 1s");
}

TEST_F(WaitFixture, SpecialWaitsAnswerOneWhateverTheirPoints)
{
    hu.SetMinFan(8);
    EXPECT_EQ(Wait("1122m3355p77s11z2z 1s"), 1);
    EXPECT_EQ(Wait("147m258s369p1234z 1s"), 1);
    EXPECT_EQ(Wait("147m258s36p111z22z 1s"), 1);
}

TEST_F(WaitFixture, ThirteenOrphansWaitIsRecognised)
{
    EXPECT_EQ(Wait("19m19s19p1234567z 1s"), 1);
    EXPECT_EQ(Wait("19m19s19p123456z1m 1s"), 1);
    EXPECT_EQ(Wait("19m19s19p12345z11m 1s"), 0);
}

TEST_F(WaitFixture, HandThatWaitsForNothingGivesZero)
{
    EXPECT_EQ(Wait("1357m2468p13579s 1s"), 0);
    EXPECT_EQ(Wait("[123m]1357m2468p79s 1s"), 0);
}

TEST_F(WaitFixture, WildWaitingHandCountsTheMissingTileAsWild)
{
    hu.SetWildMode(1, MakeMj(1, SUIT_HUA));
    EXPECT_EQ(Wait("123m456m78m111z99s 1s"), 1);
    EXPECT_EQ(Wait("123m456m78m111z9s1f 1s"), 1);
    EXPECT_EQ(Wait("1357m2468p13579s 1s"), 0);
}

} // namespace
