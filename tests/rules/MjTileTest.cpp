#include "rules/MjTile.h"

#include <gtest/gtest.h>

namespace {

MjTile T(int value, int suit)
{
    return MakeMj(value, suit);
}

TEST(MjTile, IndexesNameTheRightPhysicalTiles)
{
    struct Case {
        int index;
        MjTile tile;
    } cases[] = {{0, T(1, 0)},   {35, T(9, 0)},  {36, T(1, 1)},  {107, T(9, 2)}, {108, T(1, 3)}, {114, T(7, 3)},
                 {115, T(1, 3)}, {135, T(7, 3)}, {136, T(1, 4)}, {143, T(8, 4)}, {144, T(0, 0)}, {255, T(0, 0)}};
    for (const Case &c : cases) {
        MjTile got = MjFromIndex(static_cast<uint8_t>(c.index));
        EXPECT_TRUE(IsSameMj(got, c.tile)) << "index " << c.index;
    }
}

TEST(MjTile, EveryPhysicalTileRoundTripsThroughItsKind)
{
    int copies[5][10] = {};
    for (int i = 0; i < MJ_TOTAL; i++) {
        MjTile t = MjFromIndex(static_cast<uint8_t>(i));
        EXPECT_TRUE(IsSameMj(MjFromIndex(MjToIndex(t)), t)) << i;
        copies[t.suit][t.value]++;
    }
    for (int s = 0; s < 4; s++)
        for (int v = 1; v <= (s == 3 ? 7 : 9); v++)
            EXPECT_EQ(copies[s][v], 4) << s << "/" << v;
    for (int v = 1; v <= 8; v++)
        EXPECT_EQ(copies[4][v], 1);
    EXPECT_EQ(MjToIndex(T(1, 4)), 136);
    EXPECT_EQ(MjToIndex(T(7, 3)), 114);
    EXPECT_EQ(MjToIndex(T(9, 2)), 80);
}

TEST(MjTile, SortOrdersBySuitThenValueAndKeepsCopies)
{
    MjTile hand[] = {T(5, 3), T(9, 0), T(1, 2), T(9, 0), T(2, 1), T(1, 4), T(3, 0)};
    SortMj(hand, 7);
    MjTile want[] = {T(3, 0), T(9, 0), T(9, 0), T(2, 1), T(1, 2), T(5, 3), T(1, 4)};
    for (int i = 0; i < 7; i++)
        EXPECT_TRUE(IsSameMj(hand[i], want[i])) << i;

    MjTile one[] = {T(4, 2)};
    SortMj(one, 1);
    SortMj(one, 0);
    EXPECT_TRUE(IsSameMj(one[0], T(4, 2)));
}

TEST(MjTile, RemoveTakesTheFirstCopyAndLeavesTheCountToTheCaller)
{
    MjTile tiles[] = {T(1, 0), T(2, 0), T(2, 0), T(3, 0)};
    int n = 4;
    EXPECT_TRUE(RemoveMj(tiles, &n, T(2, 0)));
    EXPECT_EQ(n, 4);
    EXPECT_TRUE(IsSameMj(tiles[1], T(2, 0)));
    EXPECT_TRUE(IsSameMj(tiles[2], T(3, 0)));
    EXPECT_TRUE(IsSameMj(tiles[3], T(3, 0))); // the vacated last slot keeps its old tile

    MjTile before[4];
    std::copy(tiles, tiles + 4, before);
    EXPECT_FALSE(RemoveMj(tiles, &n, T(7, 3)));
    for (int i = 0; i < 4; i++)
        EXPECT_TRUE(IsSameMj(tiles[i], before[i]));

    EXPECT_TRUE(FindMj(tiles, 3, T(3, 0)));
    EXPECT_FALSE(FindMj(tiles, 1, T(3, 0)));
    EXPECT_FALSE(FindMj(tiles, 0, T(1, 0)));
}

} // namespace
