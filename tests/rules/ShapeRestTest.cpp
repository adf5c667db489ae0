#include "rules/ShapeRest.h"

#include "tests/support/Tiles.h"

#include <gtest/gtest.h>

namespace {

ShapeRest RestOf(std::string_view text, int *left = nullptr)
{
    std::vector<MjTile> tiles = Tiles(text);
    ShapeRest rest;
    int n = rest.Start(tiles.data(), static_cast<int>(tiles.size()));
    if (left)
        *left = n;
    return rest;
}

int KindOf(std::string_view tile)
{
    MjTile t = Tile(tile);
    return t.suit * 10 + t.value;
}

// The fewest stranded tiles MoreStranded reports: the smallest budget it does not exceed.
int Stranded(const ShapeRest &rest)
{
    int budget = 0;
    while (rest.MoreStranded(budget))
        budget++;
    return budget;
}

TEST(ShapeRest, HeadFollowsTheLowestTileLeftAsTilesGoAndComeBack)
{
    int left = 0;
    ShapeRest rest = RestOf("2m55p3s11z", &left);
    EXPECT_EQ(left, 6);
    EXPECT_EQ(rest.Head(), KindOf("2m"));
    rest.Take(KindOf("2m"));
    EXPECT_EQ(rest.Head(), KindOf("3s"));
    rest.Take(KindOf("3s"));
    rest.Take(KindOf("5p"));
    EXPECT_EQ(rest.Head(), KindOf("5p")) << "one copy of 5p is left";
    rest.Take(KindOf("5p"));
    EXPECT_EQ(rest.Head(), KindOf("1z"));
    rest.Put(KindOf("3s"));
    EXPECT_EQ(rest.Head(), KindOf("3s"));
}

TEST(ShapeRest, ChowsStayWithinOneNumberedSuitAndTilesNoSetHoldsAreStranded)
{
    EXPECT_EQ(Stranded(RestOf("123m")), 0);
    EXPECT_EQ(Stranded(RestOf("13m")), 2) << "a gap is no chow";
    EXPECT_EQ(Stranded(RestOf("1234m")), 0) << "every tile lies in some chow";
    EXPECT_EQ(Stranded(RestOf("555z")), 0);
    EXPECT_EQ(Stranded(RestOf("55z")), 2) << "a pair counts both its tiles";
    EXPECT_EQ(Stranded(RestOf("89m1s")), 3) << "runs do not wrap into the next suit";
    EXPECT_EQ(Stranded(RestOf("123z")), 3) << "honours are held only by pungs";

    ShapeRest rest = RestOf("89m1s123z");
    EXPECT_FALSE(rest.CanChow(KindOf("8m")));
    EXPECT_FALSE(rest.CanPartial(KindOf("9m"), 1)) << "9m and 1s are no partial";
    EXPECT_FALSE(rest.CanPartial(KindOf("9m"), 2)) << "9m and 1s are no partial across the gap either";
    EXPECT_FALSE(rest.CanChow(KindOf("1z"))) << "honours make no chow";
    EXPECT_TRUE(rest.CanPartial(KindOf("8m"), 1));
    EXPECT_TRUE(RestOf("789m").CanChow(KindOf("7m")));
}

TEST(ShapeRest, TakingATileOfASetStrandsTheRest)
{
    ShapeRest rest = RestOf("123m777p");
    EXPECT_EQ(Stranded(rest), 0);
    rest.Take(KindOf("2m"));
    rest.Take(KindOf("7p"));
    EXPECT_EQ(Stranded(rest), 4);
    rest.Put(KindOf("7p"));
    EXPECT_EQ(Stranded(rest), 2);
}

} // namespace
