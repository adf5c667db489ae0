#include "rules/CMjPlayer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

MjTile T(int value, int suit)
{
    return MakeMj(value, suit);
}

void Deal(CMjPlayer &p, std::initializer_list<MjTile> tiles)
{
    p.cardnum = 0;
    for (MjTile t : tiles)
        p.Mj[p.cardnum++] = t;
}

void AddPung(CMjPlayer &p, MjTile t)
{
    GetMj &m = p.getmj[p.getnum++];
    m.tiles[0] = m.tiles[1] = m.tiles[2] = t;
    m.count = 3;
    m.kind = GETMJ_PENG;
}

std::vector<std::pair<int, int>> Chows(const CMjPlayer &p)
{
    std::vector<std::pair<int, int>> out;
    for (int i = 0; i < p.chinum; i++)
        out.emplace_back(p.chichoice[i].tiles[0].value, p.chichoice[i].tiles[1].value);
    return out;
}

std::vector<MjTile> Hand(const CMjPlayer &p)
{
    return std::vector<MjTile>(p.Mj, p.Mj + p.cardnum);
}

bool Same(const std::vector<MjTile> &a, std::initializer_list<MjTile> b)
{
    if (a.size() != b.size())
        return false;
    size_t i = 0;
    for (MjTile t : b)
        if (!IsSameMj(a[i++], t))
            return false;
    return true;
}

TEST(SeatChowChoices, ATerminalOffersOnlyTheRunInward)
{
    CMjPlayer p;
    Deal(p, {T(1, 1), T(2, 1), T(3, 1), T(7, 1), T(8, 1), T(9, 1)});
    EXPECT_TRUE(p.CanChi(T(1, 1)));
    EXPECT_EQ(Chows(p), (std::vector<std::pair<int, int>>{{2, 3}}));
    EXPECT_TRUE(p.CanChi(T(9, 1)));
    EXPECT_EQ(Chows(p), (std::vector<std::pair<int, int>>{{7, 8}}));
}

TEST(SeatChowChoices, AMiddleTileOffersTheThreeShapesInOrder)
{
    CMjPlayer p;
    Deal(p, {T(3, 2), T(4, 2), T(6, 2), T(7, 2)});
    EXPECT_TRUE(p.CanChi(T(5, 2)));
    EXPECT_EQ(Chows(p), (std::vector<std::pair<int, int>>{{4, 6}, {3, 4}, {6, 7}}));
    EXPECT_EQ(p.chichoice[0].tiles[0].suit, 2);
}

TEST(SeatChowChoices, NoChowAcrossSuitsOnHonoursOrOnAWildTile)
{
    CMjPlayer p;
    Deal(p, {T(4, 0), T(6, 1), T(1, 3), T(2, 3)});
    EXPECT_FALSE(p.CanChi(T(5, 0)));
    EXPECT_FALSE(p.CanChi(T(3, 3)));
    EXPECT_EQ(p.chinum, 0);

    Deal(p, {T(4, 0), T(6, 0), T(6, 0), T(7, 0)});
    p.wildmode = 1;
    p.wildmj = T(6, 0);
    EXPECT_FALSE(p.CanChi(T(6, 0)));
    EXPECT_FALSE(p.CanChi(T(5, 0))) << "a wild tile may not stand in a chow";
    p.wildmj = T(1, 4);
    EXPECT_TRUE(p.CanChi(T(5, 0)));
}

TEST(SeatChowChoices, AFailedTestLeavesNoStaleChoices)
{
    CMjPlayer p;
    Deal(p, {T(2, 0), T(3, 0)});
    ASSERT_TRUE(p.CanChi(T(1, 0)));
    EXPECT_FALSE(p.CanChi(T(9, 0)));
    EXPECT_EQ(p.chinum, 0);
}

TEST(SeatPungAndKong, PungNeedsTwoAndKongExactlyThree)
{
    CMjPlayer p;
    Deal(p, {T(5, 0), T(5, 0), T(5, 0), T(7, 3), T(7, 3), T(7, 3), T(7, 3)});
    EXPECT_TRUE(p.CanPeng(T(5, 0)));
    EXPECT_TRUE(p.CanGang(T(5, 0)));
    EXPECT_TRUE(p.IsGang(T(5, 0)));
    EXPECT_TRUE(p.CanPeng(T(7, 3)));
    EXPECT_FALSE(p.CanGang(T(7, 3))) << "four in hand is a concealed kong, not a claim";
    EXPECT_FALSE(p.CanPeng(T(1, 1)));
}

TEST(SeatPungAndKong, TheWildTileIsNeverClaimed)
{
    CMjPlayer p;
    Deal(p, {T(5, 0), T(5, 0), T(5, 0)});
    p.wildmj = T(5, 0);
    p.wildmode = 1;
    EXPECT_FALSE(p.CanPeng(T(5, 0)));
    EXPECT_FALSE(p.CanGang(T(5, 0)));
    p.wildmode = 0;
    EXPECT_TRUE(p.CanPeng(T(5, 0)));
}

TEST(SeatKongs, ConcealedKongIsTheFirstRunOfFourAfterSorting)
{
    CMjPlayer p;
    Deal(p, {T(9, 2), T(3, 0), T(9, 2), T(3, 0), T(9, 2), T(3, 0), T(9, 2), T(3, 0), T(3, 0)});
    MjTile out;
    // Five equal tiles are no kong; the four dots come later.
    ASSERT_TRUE(p.FindAnGang(&out));
    EXPECT_TRUE(IsSameMj(out, T(9, 2)));

    Deal(p, {T(1, 0), T(1, 0), T(1, 0), T(2, 0)});
    EXPECT_FALSE(p.FindAnGang(&out));
}

TEST(SeatKongs, AddedKongMatchesOnlyAnExposedPung)
{
    CMjPlayer p;
    Deal(p, {T(2, 1), T(6, 3)});
    AddPung(p, T(6, 3));
    GetMj &chow = p.getmj[p.getnum++];
    chow.tiles[0] = T(2, 1);
    chow.count = 3;
    chow.kind = GETMJ_CHI;
    EXPECT_TRUE(p.CanBuGang(T(6, 3)));
    EXPECT_FALSE(p.CanBuGang(T(2, 1)));
    MjTile out;
    ASSERT_TRUE(p.FindBuGang(&out));
    EXPECT_TRUE(IsSameMj(out, T(6, 3)));
    p.getmj[0].count = 4;
    p.getmj[0].kind = GETMJ_GANG;
    EXPECT_FALSE(p.FindBuGang(&out));
}

TEST(SeatKongs, KongListNamesEachTileOnceInOrder)
{
    CMjPlayer p;
    // Characters 4 is both a fourth copy in hand and an added kong: one choice, not two.
    Deal(p, {T(4, 0), T(4, 0), T(4, 0), T(4, 0), T(1, 3), T(8, 1), T(8, 1), T(8, 1), T(9, 0), T(9, 0)});
    AddPung(p, T(4, 0));
    AddPung(p, T(1, 3));
    p.drawflag = 1;
    p.drawmj = T(8, 1);
    ASSERT_EQ(p.GetGangList(), 3);
    EXPECT_TRUE(IsSameMj(p.gangchoice[0], T(8, 1)));
    EXPECT_TRUE(IsSameMj(p.gangchoice[1], T(4, 0)));
    EXPECT_TRUE(IsSameMj(p.gangchoice[2], T(1, 3)));

    p.drawmj = T(1, 3);
    ASSERT_EQ(p.GetGangList(), 2);
    EXPECT_TRUE(IsSameMj(p.gangchoice[0], T(4, 0)));
    EXPECT_TRUE(IsSameMj(p.gangchoice[1], T(1, 3)));

    p.drawflag = 0;
    p.getnum = 0;
    Deal(p, {T(1, 0), T(2, 0)});
    EXPECT_EQ(p.GetGangList(), 0);
}

TEST(SeatHand, SortingCarriesEachTileItsMarkAndRecountsSuits)
{
    CMjPlayer p;
    Deal(p, {T(2, 3), T(5, 1), T(3, 0), T(1, 4), T(5, 1), T(9, 0)});
    for (int i = 0; i < p.cardnum; i++)
        p.tilemark[i] = static_cast<uint8_t>(10 + i);
    p.SortMj();
    EXPECT_TRUE(Same(Hand(p), {T(3, 0), T(9, 0), T(5, 1), T(5, 1), T(2, 3), T(1, 4)}));
    EXPECT_EQ(p.tilemark[0], 12);
    EXPECT_EQ(p.tilemark[1], 15);
    EXPECT_EQ(p.tilemark[4], 10);
    EXPECT_EQ(p.tilemark[5], 13);
    EXPECT_EQ(p.suitcount[0], 2);
    EXPECT_EQ(p.suitcount[1], 2);
    EXPECT_EQ(p.suitcount[2], 0);
}

TEST(SeatHand, MarkedCopiesOfADrawnTilesNeighboursKeepTheirOrderOfOld)
{
    CMjPlayer p;
    Deal(p, {T(1, 0), T(5, 0), T(5, 0), T(7, 0), T(3, 0)});
    p.tilemark[1] = 1;
    p.tilemark[2] = 2;
    p.SortMj();
    EXPECT_TRUE(Same(Hand(p), {T(1, 0), T(3, 0), T(5, 0), T(5, 0), T(7, 0)}));
    EXPECT_EQ(p.tilemark[2], 2) << "the exchange sort carries the first copy past the second";
    EXPECT_EQ(p.tilemark[3], 1);
    EXPECT_EQ(p.tilemark[4], 0);
}

TEST(SeatHand, WildTilesSortFirstAndEveryFlowerIsWildWhenFlowersAre)
{
    CMjPlayer p;
    p.wildmode = 1;
    p.wildmj = T(5, 2);
    Deal(p, {T(1, 0), T(5, 2), T(2, 1), T(5, 2), T(4, 2)});
    p.SortMj();
    EXPECT_TRUE(Same(Hand(p), {T(5, 2), T(5, 2), T(1, 0), T(2, 1), T(4, 2)}));

    p.wildmj = T(3, 4);
    Deal(p, {T(1, 0), T(7, 4), T(2, 0), T(2, 4)});
    p.SortMj();
    EXPECT_TRUE(Same(Hand(p), {T(2, 4), T(7, 4), T(1, 0), T(2, 0)}));
    EXPECT_TRUE(p.IsWildMj(T(8, 4), p.wildmj));
    p.wildmode = 0;
    EXPECT_FALSE(p.IsWildMj(T(3, 4), T(3, 4))) << "no wild tiles outside wild mode";
}

TEST(SeatHand, RemovingATileTakesTheFirstCopyAndItsMark)
{
    CMjPlayer p;
    Deal(p, {T(1, 0), T(2, 0), T(2, 0), T(3, 0)});
    for (int i = 0; i < 4; i++)
        p.tilemark[i] = static_cast<uint8_t>(i + 1);
    p.playmj = T(2, 0);
    p.PlayMj();
    EXPECT_EQ(p.hasplayed, 1);
    EXPECT_TRUE(Same(Hand(p), {T(1, 0), T(2, 0), T(3, 0)}));
    EXPECT_EQ(p.tilemark[1], 3);
    EXPECT_EQ(p.tilemark[2], 4);

    p.playmj = T(7, 3);
    p.RemovePlayMj();
    p.DeleteMj(T(7, 3));
    EXPECT_EQ(p.cardnum, 3) << "a tile the hand lacks removes nothing";

    p.DeleteMjN(T(1, 0), 1);
    p.DeleteMjN(T(2, 0), 2);
    EXPECT_TRUE(Same(Hand(p), {T(3, 0)}));
    EXPECT_EQ(p.GetMjCount(T(3, 0)), 1);
    EXPECT_FALSE(p.FindMj(T(2, 0)));
}

TEST(SeatHand, MainSuitCountsMeldsAndFallsBackToTen)
{
    CMjPlayer p;
    Deal(p, {T(1, 1), T(2, 1), T(3, 1), T(9, 2), T(1, 3)});
    AddPung(p, T(5, 1));
    EXPECT_EQ(p.GetSuitCount(1), 6);
    EXPECT_EQ(p.GetSuitCount(3), 1);
    EXPECT_EQ(p.FindMainSuit(6), 1);
    EXPECT_EQ(p.FindMainSuit(1), 1);
    EXPECT_EQ(p.FindMainSuit(7), 10);
}

TEST(SeatLifecycle, ANewHandClearsTheLastHandButKeepsTheSeat)
{
    CMjPlayer p;
    std::strcpy(p.playername, "name");
    p.score = 1200;
    p.seatwind = 3;
    Deal(p, {T(1, 0)});
    AddPung(p, T(2, 0));
    p.outnum = 4;
    p.exposed[2] = 0;
    p.tileok[3] = 0;
    p.tilemark[1] = 1;
    p.hoverindex = 5;
    p.payseat = 2;
    p.ishu = p.ting = p.zimo = p.drawflag = p.hasplayed = 1;
    p.ganging = p.ganghu = p.qiangganghu = 1;
    p.fanflag[19] = p.extrafanflag[4] = 1;
    p.flowernum = 3;
    p.qiduiplan = 1;
    p.totalfan = 40;
    p.Reset();
    EXPECT_EQ(p.cardnum + p.getnum + p.outnum + p.flowernum + p.totalfan, 0);
    EXPECT_EQ(p.exposed[2], 1);
    EXPECT_EQ(p.tileok[3], 1);
    EXPECT_EQ(p.tilemark[1], 0);
    EXPECT_EQ(p.hoverindex, -1);
    EXPECT_EQ(p.payseat, -1);
    EXPECT_EQ(p.ishu + p.ting + p.zimo + p.drawflag + p.hasplayed, 0);
    EXPECT_EQ(p.ganging + p.ganghu + p.qiangganghu, 0);
    EXPECT_EQ(p.fanflag[19] + p.extrafanflag[4] + p.qiduiplan, 0);
    EXPECT_STREQ(p.playername, "name");
    EXPECT_EQ(p.score, 1200);
    EXPECT_EQ(p.seatwind, 3);
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
