#include "rules/CGbHu.h"
#include "rules/CMjPlayer.h"
#include "rules/HandNotation.h"
#include "tests/kit/HandMaker.h"
#include "tests/kit/SearchOracle.h"
#include "tests/support/Tiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

struct Case {
    const char *hand;
    const char *want;
};

// Totals worked out by hand from the fan rules (round and seat wind East, minfan 0 unless given).
const Case kTable[] = {
    // Pure straight 16, concealed 2, all chows 2, 123m/123p 1, single wait on 5s 1, 258 pair 1;
    // short straight and two terminal chows go under the straight, no honours under all chows.
    {"123m456m789m123p5s 5s", "total=23 fans=28,62,63,70,79,86"},
    // Thirteen orphans 88 alone on a discard; self-drawn adds 1.
    {"19m19s19p1234567z 1m", "total=88 fans=7"},
    {"19m19s19p1234567z 1m self", "total=89 fans=7,80"},
    // Seven shifted pairs 88 + seven pairs 24 (112) beats the chow reading's 88 + concealed 2.
    {"1122334455667m 7m", "total=112 fans=6,19"},
    // Seven kinds in a row of one suit that are not seven pairs: full flush 24, three concealed
    // pungs 16, concealed 2, 111m 1, single wait 1, and no seven shifted pairs.
    {"111234555666m7m 7m", "total=44 fans=22,33,62,73,79"},
    // Fourteen different tiles, but 1m and 2m are of two knitted sets: no honours and knitted tiles.
    {"12m258s369p12345z 6z", "nowin"},
    // Knitted tiles and honours, but a pung of East among them: not fourteen different tiles.
    {"147m258s369p1112z 3z", "nowin"},
    // A flower left among the concealed tiles is no tile of a hand.
    {"19m19s19p123456z1f 7z", "nowin"},
    // Knitted straight with an honour pung and pair: 12 only (no wind-dragon mix for 51).
    {"147m258s369p11z22z 2z", "total=12 fans=35"},
    // Lesser honours and knitted 12, its numbered tiles a knitted straight 12; greater 24 with
    // self-drawn 1.
    {"147m258s369p1234z 5z", "total=24 fans=34,35"},
    {"147m25s3p1234567z 6p self", "total=25 fans=20,80"},
    // Big four winds 88 + all honours 64 + single wait 1; pungs, wind fans and terminal pungs cleared.
    {"[111z][222z][333z]444z5z 5z", "total=153 fans=1,11,79"},
    // Big four winds 88, half flush 6, single wait 1, 258 pair 1; its wind pungs are no 73.
    {"[111z][222z][333z]444z5m 5m", "total=96 fans=1,49,79,86"},
    // Small three dragons 64 without two dragon pungs, half flush 6, 123m-456m 1.
    {"[555z][666z]77z123m45m 6m", "total=71 fans=10,49,71"},
    // Terminal and honour pungs with West and South: 18 (32), three concealed 16 (333z came on a
    // discard), East pung as round and seat wind 2+2, concealed 2, one voided suit 1.
    {"111m999p111z22z33z 3z", "total=55 fans=18,33,60,61,62,75"},
    // Flowers add a point each and show as a fan of their own, whatever the winning shape.
    {"123m456m789m123p5s 5s flowers=3", "total=26 fans=28,62,63,70,79,81,86"},
    {"1133m2266p4499s1z 1z flowers=2", "total=26 fans=19,81"},
    {"2233445566778p 8p flowers=1", "total=115 fans=6,19,68,81"},
    {"19m19s19p1234567z 1m flowers=3", "total=91 fans=7,81"},
    {"147m258s369p1234z 5z flowers=4", "total=28 fans=34,35,81"},
    {"147m25s3p1234567z 6p self flowers=8", "total=33 fans=20,80,81"},
    {"[555z]147m258s369p1z 1z flowers=2", "total=20 fans=35,51,81"},
    {"1122m3355p77s11z2z 1f wild=1f flowers=2", "total=26 fans=19,81"},
    {"19m19s19p1234567z 1f wild=1f flowers=1", "total=89 fans=7,81"},
    // Seven pairs and the special hands win whatever the minimum.
    {"1122m3355p77s11z2z 2z minfan=300", "total=24 fans=19"},
    {"147m258s369p1234z 5z minfan=300", "total=24 fans=34,35"},
    // Won on a discard of its tile, a pung is no longer concealed: four concealed pungs 64 +
    // self-drawn 1 + 1 + 1 against three concealed 16 + all pungs 6 + 2 + 1 + 1.
    {"111m333p555s77s99m 7s self", "total=67 fans=12,73,76,80"},
    {"111m333p555s77s99m 7s", "total=26 fans=33,48,62,73,76"},
    // Seven pairs 24, self-drawn 1 still counts.
    {"1122m3355p77s11z2z 2z self", "total=25 fans=19,80"},
    // Seven pairs with a quad: 24 + tile hog 2.
    {"1111m2233p5577s6z 6z", "total=26 fans=19,64"},
    // Half flush 6 only; the same hand short of minfan 8 does not win.
    {"[234m][345m]888m11z66m 6m", "total=6 fans=49"},
    {"[234m][345m]888m11z66m 6m minfan=6", "total=6 fans=49"},
    {"[234m][345m]888m11z66m 6m minfan=8", "nowin"},
    // Melded hand 6 (clears single wait), mixed straight 8, East pung 2+2, 258 pair 1.
    {"[123m][456p][789s][111z]5m 5m", "total=19 fans=39,52,60,61,86"},
    // Out on the kong's replacement 8 (clears self-drawn), East pung 2+2, concealed kong 2.
    {"{2222m}345p678s99s11z 1z self kong", "total=14 fans=46,60,61,67"},
    // Mixed straight 8, concealed 2, 123m twice 1; robbing a kong 8 clears the last-copy fan 4.
    {"123m456p789s23m55z 1m rob seen=4", "total=19 fans=39,47,62,69"},
    {"123m456p789s23m55z 1m seen=4", "total=15 fans=39,58,62,69"},
    // Last tile: drawn 8 with fully concealed 4, claimed 8 with concealed 2.
    {"123m456p789s23m55z 1m self left=1", "total=21 fans=39,44,56,69"},
    {"123m456p789s23m55z 1m left=1", "total=19 fans=39,45,62,69"},
    {"123m456p789s23m55z 1m self left=2", "total=13 fans=39,56,69"},
    // Read as pungs: shifted pungs 24, three concealed 16, concealed 2, 111m 1, voided suit 1,
    // single wait 1 = 45, above the three-chows reading (24 + 2 + 1 + 1).
    {"111222333m456p7z 7z", "total=45 fans=24,33,62,73,75,79"},
    // Three identical chows 24 and no pure double chow; outside hand 4, voided suit 1, single 1.
    {"[789s][789s]789s123p1z 1z", "total=30 fans=23,55,75,79"},
    // Edge wait on 3m 1 clears the single wait; mixed straight 8, East pung 4, concealed 2.
    {"1233m456p789s111z 3m", "total=15 fans=39,60,61,62,77"},
    // Closed wait 1, mixed straight 8, East pung 4, concealed 2, 258 pair 1.
    {"13m456p789s111z55s 2m", "total=16 fans=39,60,61,62,78,86"},
    // Mixed triple chow 8, all chows 2, concealed 2, 123m-456m 1, single wait 1, 258 pair 1.
    {"123m123p123s456m5p 5p", "total=15 fans=41,62,63,71,79,86"},
    // Triple pung 16, three concealed 16 (self-drawn), fully concealed 4, all simples 2, single 1.
    {"222m222p222s345m6s 6s self", "total=39 fans=32,33,56,68,79"},
    // Four concealed pungs 64 (its concealed hand counted: drawn, only self-drawn 1 stays), 111m
    // 1, no honours 1, single wait 1.
    {"111m333p555s777s9m 9m self", "total=68 fans=12,73,76,79,80"},
    // Nine gates 88 (clears full flush, concealed, the terminal pungs), 111m/999m concealed 2,
    // single wait on 5m 1, 258 pair 1.
    {"1112345678999m 5m", "total=92 fans=4,66,79,86"},
    // All green 88, concealed 2, tile hog of 2s 2, two concealed pungs 2 (222s came on a discard).
    {"234s666s888s66z22s 2s", "total=94 fans=3,62,64,66"},
    // All honours 64 + little four winds 64, three concealed 16, dragon pung 2, East 2+2, concealed 2.
    {"111z222z333z44z55z 5z", "total=152 fans=9,11,33,59,60,61,62"},
    // All fives 16 (clears all simples), concealed 2, 456p/456s 1, tile hog of 5s 2, single 1, 258 1.
    {"345m456p555s456s5m 5m", "total=23 fans=31,62,64,70,79,86"},
    // Three-suited terminal chows 16 clears all chows, mixed double, two terminal chows.
    {"123m789m123p789p5s 5s", "total=20 fans=29,62,79,86"},
    // Three kongs 32 clear the kong fans; 1-2-3 shifted pungs across suits 8; terminal pung 1; single 1.
    {"[1111m][2222p][3333s]456m7z 7z", "total=42 fans=17,42,73,79"},
    // Concealed kongs count for three concealed pungs 16.
    {"{1111m}{2222p}{3333s}456m7z 7z", "total=58 fans=17,33,42,73,79"},
    // Lower tiles 24, mixed triple chow 8, outside hand 4, concealed 2, all chows 2, 123s twice 1,
    // single wait 1.
    {"123m123p123s123s1m 1m", "total=42 fans=27,41,55,62,63,69,79"},
    // Reversible tiles 8 clears the voided suit; concealed 2; single wait 1.
    {"123p345p888p456s7z 7z", "total=11 fans=40,62,79"},
    // Knitted straight with a melded fourth set: 12 + all types 6.
    {"[555z]147m258s369p1z 1z", "total=18 fans=35,51"},
    // Four shifted pungs across the suits (extra 0, 6) counts, not also no-wild (extra 4):
    // four concealed pungs 64, mixed shifted pungs 8, 111m 1, single wait 1.
    {"111m222p333s444m5z 5z wild=9p", "total=80 fans=12,42,73,79,x0,x4"},
};


// Where the national rules give another result than a literal reading of the fan list.
const Case kMends[] = {
    // Honours other than East still make terminals and honours (18).
    {"111m999p555z66z77z 7z", "total=115 fans=10,18,33,62,75"},
    // Nine gates is the shape held before the win: 1112345678999m won on a 9m is nine gates; the
    // same fourteen tiles won on a 1m never held the shape (full flush 24, straight 16, concealed 2,
    // tile hog 2, 999m 1, single wait 1).
    {"1112345678999m 9m", "total=106 fans=4,28,64"},
    {"1123456789999m 1m", "total=46 fans=22,28,62,64,73,79"},
    {"1122345678999m 1m", "total=29 fans=22,62,71,73,86"},
    // Fans that count the concealed hand leave only self-drawn when drawn; out on a kong's
    // replacement takes the self-drawn point's place.
    {"1112345678999m 5m self", "total=93 fans=4,66,79,80,86"},
    {"{1111m}333p555s777s9m 9m self kong", "total=77 fans=12,46,67,73,76,79"},
    // Seven pairs score their terminal fans but hold no dragon pungs: four Red and four Green are
    // two pairs each.
    {"1199m1199p99s112z 2z", "total=56 fans=18,19"},
    {"1111m99m11p99p11s9s 9s", "total=90 fans=8,19,64"},
    {"1122334455667z 7z", "total=88 fans=11,19"},
    {"2288m4s55556666z 4s", "total=27 fans=19,64,75"},
    // Honours and knitted tiles count the knitted straight only when they hold one.
    {"147m258s36p12345z 6z", "total=12 fans=34"},
    // Robbing a kong and out on a kong's replacement count for every winning shape.
    {"19m19s19p1234567z 1m rob", "total=96 fans=7,47"},
    {"1122m3355p77s11z2z 2z self kong", "total=32 fans=19,46"},
    {"147m258s369p1234z 5z self kong", "total=32 fans=34,35,46"},
    // Out on a kong's replacement is self-drawn only: a discard after a kong scores no kong fan.
    {"{2222m}345p678s99s11z 1z kong", "total=6 fans=60,61,67"},
    // Three concealed pungs with a concealed kong are not also two.
    {"{1111m}333p555s789s2z 2z", "total=20 fans=33,67,73,79"},
    // A melded hand needs every meld claimed.
    {"[1111m][222p][333s][456s]5m 5m", "total=18 fans=42,52,73,74,76,86"},
    {"{1111m}[222p][333s][456s]5m 5m", "total=14 fans=42,67,73,76,79,86"},
    // The wild tile stands as the thirteen orphans' duplicate, pairs the last single of seven pairs
    // and fills honours and knitted tiles.
    {"19m19s19p1234567z 1f wild=1f", "total=88 fans=7"},
    {"19m19s19p123456z9m 1f wild=1f", "total=88 fans=7"},
    {"1122m3355p77s11z2z 1f wild=1f", "total=24 fans=19"},
    {"147m25s36p123456z 9s wild=9s", "total=24 fans=20"},
};

TEST(CGbHuTable, HandsScoreTheirWorkedTotalsAndWhatTheNationalRulesGive)
{
    for (const Case &c : kTable)
        EXPECT_EQ(CheckHand(c.hand), c.want) << c.hand;
    for (const Case &c : kMends)
        EXPECT_EQ(CheckHand(c.hand), c.want) << c.hand;
}

// A seat with concealed tiles and melds ready for the evaluator.
class HuFixture : public testing::Test {
protected:
    // Seats the hand; its concealed tiles sorted in tiles[], the winning one added if `won`.
    HandNotation Seat(const char *line, bool won)
    {
        HandNotation hand;
        EXPECT_EQ(ParseHand(line, &hand), "") << line;
        player.Reset();
        SeatHand(hand, &player);
        count = 0;
        for (int i = 0; i < hand.concealednum; i++)
            tiles[count++] = hand.concealed[i];
        if (won)
            tiles[count++] = hand.win;
        SortMj(tiles, count);
        hu.SetWildMode(hand.wild, hand.wildmj);
        seen[hand.win.suit][hand.win.value] = won;
        return hand;
    }
    int Score(const char *line)
    {
        Seat(line, true);
        return hu.Hu(&player, tiles, count, seen, 50);
    }
    // CanHu about a waiting hand written as "<melds><concealed> <any tile>" (the tile is ignored).
    int Wait(const char *line)
    {
        hu.SetMinFan(Seat(line, false).minfan);
        player.totalfan = 77;
        player.winmj = MakeMj(9, SUIT_BING);
        player.hunum = 2;
        player.hugroup[0].kind = GETMJ_CHI;
        int got = hu.CanHu(&player, tiles, count);
        EXPECT_EQ(player.totalfan, 77) << line;
        EXPECT_EQ(Text({player.winmj}), "9p") << line;
        EXPECT_EQ(player.hunum, 2) << line;
        EXPECT_EQ(player.hugroup[0].kind, GETMJ_CHI) << line;
        return got;
    }

    CGbHu hu;
    CMjPlayer player;
    MjTile tiles[14];
    int count = 0;
    int seen[5][10] = {};
};

TEST_F(HuFixture, WrongTileCountsLeaveTheSeatUntouched)
{
    Score("123m456m789m123p5s 5s");
    player.totalfan = 77;
    player.hunum = 3;
    EXPECT_EQ(hu.Hu(&player, tiles, 13, seen, 50), 0);
    EXPECT_EQ(hu.Hu(&player, tiles, 15, seen, 50), 0);
    for (int wrong : {-1, 0, 12, 40})
        EXPECT_EQ(hu.Hu(&player, tiles, wrong, seen, 50), 0) << wrong;
    EXPECT_EQ(hu.Hu(nullptr, tiles, 14, seen, 50), 0);
    EXPECT_EQ(player.totalfan, 77);
    EXPECT_EQ(player.hunum, 3);

    // A tile of a suit with a value no tile has (a damaged record) is no tile of a hand.
    tiles[0] = MakeMj(0, SUIT_WAN);
    EXPECT_EQ(hu.Hu(&player, tiles, 14, seen, 50), 0);
    tiles[0] = MakeMj(8, SUIT_ZI);
    EXPECT_EQ(hu.Hu(&player, tiles, 14, seen, 50), 0);
    EXPECT_EQ(player.totalfan, 77);

    // Melds beside a whole hand of held tiles: more tiles than a hand holds, so nothing is searched.
    player.getnum = 4;
    for (int i = 0; i < 4; i++) {
        MjTile t = MakeMj(i + 1, SUIT_BING);
        player.getmj[i] = GetMj{{t, t, t}, 3, GETMJ_PENG};
    }
    for (uint8_t wild : {0, 1}) {
        hu.SetWildMode(wild, MakeMj(5, SUIT_TIAO));
        EXPECT_EQ(hu.Hu(&player, tiles, 14, seen, 50), 0);
        EXPECT_EQ(hu.CanHu(&player, tiles, 13), 0);
    }
    EXPECT_EQ(player.totalfan, 77);
}

// Points for an ordinary wait (0 below the minimum), 1 for a special hand's, 0 for no wait. The robot
// asks about many hands a turn: no question may change the seat it asks for.
TEST_F(HuFixture, WaitsAnswerWithoutTouchingTheSeat)
{
    const struct {
        const char *line;
        int want;
    } cases[] = {
        // Two pairs: the first (6m) becomes the pung, half flush 6; winning on 1z would score 10.
        {"[234m][345m]888m11z66m 1s", 6},
        {"[234m][345m]888m11z66m 1s minfan=6", 6},
        {"[234m][345m]888m11z66m 1s minfan=8", 0},
        // 4-5m waits on 3m (10) or 6m (12) and is scored as won on the 3m; 1-2m can only take 3m
        // (an edge wait, 12), 8-9m only 7m (13).
        {"123m456p789s45m11z 1s", 10},
        {"123m456p789s12m11z 1s", 12},
        {"123m456p789s89m11z 1s", 13},
        {"1122m3355p77s11z2z 1s minfan=8", 1},
        {"147m258s369p1234z 1s minfan=8", 1},
        {"147m258s36p111z22z 1s minfan=8", 1},
        {"147m258s369p1123z 1s minfan=8", 0}, // knitted, but a kind held twice
        {"19m19s19p1234567z 1s", 1},
        {"19m19s19p123456z1m 1s", 1},
        {"19m19s19p12345z11m 1s", 0},
        {"19m19s19p12345z19m 1s", 0}, // two kinds missing
        {"1357m2468p13579s 1s", 0},
        {"[123m]1357m2468p79s 1s", 0},
        {"123m456m78m111z99s 1s wild=1f", 1},
        {"123m456m78m111z9s1f 1s wild=1f", 1},
        {"1357m2468p13579s 1s wild=1f", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Wait(c.line), c.want) << c.line;
}

// The seat's winning groups in order, each as its kind (K kong, P pung, C chow, D pair) and its tiles, a
// tile a wild one stands for marked with a star.
std::string Groups(const CMjPlayer &p)
{
    std::string out;
    for (int i = 0; i < p.hunum; i++) {
        const GetMj &g = p.hugroup[i];
        out += std::string(i ? " " : "") + "KPCD"[g.kind];
        for (int k = 0; k < g.count; k++)
            out += Text({g.tiles[k]}) + (g.wildfill[k] ? "*" : "");
    }
    return out;
}

TEST_F(HuFixture, GroupsAreStoredInReadingOrderEvenShortOfTheMinimum)
{
    ASSERT_EQ(Score("123m456m789m123p5s 5s"), 1);
    EXPECT_EQ(Groups(player), "C1m2m3m C4m5m6m C7m8m9m D5s5s C1p2p3p");
    hu.SetMinFan(8);
    EXPECT_EQ(Score("[234m][345m]888m11z66m 6m"), 0);
    EXPECT_EQ(Groups(player), "P6m6m6m P8m8m8m D1z1z");
}

TEST_F(HuFixture, AWildTileCompletesAChowAndIsMarked)
{
    ASSERT_EQ(Score("123m456m78m111z99s 1f wild=1f"), 1);
    EXPECT_EQ(player.totalfan, 23);
    EXPECT_TRUE(hu.fanflag[FAN_PURE_STRAIGHT]);
    EXPECT_EQ(Groups(player), "C1m2m3m C4m5m6m C7m8m9m* D9s9s P1z1z1z");
}

// Special shapes are scored without the ordinary search. Over random hands of each shape, with the
// circumstances of the win drawn too, Hu gives what the whole search gives: the same fans, total and
// groups for seven pairs, and for thirteen orphans and honours and knitted tiles a win where the
// search finds none.
TEST(CGbHuShortcuts, SpecialShapesScoreWhatTheWholeSearchGives)
{
    enum Shape { SevenPairs, OneSuitPairs, ShiftedPairs, Orphans, HonoursKnitted, kShapes };
    constexpr int kHands = 3000;
    HandMaker maker(27);
    CGbHu quick, search;
    int ordinarywins = 0;
    for (int shape = 0; shape < kShapes; shape++)
        for (int made = 0; made < kHands;) {
            MadeHand hand;
            bool ok = shape == SevenPairs       ? maker.SevenPairs(&hand)
                      : shape == OneSuitPairs   ? maker.SevenPairs(&hand, true)
                      : shape == ShiftedPairs   ? maker.SevenShiftedPairs(&hand)
                      : shape == Orphans        ? maker.ThirteenOrphans(&hand)
                                                : maker.Knitted(&hand, false);
            if (!ok)
                continue;
            made++;
            CMjPlayer &p = *hand.player;
            p.flowernum = maker.Pick(4);
            p.ganghu = p.zimo && maker.Pick(4) == 0;
            p.qiangganghu = !p.zimo && maker.Pick(6) == 0;
            p.ting = maker.Pick(2);
            int minfan = maker.Pick(2) * 8, left = maker.Pick(2) ? 1 : 50;
            int seen[5][10] = {};
            seen[p.winmj.suit][p.winmj.value] = 1 + maker.Pick(4);
            quick.SetMinFan(minfan);
            search.SetMinFan(minfan);
            const std::string what = Text({hand.tiles, hand.tiles + hand.count}) + " on " + Text({p.winmj});

            ASSERT_EQ(quick.Hu(&p, hand.tiles, hand.count, seen, left), 1) << what;
            const int total = p.totalfan, groups = p.hunum;
            int found = SearchOracle::Hu(search, &p, hand.tiles, hand.count, seen, left);
            if (shape == Orphans || shape == HonoursKnitted) {
                EXPECT_EQ(found, 0) << what;
                // Scored without the search: the total is still the flowers and the fans shown.
                int points = p.flowernum;
                for (int fan = 1; fan < FAN_COUNT; fan++)
                    points += quick.fanflag[fan] && fan != FAN_FLOWERS ? FanPoints(fan) : 0;
                EXPECT_EQ(total, points) << what;
                continue;
            }
            ASSERT_EQ(found, 1) << what;
            EXPECT_EQ(p.totalfan, total) << what;
            EXPECT_EQ(p.hunum, groups) << what;
            EXPECT_TRUE(std::equal(std::begin(quick.fanflag), std::end(quick.fanflag), std::begin(search.fanflag))) << what;
            ordinarywins += p.hunum > 0;
        }
    // One suit's pairs often read as chows, and some of those readings score more than the pairs.
    EXPECT_GT(ordinarywins, 0);
}

} // namespace
