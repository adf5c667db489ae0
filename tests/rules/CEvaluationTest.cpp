#include "rules/CEvaluation.h"

#include "RobotHands.h"
#include "rules/HandCount.h"

#include <gtest/gtest.h>


namespace {

const int kNoneSeen[5][10] = {};

struct Result {
    int distance;
    std::vector<MjTile> cand;
    EvalPlan plan;
};

Result Evaluated(CEvaluation &ev, CMjPlayer &p, const int (*seen)[10] = kNoneSeen)
{
    Result r;
    MjTile cand[14];
    int candnum = -1;
    r.distance = ev.Evaluate(&p, p.Mj, p.cardnum, seen, cand, &candnum, &r.plan);
    r.cand.assign(cand, cand + candnum);
    return r;
}

const EvalPlan *FindPlan(const CEvaluation &ev, int type)
{
    for (int i = 0; i < ev.PlanCount(); i++)
        if (ev.GetPlan(i).type == type)
            return &ev.GetPlan(i);
    return nullptr;
}

TEST(PlanEvaluatorSevenPairs, FourPairsWithoutMeldsAimAtSevenPairs)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "1133m5577p249s13z");
    Evaluated(ev, p);
    const EvalPlan *qidui = FindPlan(ev, CEvaluation::PLAN_QIDUI);
    ASSERT_NE(qidui, nullptr);
    EXPECT_EQ(qidui->distance, 2);
    EXPECT_EQ(qidui->groupnum, 4);
    EXPECT_TRUE(SameTiles(std::vector<MjTile>(qidui->cand, qidui->cand + qidui->candnum), Tiles("249s13z")));
}

TEST(PlanEvaluatorSevenPairs, AMeldedPungRulesOutSevenPairs)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "1133m5577p13z");
    AddMeld(p, GETMJ_PENG, "999s");
    Evaluated(ev, p);
    EXPECT_EQ(FindPlan(ev, CEvaluation::PLAN_QIDUI), nullptr);
}

TEST(PlanEvaluatorSevenPairs, SevenPairsComingOutBestSwitchesTheSeatsPlan)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "1155m3377p2288s4z");
    Result r = Evaluated(ev, p);
    EXPECT_EQ(r.distance, 0);
    EXPECT_EQ(r.plan.type, CEvaluation::PLAN_QIDUI);
    EXPECT_TRUE(SameTiles(r.cand, Tiles("4z")));
    EXPECT_EQ(p.qiduiplan, 1);
}

TEST(PlanEvaluatorDistance, ANeededTileWhoseCopiesAreAllVisibleIsDistanceNine)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "12345789m1122z3z");
    int seen[5][10] = {};
    seen[SUIT_WAN][6] = 4;
    Result r = Evaluated(ev, p, seen);
    const EvalPlan *straight = FindPlan(ev, CEvaluation::PLAN_QINGLONG);
    ASSERT_NE(straight, nullptr);
    EXPECT_EQ(straight->distance, CEvaluation::kDeadDistance);
    EXPECT_EQ(straight->groups[1].avail[0], 0);
    EXPECT_NE(r.plan.type, CEvaluation::PLAN_QINGLONG);
    EXPECT_LT(r.distance, CEvaluation::kDeadDistance);

    // Copies in the seat's own hand are not dead: three seen and none held leaves one to draw.
    seen[SUIT_WAN][6] = 3;
    r = Evaluated(ev, p, seen);
    EXPECT_EQ(r.distance, 1);
    EXPECT_EQ(r.plan.groups[1].avail[0], 1);
}

TEST(PlanEvaluatorDistance, NoPlanAtAllGivesMinusOneAndNoCandidates)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "14m7s9p135z");
    AddMeld(p, GETMJ_PENG, "222m");
    AddMeld(p, GETMJ_GANG, "6666p");
    Result r = Evaluated(ev, p);
    EXPECT_EQ(r.distance, -1);
    EXPECT_TRUE(r.cand.empty());
    EXPECT_EQ(ev.PlanCount(), 0);
}

TEST(PlanEvaluatorDistance, AMeldedChowCountsAsHeldAndUsesNoConcealedTile)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "45678m1199p2s");
    AddMeld(p, GETMJ_CHI, "213m");
    Result r = Evaluated(ev, p);
    EXPECT_EQ(r.distance, 1);
    EXPECT_EQ(r.plan.type, CEvaluation::PLAN_QINGLONG);
    EXPECT_EQ(r.plan.groups[0].heldnum, 3);
    EXPECT_TRUE(SameTiles(r.cand, Tiles("2s1199p")));
}

TEST(PlanEvaluatorDistance, AMeldedChowCanBeTheChowAStepPlanStartsFrom)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "445m19p19s1234z");
    AddMeld(p, GETMJ_CHI, "123m");
    Evaluated(ev, p);
    const EvalPlan *steps = FindPlan(ev, CEvaluation::PLAN_SANBUGAO);
    ASSERT_NE(steps, nullptr) << "the hand holds too little of 123m, but the meld holds all of it";
    EXPECT_EQ(steps->distance, 3);
    EXPECT_EQ(steps->groups[0].heldnum, 3);
    EXPECT_EQ(steps->groups[0].neednum, 0);
}

TEST(PlanEvaluatorDistance, AHandOfTerminalsAndHonoursIsOutOfReachOfEveryPlan)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "19m19s19p1234567z");
    EXPECT_EQ(Evaluated(ev, p).distance, -1);
}

TEST(PlanEvaluatorOpeningPlans, OneSuitPlanSparesEveryOtherSuit)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "112345789s19m5p7z");
    p.onesuitplan = 1;
    p.onesuit = SUIT_TIAO;
    Result r = Evaluated(ev, p);
    EXPECT_EQ(r.plan.type, CEvaluation::PLAN_QINGYISE);
    EXPECT_EQ(r.distance, 2);
    EXPECT_TRUE(SameTiles(r.cand, Tiles("19m5p7z")));
}

TEST(PlanEvaluatorOpeningPlans, DefaultPlanCountsThirdCopiesAndSparesSingles)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "111m22p33p57s1z");
    p.defaultplan = 1;
    Result r = Evaluated(ev, p);
    EXPECT_EQ(r.plan.type, CEvaluation::PLAN_PENGPENG);
    EXPECT_EQ(r.distance, 2);
    EXPECT_EQ(r.plan.groupnum, 3);
    EXPECT_TRUE(SameTiles(r.cand, Tiles("57s1z")));

    // With nothing single left, a pair is what can go.
    SetHand(p, "111m22p33p55s");
    r = Evaluated(ev, p);
    EXPECT_EQ(r.distance, 3);
    EXPECT_TRUE(SameTiles(r.cand, Tiles("5s23p")));
}

TEST(PlanEvaluatorOpeningPlans, DefaultPlanOfSevenPairsKeepsEveryPair)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "1155m3377p2288s44z");
    p.defaultplan = 1;
    Result r = Evaluated(ev, p);
    EXPECT_EQ(r.plan.groupnum, 7);
    EXPECT_EQ(r.distance, 7);
    EXPECT_EQ(r.cand.size(), 7u);
}

TEST(PlanEvaluatorOpeningPlans, AFlagWhosePlanCannotBeBuiltFallsBackToEveryBuilder)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "12345789m99p3z");
    AddMeld(p, GETMJ_PENG, "111z");
    p.qiduiplan = 1;
    Result r = Evaluated(ev, p);
    EXPECT_EQ(r.plan.type, CEvaluation::PLAN_QINGLONG);
    EXPECT_EQ(r.distance, 1);
}

TEST(PlanEvaluatorOpeningPlans, KnittedStraightFollowsTheChosenSuits)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "147s258m369p11z");
    p.zuhelongplan = 1;
    p.zuhelongsuits[0] = SUIT_TIAO;
    p.zuhelongsuits[1] = SUIT_WAN;
    p.zuhelongsuits[2] = SUIT_BING;
    Result r = Evaluated(ev, p);
    EXPECT_EQ(r.plan.type, CEvaluation::PLAN_BUKAO);
    EXPECT_EQ(r.distance, 0);
    EXPECT_TRUE(SameTiles(r.cand, Tiles("11z")));

    // In other suits six are missing: too far to be a plan, so the other builders answer.
    p.zuhelongsuits[0] = SUIT_WAN;
    p.zuhelongsuits[1] = SUIT_TIAO;
    r = Evaluated(ev, p);
    EXPECT_EQ(FindPlan(ev, CEvaluation::PLAN_BUKAO), nullptr);
}

TEST(PlanEvaluatorOpeningPlans, HonoursAndKnittedCountsEveryTargetNotHeld)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "147m258s36p12345z");
    p.bukaoplan = 1;
    p.bukaosuits[0] = SUIT_WAN;
    p.bukaosuits[1] = SUIT_TIAO;
    p.bukaosuits[2] = SUIT_BING;
    Result r = Evaluated(ev, p);
    EXPECT_EQ(r.plan.type, CEvaluation::PLAN_BUKAO);
    EXPECT_EQ(r.plan.groupnum, 5);
    EXPECT_EQ(r.distance, 3); // 9p, Green and White
    EXPECT_TRUE(r.cand.empty());
}

TEST(PlanEvaluatorOpeningPlans, AKnittedSearchWithoutChosenSuitsAimsAtTheNearestSuits)
{
    CMjPlayer p;
    CEvaluation ev;
    SetHand(p, "147p258m369s11z");
    Evaluated(ev, p);
    const EvalPlan *knitted = FindPlan(ev, CEvaluation::PLAN_BUKAO);
    ASSERT_NE(knitted, nullptr);
    EXPECT_EQ(knitted->distance, 0);
}

// The lowest tile a plan's first chow holds or needs.
MjTile FirstChowStart(const EvalPlan &plan)
{
    const EvalGroup &g = plan.groups[0];
    std::vector<MjTile> tiles(g.held, g.held + g.heldnum);
    tiles.insert(tiles.end(), g.need, g.need + g.neednum);
    SortMj(tiles.data(), static_cast<int>(tiles.size()));
    return tiles.at(0);
}

bool HasPlanFrom(const CEvaluation &ev, int type, MjTile start)
{
    for (int i = 0; i < ev.PlanCount(); i++)
        if (ev.GetPlan(i).type == type && IsSameMj(FirstChowStart(ev.GetPlan(i)), start))
            return true;
    return false;
}

// A mixed chow plan is aimed at only from two tiles of its first chow, however complete the rest.
TEST(PlanEvaluatorChowPlans, MixedPlansStartFromTwoTilesOfTheirFirstChow)
{
    struct Case {
        const char *hand;
        int type;
    } cases[] = {
        {"456s789p123456z", CEvaluation::PLAN_HUALONG},  // 123m 456s 789p
        {"234s345p123456z", CEvaluation::PLAN_SESANBU},  // 123m 234s 345p
    };
    for (const Case &c : cases) {
        CMjPlayer p;
        CEvaluation ev;
        SetHand(p, (std::string("1m") + c.hand).c_str());
        Evaluated(ev, p);
        EXPECT_FALSE(HasPlanFrom(ev, c.type, Tile("1m"))) << "1m" << c.hand;
        SetHand(p, (std::string("12m") + c.hand).c_str());
        Evaluated(ev, p);
        EXPECT_TRUE(HasPlanFrom(ev, c.type, Tile("1m"))) << "12m" << c.hand;
    }
}

std::vector<MjTile> Sorted(std::vector<MjTile> tiles)
{
    SortMj(tiles.data(), static_cast<int>(tiles.size()));
    return tiles;
}

// Every chow-based plan accounts for each concealed tile exactly once: used by a group or spared.
TEST(PlanEvaluatorProperties, EveryPlanUsesEachConcealedTileOnceAndStaysWithinReach)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 400; round++) {
        std::vector<MjTile> set = ShuffledSet(rng);
        CMjPlayer p;
        p.cardnum = 13 + round % 2;
        for (int i = 0; i < p.cardnum; i++)
            p.Mj[i] = set[i];
        p.SortMj();
        CEvaluation ev;
        Result r = Evaluated(ev, p);
        std::vector<MjTile> hand = HandOf(p);
        for (int i = 0; i < ev.PlanCount(); i++) {
            const EvalPlan &plan = ev.GetPlan(i);
            std::vector<MjTile> used(plan.cand, plan.cand + plan.candnum);
            int needed = 0;
            for (int g = 0; g < plan.groupnum; g++) {
                used.insert(used.end(), plan.groups[g].held, plan.groups[g].held + plan.groups[g].heldnum);
                needed += plan.groups[g].neednum;
            }
            EXPECT_TRUE(SameTiles(Sorted(used), hand)) << "round " << round << " plan " << plan.type;
            if (plan.distance == CEvaluation::kDeadDistance)
                continue;
            if (plan.type != CEvaluation::PLAN_BUKAO && plan.type != CEvaluation::PLAN_QIDUI) {
                EXPECT_LE(plan.distance, 4);
                EXPECT_EQ(plan.distance, needed);
            }
        }
        for (MjTile t : r.cand)
            EXPECT_TRUE(FindMj(p.Mj, p.cardnum, t));
        // Far from every plan, the candidates are tiles that all equally near plans can spare.
        if (r.distance <= 1 || r.plan.type == CEvaluation::PLAN_QIDUI ||
            r.cand.size() == static_cast<size_t>(r.plan.candnum))
            continue;
        for (int i = 0; i < ev.PlanCount(); i++) {
            if (ev.GetPlan(i).distance != r.distance)
                continue;
            for (MjTile t : r.cand)
                EXPECT_TRUE(FindMj(ev.GetPlan(i).cand, ev.GetPlan(i).candnum, t));
        }
    }
}

} // namespace
