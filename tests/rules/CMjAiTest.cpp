#include "rules/CMjAi.h"

#include "RobotHands.h"
#include "platform/Random.h"
#include "rules/CGbHu.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Local games: no minimum fan total, no wild tile.
struct Robot {
    CMjAi ai;
    int seen[5][10] = {};
    Robot() { ai.SetMinFan(0); }

    MjTile Play(CMjPlayer &p)
    {
        ai.Play(&p, seen, 60, nullptr, 84);
        return p.playmj;
    }
    // Every kind fully visible: no pair, partial or wait is worth anything.
    void SeeEverything()
    {
        for (auto &row : seen)
            for (int &n : row)
                n = 4;
    }
};

// A random seat: up to two melds taken from the shuffled set, the rest concealed.
void RandomSeat(CMjPlayer &p, std::mt19937 &rng, int concealed)
{
    std::vector<MjTile> set = ShuffledSet(rng);
    size_t next = 0;
    int melds = static_cast<int>(rng() % 3);
    for (int m = 0; m < melds && concealed - 3 * (m + 1) >= 2; m++) {
        MjTile t = set[next++];
        GetMj &meld = p.getmj[p.getnum++];
        meld.tiles[0] = meld.tiles[1] = meld.tiles[2] = t;
        meld.count = 3;
        meld.kind = GETMJ_PENG;
    }
    p.cardnum = concealed - 3 * p.getnum;
    for (int i = 0; i < p.cardnum; i++)
        p.Mj[i] = set[next++];
    p.SortMj();
    uint8_t *flags[] = {&p.defaultplan, &p.qiduiplan, &p.bukaoplan, &p.onesuitplan};
    int plan = static_cast<int>(rng() % 6);
    if (plan < 4)
        *flags[plan] = 1;
    p.onesuit = static_cast<uint8_t>(rng() % 3);
    p.ting = rng() % 8 == 0;
}

bool SameSeat(const CMjPlayer &p, const std::vector<MjTile> &hand, const GetMj *melds, int meldnum)
{
    return SameTiles(HandOf(p), hand) && p.getnum == meldnum &&
           std::memcmp(p.getmj, melds, sizeof(GetMj) * 5) == 0;
}

TEST(RobotClaims, NoQuestionLeavesTheSeatsTilesOrMeldsChanged)
{
    std::mt19937 rng(11);
    Robot robot;
    for (int round = 0; round < 300; round++) {
        CMjPlayer p;
        RandomSeat(p, rng, 13 + (round % 4 == 0));
        std::vector<MjTile> hand = HandOf(p);
        GetMj melds[5];
        std::memcpy(melds, p.getmj, sizeof melds);
        int meldnum = p.getnum;
        // Ask about tiles the seat holds (so that claims are possible) and about others.
        MjTile asked[3] = {p.Mj[rng() % p.cardnum], p.Mj[rng() % p.cardnum], MjFromIndex(rng() % 136)};
        for (MjTile t : asked) {
            robot.ai.NeedPeng(&p, t, robot.seen, 50);
            EXPECT_TRUE(SameSeat(p, hand, melds, meldnum)) << "pung, round " << round;
            robot.ai.NeedChi(&p, t, robot.seen, 50);
            EXPECT_TRUE(SameSeat(p, hand, melds, meldnum)) << "chow, round " << round;
            robot.ai.NeedGang(&p, t, robot.seen, 50);
            EXPECT_TRUE(SameSeat(p, hand, melds, meldnum)) << "kong, round " << round;
        }
    }
}

TEST(RobotClaims, AReadyRobotClaimsNoPungOrChow)
{
    std::mt19937 rng(5);
    Robot robot;
    for (int round = 0; round < 200; round++) {
        CMjPlayer p;
        RandomSeat(p, rng, 13);
        p.ting = 1;
        for (int i = 0; i < p.cardnum; i++) {
            EXPECT_FALSE(robot.ai.NeedPeng(&p, p.Mj[i], robot.seen, 50));
            EXPECT_FALSE(robot.ai.NeedChi(&p, p.Mj[i], robot.seen, 50));
        }
    }
}

TEST(RobotClaims, TheDefaultPlanClaimsEveryPungAndNeverAChow)
{
    std::mt19937 rng(3);
    Robot robot;
    CGbHu gbhu;
    gbhu.SetMinFan(0);
    int pungs = 0;
    for (int round = 0; round < 200; round++) {
        CMjPlayer p;
        RandomSeat(p, rng, 13);
        p.defaultplan = 1;
        p.qiduiplan = p.bukaoplan = p.onesuitplan = 0;
        p.ting = 0;
        bool waiting = gbhu.CanHu(&p, p.Mj, p.cardnum) >= 1;
        for (int i = 0; i < p.cardnum; i++) {
            MjTile t = p.Mj[i];
            bool claim = robot.ai.NeedPeng(&p, t, robot.seen, 50);
            EXPECT_EQ(claim, p.CanPeng(t) && !waiting) << "round " << round;
            pungs += claim;
            EXPECT_FALSE(robot.ai.NeedChi(&p, MakeMj(t.value + 1, t.suit), robot.seen, 50));
        }
    }
    EXPECT_GT(pungs, 0);
}

TEST(RobotClaims, SevenPairsAndKnittedPlansTakeNoClaimTheHandWouldOtherwiseTake)
{
    Robot robot;
    struct Ask {
        const char *hand;
        const char *tile;
        bool chow;
    } asks[] = {{"3456m3335s33567p", "3s", false}, {"567899m66s23477p", "6s", false}, {"3456m3335s33567p", "4s", true}};
    for (const Ask &a : asks) {
        CMjPlayer p;
        SetHand(p, a.hand);
        auto claims = [&] {
            return a.chow ? robot.ai.NeedChi(&p, Tile(a.tile), robot.seen, 50)
                          : robot.ai.NeedPeng(&p, Tile(a.tile), robot.seen, 50);
        };
        ASSERT_TRUE(claims()) << a.hand << " " << a.tile;
        for (uint8_t *flag : {&p.qiduiplan, &p.bukaoplan}) {
            *flag = 1;
            EXPECT_FALSE(claims()) << a.hand << " " << a.tile;
            *flag = 0;
        }
    }
}

TEST(RobotClaims, APungThatLeavesTheHandWaitingIsClaimed)
{
    // After the pung of 1p, throwing the 6m leaves 22m, 234s, 67s and 678p waiting on 5s or 8s.
    CMjPlayer p;
    Robot robot;
    SetHand(p, "226m23467s11678p");
    EXPECT_TRUE(robot.ai.NeedPeng(&p, Tile("1p"), robot.seen, 50));
}

TEST(RobotClaims, AKongThatLeavesThePlanNoFartherIsTaken)
{
    // Three 9s serve no plan: the kong costs nothing and is made.
    CMjPlayer p;
    Robot robot;
    SetHand(p, "12m22s66s999s1357p");
    EXPECT_TRUE(robot.ai.NeedGang(&p, Tile("9s"), robot.seen, 50));
}

TEST(RobotClaims, AChowWithTheDiscardInTheMiddleIsPreferred)
{
    CMjPlayer p;
    Robot robot;
    SetHand(p, "467m123s456s99p11z");
    ASSERT_TRUE(robot.ai.NeedChi(&p, MakeMj(5, SUIT_WAN), robot.seen, 50));
    EXPECT_TRUE(IsSameMj(p.chimj[0], MakeMj(4, SUIT_WAN)));
    EXPECT_TRUE(IsSameMj(p.chimj[1], MakeMj(6, SUIT_WAN)));
}

TEST(RobotClaims, AChowThatFillsThePlansMissingTileIsTakenEvenWhenNotReadyAfter)
{
    CMjPlayer p;
    Robot robot;
    SetHand(p, "12456789m9s15p37z");
    ASSERT_TRUE(robot.ai.NeedChi(&p, MakeMj(3, SUIT_WAN), robot.seen, 50));
    EXPECT_TRUE(IsSameMj(p.chimj[0], MakeMj(1, SUIT_WAN)));
    EXPECT_TRUE(IsSameMj(p.chimj[1], MakeMj(2, SUIT_WAN)));
    // A tile the plan does not need is no chow.
    EXPECT_FALSE(robot.ai.NeedChi(&p, MakeMj(9, SUIT_WAN), robot.seen, 50));
}

TEST(RobotClaims, AReadyRobotDeclaresAKongOnlyWhenItStillWaitsAfterIt)
{
    CMjPlayer p;
    Robot robot;
    p.ting = 1;
    SetHand(p, "456m234s678p1112z");
    EXPECT_TRUE(robot.ai.NeedGang(&p, MakeMj(1, SUIT_ZI), robot.seen, 50));
    // The three fives serve a run and a pair; without them two partials are left.
    SetHand(p, "34555m123s456s78p");
    EXPECT_FALSE(robot.ai.NeedGang(&p, MakeMj(5, SUIT_WAN), robot.seen, 50));
}

TEST(RobotClaims, TheDefaultPlanTakesEveryKongUnlessReady)
{
    CMjPlayer p;
    Robot robot;
    SetHand(p, "34555m123s456s78p");
    p.defaultplan = 1;
    EXPECT_TRUE(robot.ai.NeedGang(&p, MakeMj(5, SUIT_WAN), robot.seen, 50));
    p.ting = 1;
    EXPECT_FALSE(robot.ai.NeedGang(&p, MakeMj(5, SUIT_WAN), robot.seen, 50));
}

TEST(RobotDiscard, ThePlayedTileIsAlwaysOneTheSeatHolds)
{
    std::mt19937 rng(9);
    Random::Pin(1);
    Robot robot;
    for (int round = 0; round < 400; round++) {
        CMjPlayer p;
        RandomSeat(p, rng, 14);
        for (auto &row : robot.seen)
            for (int &n : row)
                n = static_cast<int>(rng() % 3);
        MjTile t = robot.Play(p);
        EXPECT_TRUE(p.FindMj(t)) << "round " << round;
        EXPECT_EQ(p.cardnum, 14 - 3 * p.getnum);
    }
    Random::Unpin();
}

TEST(RobotDiscard, AFixedSeedGivesTheSameChoicesTwice)
{
    auto choices = [] {
        std::mt19937 rng(21);
        Random::Pin(1234);
        Robot robot;
        robot.SeeEverything(); // leaves many choices to the random fallbacks
        std::vector<MjTile> out;
        for (int round = 0; round < 200; round++) {
            CMjPlayer p;
            RandomSeat(p, rng, 14);
            out.push_back(robot.Play(p));
        }
        Random::Unpin();
        return out;
    };
    EXPECT_TRUE(SameTiles(choices(), choices()));
}

TEST(RobotDiscard, ADiscardThatLeavesTheHandReadyIsTaken)
{
    CMjPlayer p;
    Robot robot;
    SetHand(p, "123m456m789s1155p7z");
    EXPECT_TRUE(IsSameMj(robot.Play(p), MakeMj(7, SUIT_ZI)));
}

TEST(RobotDiscard, AReadyHandWhoseWinningTilesAreAllVisibleStillDiscardsForReadiness)
{
    CMjPlayer p;
    Robot robot;
    SetHand(p, "123m456m789s1155p7z");
    robot.seen[SUIT_BING][1] = 2;
    robot.seen[SUIT_BING][5] = 2;
    EXPECT_TRUE(IsSameMj(robot.Play(p), MakeMj(7, SUIT_ZI)));
}

TEST(RobotDiscard, AnEdgeWaitOnANineHasNoPhantomTenToWaitFor)
{
    // Discarding 8m waits on East or 9m (one left); discarding a 9m waits on 7m only, and every 7m
    // is visible. There is no tile above 9m to make that second wait worth anything.
    CMjPlayer p;
    Robot robot;
    SetHand(p, "899m123s456s789p11z");
    robot.seen[SUIT_ZI][1] = 2;
    robot.seen[SUIT_WAN][9] = 1;
    robot.seen[SUIT_WAN][7] = 4;
    robot.seen[SUIT_TIAO][0] = 3; // the slot just after 9m must never be read as a tile
    EXPECT_TRUE(IsSameMj(robot.Play(p), MakeMj(8, SUIT_WAN)));
}

TEST(RobotDiscard, AClosedWaitWithOneTileLeftStillCountsAsAWait)
{
    // Discarding 7m leaves pairs of East and 9m, every copy of both visible; discarding a 9m
    // leaves 7m-9m waiting on 8m, of which one copy is unseen.
    CMjPlayer p;
    Robot robot;
    SetHand(p, "799m123s456s789p11z");
    robot.seen[SUIT_ZI][1] = 2;
    robot.seen[SUIT_WAN][9] = 2;
    robot.seen[SUIT_WAN][8] = 3;
    EXPECT_TRUE(IsSameMj(robot.Play(p), MakeMj(9, SUIT_WAN)));
}

TEST(RobotDiscard, TheShapeSearchBreaksThePartialWithTheFewestTilesLeft)
{
    // Two melds' worth of groups are set; of the rest, 3m-4m can still become a run from many
    // tiles, 1p-2p only from 3p, most of which are visible. Of 1p and 2p the one with fewer copies
    // left goes.
    CMjPlayer p;
    Robot robot;
    SetHand(p, "34m123s789s12p5577z");
    robot.seen[SUIT_BING][3] = 3;
    robot.seen[SUIT_BING][2] = 2;
    EXPECT_TRUE(IsSameMj(robot.Play(p), Tile("2p")));
    robot.seen[SUIT_BING][2] = 0;
    robot.seen[SUIT_BING][1] = 2;
    EXPECT_TRUE(IsSameMj(robot.Play(p), Tile("1p")));
}

TEST(RobotDiscard, AReadingOneTileFromReadyOutranksALooserOne)
{
    // 456m, 333s and 567p leave 33p and three singles: the 3m goes. Reading 3456m as two partials
    // instead (a pair, two partials and the singles 5s and East) would throw the 5s.
    CMjPlayer p;
    Robot robot;
    SetHand(p, "3456m3335s33567p3z");
    EXPECT_TRUE(IsSameMj(robot.Play(p), Tile("3m")));
}

TEST(RobotDiscardFallbacks, ALoneHonourGoesFirstWhenNoShapeIsWorthAnything)
{
    CMjPlayer p;
    Robot robot;
    robot.SeeEverything();
    SetHand(p, "159m26s159p112345z");
    EXPECT_TRUE(IsSameMj(robot.Play(p), MakeMj(2, SUIT_ZI)));
}

TEST(RobotDiscardFallbacks, TwoEqualHonoursAreNeverALoneHonour)
{
    CMjPlayer p;
    Robot robot;
    robot.SeeEverything();
    SetHand(p, "112233556677z12m");
    MjTile t = robot.Play(p);
    EXPECT_NE(t.suit, SUIT_ZI);
}

TEST(RobotDiscardFallbacks, AmongSinglesATerminalGoesFirst)
{
    CMjPlayer p;
    Robot robot;
    SetHand(p, "22366m5689s23p777z");
    EXPECT_TRUE(IsSameMj(robot.Play(p), Tile("9s")));
}

TEST(RobotDiscardFallbacks, ATileFarFromBothNeighboursIsLoose)
{
    CMjPlayer p;
    Robot robot;
    robot.SeeEverything();
    // 9m is next to 1s in the sorted hand, but a different suit is never a neighbour.
    SetHand(p, "12m9m124578s569p11z");
    EXPECT_TRUE(IsSameMj(robot.Play(p), MakeMj(9, SUIT_WAN)));
}

int PlanOf(CMjPlayer &p)
{
    return p.onesuitplan * 1 + p.qiduiplan * 2 + p.defaultplan * 4 + p.bukaoplan * 8 + p.zuhelongplan * 16;
}

TEST(RobotOpeningPlan, AHandFarFromEveryPlanWithSevenOfASuitGoesForOneSuit)
{
    CMjPlayer p;
    SetHand(p, "1115599m147s25p7z");
    p.ChoosePlan();
    EXPECT_EQ(PlanOf(p), 1);
    EXPECT_EQ(p.onesuit, SUIT_WAN);
}

TEST(RobotOpeningPlan, FourPairsGoForSevenPairs)
{
    CMjPlayer p;
    SetHand(p, "1133m5577p249s13z");
    p.ChoosePlan();
    EXPECT_EQ(PlanOf(p), 2);
}

TEST(RobotOpeningPlan, ThreePairsAndNoPlanWithinReachGoForPungs)
{
    CMjPlayer p;
    SetHand(p, "115599m159s159p1z");
    p.ChoosePlan();
    EXPECT_EQ(PlanOf(p), 4);
}

TEST(RobotOpeningPlan, KnittedTilesAndHonoursGoForHonoursAndKnitted)
{
    CMjPlayer p;
    SetHand(p, "147m258s36p12345z");
    p.ChoosePlan();
    ASSERT_EQ(PlanOf(p), 8);
    EXPECT_EQ(p.bukaosuits[0], SUIT_WAN);
    EXPECT_EQ(p.bukaosuits[1], SUIT_TIAO);
    EXPECT_EQ(p.bukaosuits[2], SUIT_BING);
}

TEST(RobotOpeningPlan, SevenKnittedTilesWithFewHonoursGoForTheKnittedStraight)
{
    CMjPlayer p;
    SetHand(p, "1234567m1p25s36p1z");
    p.ChoosePlan();
    ASSERT_EQ(PlanOf(p), 16);
    EXPECT_EQ(p.zuhelongsuits[0], SUIT_WAN);
    EXPECT_EQ(p.zuhelongsuits[1], SUIT_TIAO);
    EXPECT_EQ(p.zuhelongsuits[2], SUIT_BING);
}

TEST(RobotOpeningPlan, APlayersOwnSeatChoosesNoPlan)
{
    CMjPlayer p;
    p.robot = 0;
    SetHand(p, "1133m5577p249s13z");
    p.ChoosePlan();
    EXPECT_EQ(PlanOf(p), 0);
}

} // namespace
