#include "rules/CMjPlayer.h"

#include "RobotHands.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The chows a claim offers, each as the two tiles it takes from the hand.
std::string Chows(const CMjPlayer &p)
{
    std::string out;
    for (int i = 0; i < p.chinum; i++)
        out += (i ? " " : "") + Text({p.chichoice[i].tiles[0], p.chichoice[i].tiles[1]});
    return out;
}

TEST(SeatClaims, ChowsOfferEveryShapeHeldMiddleFirstAndNoneAcrossSuitsOrOnHonours)
{
    const struct {
        const char *hand, *tile, *chows;
    } cases[] = {
        {"123789s", "1s", "2s3s"}, // a terminal offers only the run inward
        {"123789s", "9s", "7s8s"},
        {"3467p", "5p", "4p6p 3p4p 6p7p"},
        {"23m", "1m", "2m3m"},
        {"23m", "9m", ""}, // after an offer, a refusal leaves no stale choice
        {"4m6s12z", "5m", ""},
        {"4m6s12z", "3z", ""},
    };
    CMjPlayer p;
    for (const auto &c : cases) {
        SetHand(p, c.hand);
        EXPECT_EQ(p.CanChi(Tile(c.tile)), *c.chows != 0) << c.hand << " + " << c.tile;
        EXPECT_EQ(Chows(p), c.chows) << c.hand << " + " << c.tile;
    }
}

TEST(SeatClaims, APungNeedsTwoAndAKongExactlyThree)
{
    CMjPlayer p;
    SetHand(p, "55m666s7777z");
    EXPECT_TRUE(p.CanPeng(Tile("5m")));
    EXPECT_FALSE(p.CanGang(Tile("5m")));
    EXPECT_TRUE(p.CanGang(Tile("6s")));
    EXPECT_FALSE(p.CanGang(Tile("7z"))) << "four in hand is a concealed kong, not a claim";
    EXPECT_FALSE(p.CanPeng(Tile("1s")));
}

TEST(SeatClaims, TheWildTileIsNeverClaimedNorStandsInAChow)
{
    CMjPlayer p;
    SetHand(p, "46667m");
    p.wildmode = 1;
    p.wildmj = Tile("6m");
    EXPECT_FALSE(p.CanPeng(Tile("6m")));
    EXPECT_FALSE(p.CanGang(Tile("6m")));
    EXPECT_FALSE(p.CanChi(Tile("5m")));
    p.wildmj = Tile("1f");
    EXPECT_TRUE(p.CanChi(Tile("5m")));
    p.wildmode = 0;
    p.wildmj = Tile("6m");
    EXPECT_TRUE(p.CanGang(Tile("6m"))) << "no wild tiles outside wild mode";
}

TEST(SeatKongs, AConcealedKongIsTheFirstRunOfFourAndAnAddedOneNeedsAnExposedPung)
{
    CMjPlayer p;
    SetHand(p, "9p3m9p3m9p3m9p3m3m", false);
    MjTile out;
    // Five equal tiles are no kong; the four dots come later.
    ASSERT_TRUE(p.FindAnGang(&out));
    EXPECT_EQ(Text({out}), "9p");
    SetHand(p, "1112m");
    EXPECT_FALSE(p.FindAnGang(&out));

    // An added kong matches only an exposed pung.
    SetHand(p, "2s6z");
    AddMeld(p, GETMJ_PENG, "666z");
    AddMeld(p, GETMJ_CHI, "234s");
    EXPECT_TRUE(p.CanBuGang(Tile("6z")));
    EXPECT_FALSE(p.CanBuGang(Tile("2s")));
    ASSERT_TRUE(p.FindBuGang(&out));
    EXPECT_EQ(Text({out}), "6z");
    p.getmj[0].count = 4;
    p.getmj[0].kind = GETMJ_GANG;
    EXPECT_FALSE(p.FindBuGang(&out));
}

TEST(SeatKongs, KongListNamesEachTileOnceInOrder)
{
    CMjPlayer p;
    // 4m is both a fourth copy in hand and an added kong: one choice, not two.
    SetHand(p, "444499m888s1z", false);
    AddMeld(p, GETMJ_PENG, "444m");
    AddMeld(p, GETMJ_PENG, "111z");
    p.drawflag = 1;
    p.drawmj = Tile("8s");
    ASSERT_EQ(p.GetGangList(), 3);
    EXPECT_EQ(Text({p.gangchoice, p.gangchoice + 3}), "8s4m1z");
    p.drawmj = Tile("1z");
    ASSERT_EQ(p.GetGangList(), 2);
    EXPECT_EQ(Text({p.gangchoice, p.gangchoice + 2}), "4m1z");
    p.drawflag = 0;
    p.getnum = 0;
    SetHand(p, "12m");
    EXPECT_EQ(p.GetGangList(), 0);
}

TEST(SeatHand, SortingCarriesEachTileItsMarkAndRecountsSuits)
{
    CMjPlayer p;
    SetHand(p, "2z5s3m1f5s9m", false);
    for (int i = 0; i < p.cardnum; i++)
        p.tilemark[i] = static_cast<uint8_t>(10 + i);
    p.SortMj();
    EXPECT_EQ(Text(HandOf(p)), "3m9m5s5s2z1f");
    EXPECT_EQ(std::vector<uint8_t>(p.tilemark, p.tilemark + 6), (std::vector<uint8_t>{12, 15, 14, 11, 10, 13}));
    EXPECT_EQ(std::vector<int>(p.suitcount, p.suitcount + 3), (std::vector<int>{2, 2, 0}));

    // Marked copies of one tile keep the order the exchange sort gives them.
    SetHand(p, "15573m", false);
    std::fill(p.tilemark, p.tilemark + 5, 0);
    p.tilemark[1] = 1;
    p.tilemark[2] = 2;
    p.SortMj();
    EXPECT_EQ(Text(HandOf(p)), "1m3m5m5m7m");
    EXPECT_EQ(std::vector<uint8_t>(p.tilemark, p.tilemark + 5), (std::vector<uint8_t>{0, 0, 2, 1, 0}));
}

TEST(SeatHand, WildTilesSortFirstAndEveryFlowerIsWildWhenFlowersAre)
{
    CMjPlayer p;
    p.wildmode = 1;
    p.wildmj = Tile("5p");
    SetHand(p, "1m5p2s5p4p");
    EXPECT_EQ(Text(HandOf(p)), "5p5p1m2s4p");
    p.wildmj = Tile("3f");
    SetHand(p, "1m7f2m2f");
    EXPECT_EQ(Text(HandOf(p)), "2f7f1m2m");
}

TEST(SeatHand, RemovingATileTakesTheFirstCopyAndItsMark)
{
    CMjPlayer p;
    SetHand(p, "1223m");
    for (int i = 0; i < 4; i++)
        p.tilemark[i] = static_cast<uint8_t>(i + 1);
    p.playmj = Tile("2m");
    p.PlayMj();
    EXPECT_EQ(p.hasplayed, 1);
    EXPECT_EQ(Text(HandOf(p)), "1m2m3m");
    EXPECT_EQ(std::vector<uint8_t>(p.tilemark, p.tilemark + 3), (std::vector<uint8_t>{1, 3, 4}));

    p.playmj = Tile("7z");
    p.RemovePlayMj();
    p.DeleteMj(Tile("7z"));
    EXPECT_EQ(p.cardnum, 3) << "a tile the hand lacks removes nothing";
    p.DeleteMjN(Tile("1m"), 1);
    p.DeleteMjN(Tile("2m"), 2);
    EXPECT_EQ(Text(HandOf(p)), "3m");
}

TEST(SeatLifecycle, ANewHandClearsTheLastHandButKeepsTheSeat)
{
    CMjPlayer p;
    p.SetName("name");
    p.score = 1200;
    SetHand(p, "1m");
    AddMeld(p, GETMJ_PENG, "222m");
    p.outnum = p.flowernum = p.totalfan = 4;
    p.exposed[2] = p.tileok[3] = 0;
    p.tilemark[0] = 1;
    p.hoverindex = p.payseat = 2;
    p.ishu = p.ting = p.zimo = p.drawflag = p.hasplayed = 1;
    p.ganging = p.ganghu = p.qiangganghu = 1;
    p.fanflag[19] = p.extrafanflag[4] = p.qiduiplan = 1;
    p.Reset();
    EXPECT_EQ(p.cardnum + p.getnum + p.outnum + p.flowernum + p.totalfan + p.tilemark[0], 0);
    EXPECT_EQ(p.exposed[2] + p.tileok[3], 2);
    EXPECT_EQ(p.hoverindex + p.payseat, -2);
    EXPECT_EQ(p.ishu + p.ting + p.zimo + p.drawflag + p.hasplayed, 0);
    EXPECT_EQ(p.ganging + p.ganghu + p.qiangganghu, 0) << "a kong's flags must not reach the next hand";
    EXPECT_EQ(p.fanflag[19] + p.extrafanflag[4] + p.qiduiplan, 0);
    EXPECT_EQ(p.GetName(), "name");
    EXPECT_EQ(p.score, 1200);
}

TEST(SeatLifecycle, AFullTwentyByteNameReadsBackWithoutSpillingOver)
{
    CMjPlayer p;
    p.SetName("abcdefghijklmnopqrst");
    p.cardnum = 0x41414141; // the bytes after the field must not leak into the name
    EXPECT_EQ(p.GetName(), "abcdefghijklmnopqrst");
    p.SetName("abcdefghijklmnopqrstuvw");
    EXPECT_EQ(p.GetName(), "abcdefghijklmnopqrst");
    p.SetName("短名");
    EXPECT_EQ(p.GetName(), "短名");
    EXPECT_EQ(p.playername[4], 0) << "a shorter name clears the rest of the field";
}

} // namespace
