#include "rules/MjTile.h"

#include "tests/support/Tiles.h"

#include <gtest/gtest.h>

namespace {

// The wall and the server name tiles by these numbers, so each must be the tile both sides mean.
TEST(MjTile, EveryPhysicalTileNamesItsKindAndComesBackFromIt)
{
    int copies[5][10] = {};
    for (int i = 0; i < MJ_TOTAL; i++) {
        MjTile t = MjFromIndex(static_cast<uint8_t>(i));
        EXPECT_TRUE(IsSameMj(MjFromIndex(MjToIndex(t)), t)) << i;
        copies[t.suit][t.value]++;
    }
    for (int s = 0; s < 5; s++)
        for (int v = 1; v <= (s == 3 ? 7 : s == 4 ? 8 : 9); v++)
            EXPECT_EQ(copies[s][v], s == 4 ? 1 : 4) << s << "/" << v;
    // Each numbered block holds its suit four times over; the honours run East to White four times.
    const std::vector<MjTile> at = {MjFromIndex(35), MjFromIndex(36),  MjFromIndex(114),
                                    MjFromIndex(115), MjFromIndex(143), MjFromIndex(144)};
    EXPECT_EQ(Text(at), "9m1s7z1z8f0m");
    EXPECT_EQ(MjToIndex(Tile("7z")), 114);
    EXPECT_EQ(MjToIndex(Tile("1f")), 136);
}

TEST(MjTile, SortOrdersBySuitThenValueAndKeepsCopies)
{
    std::vector<MjTile> hand = Tiles("5z9m1p9m2s1f3m");
    SortMj(hand.data(), 7);
    EXPECT_EQ(Text(hand), "3m9m9m2s1p5z1f");
    SortMj(hand.data(), 0);
    EXPECT_TRUE(FindMj(hand.data(), 3, Tile("9m")));
    EXPECT_FALSE(FindMj(hand.data(), 1, Tile("9m"))) << "only the first n tiles are looked at";

    // Removing takes the first copy, leaves the vacated last slot and the count to the caller.
    int n = 7;
    EXPECT_TRUE(RemoveMj(hand.data(), &n, Tile("9m")));
    EXPECT_FALSE(RemoveMj(hand.data(), &n, Tile("7z")));
    EXPECT_EQ(Text(hand), "3m9m2s1p5z1f1f");
}

} // namespace
