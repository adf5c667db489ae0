#include "rules/CEvaluation.h"

#include "RobotHands.h"
#include "rules/HandCount.h"

#include <gtest/gtest.h>

namespace {

const int kNoneSeen[5][10] = {};

std::string Outcome(int type, int distance, const std::vector<MjTile> &spare)
{
    return "plan " + std::to_string(type) + " distance " + std::to_string(distance) + " spare " + Text(spare);
}

// A robot's seat and the plans the evaluator finds for it.
class Evaluator : public testing::Test {
protected:
    // The best plan for the hand given (after any melds the test added), with the tiles it spares.
    std::string Evaluated(const char *hand, const int (*seen)[10] = kNoneSeen)
    {
        SetHand(p, hand);
        MjTile cand[14];
        int candnum = -1;
        distance = ev.Evaluate(&p, p.Mj, p.cardnum, seen, cand, &candnum, &plan);
        spare.assign(cand, cand + candnum);
        return Outcome(plan.type, distance, spare);
    }
    const EvalPlan *Find(int type) const
    {
        for (int i = 0; i < ev.PlanCount(); i++)
            if (ev.GetPlan(i).type == type)
                return &ev.GetPlan(i);
        return nullptr;
    }

    CMjPlayer p;
    CEvaluation ev;
    EvalPlan plan;
    int distance = 0;
    std::vector<MjTile> spare;
};

TEST_F(Evaluator, FourPairsWithoutMeldsAimAtSevenPairsAndAMeldRulesThemOut)
{
    Evaluated("1133m5577p249s13z");
    const EvalPlan *qidui = Find(CEvaluation::PLAN_QIDUI);
    ASSERT_NE(qidui, nullptr);
    EXPECT_EQ(Outcome(qidui->type, qidui->distance, {qidui->cand, qidui->cand + qidui->candnum}),
              Outcome(CEvaluation::PLAN_QIDUI, 2, Tiles("249s13z")));
    EXPECT_EQ(qidui->groupnum, 4);

    AddMeld(p, GETMJ_PENG, "999s");
    Evaluated("1133m5577p13z");
    EXPECT_EQ(Find(CEvaluation::PLAN_QIDUI), nullptr);
}

TEST_F(Evaluator, SevenPairsComingOutBestSwitchesTheSeatsPlan)
{
    EXPECT_EQ(Evaluated("1155m3377p2288s4z"), Outcome(CEvaluation::PLAN_QIDUI, 0, Tiles("4z")));
    EXPECT_EQ(p.qiduiplan, 1);
}

TEST_F(Evaluator, ANeededTileWhoseCopiesAreAllVisibleIsDistanceNine)
{
    int seen[5][10] = {};
    seen[SUIT_WAN][6] = 4;
    Evaluated("12345789m1122z3z", seen);
    const EvalPlan *straight = Find(CEvaluation::PLAN_QINGLONG);
    ASSERT_NE(straight, nullptr);
    EXPECT_EQ(straight->distance, CEvaluation::kDeadDistance);
    EXPECT_EQ(straight->groups[1].avail[0], 0);
    EXPECT_NE(plan.type, CEvaluation::PLAN_QINGLONG);
    EXPECT_LT(distance, CEvaluation::kDeadDistance);

    // Copies in the seat's own hand are not dead: three seen and none held leaves one to draw.
    seen[SUIT_WAN][6] = 3;
    Evaluated("12345789m1122z3z", seen);
    EXPECT_EQ(distance, 1);
    EXPECT_EQ(plan.groups[1].avail[0], 1);
}

TEST_F(Evaluator, HandsOutOfReachOfEveryPlanGiveMinusOneAndNoCandidates)
{
    EXPECT_EQ(Evaluated("19m19s19p1234567z"), Outcome(0, -1, {}));
    AddMeld(p, GETMJ_PENG, "222m");
    AddMeld(p, GETMJ_GANG, "6666p");
    Evaluated("14m7s9p135z");
    EXPECT_EQ(distance, -1);
    EXPECT_TRUE(spare.empty());
    EXPECT_EQ(ev.PlanCount(), 0);
}

TEST_F(Evaluator, AMeldedChowCountsAsHeldAndCanStartAStepPlan)
{
    AddMeld(p, GETMJ_CHI, "213m");
    EXPECT_EQ(Evaluated("45678m1199p2s"), Outcome(CEvaluation::PLAN_QINGLONG, 1, Tiles("2s1199p")));
    EXPECT_EQ(plan.groups[0].heldnum, 3);

    p.getnum = 0;
    AddMeld(p, GETMJ_CHI, "123m");
    Evaluated("445m19p19s1234z");
    const EvalPlan *steps = Find(CEvaluation::PLAN_SANBUGAO);
    ASSERT_NE(steps, nullptr) << "the hand holds too little of 123m, but the meld holds all of it";
    EXPECT_EQ(steps->distance, 3);
    EXPECT_EQ(steps->groups[0].heldnum, 3);
    EXPECT_EQ(steps->groups[0].neednum, 0);
}

TEST_F(Evaluator, OneSuitPlanSparesEveryOtherSuitAndHonoursAndKnittedCountEveryTargetNotHeld)
{
    p.onesuitplan = 1;
    p.onesuit = SUIT_TIAO;
    EXPECT_EQ(Evaluated("112345789s19m5p7z"), Outcome(CEvaluation::PLAN_QINGYISE, 2, Tiles("19m5p7z")));
    // Honours and knitted tiles count every target not held: here 9p, Green and White.
    p.Reset();
    p.bukaoplan = 1;
    p.bukaosuits[0] = SUIT_WAN;
    p.bukaosuits[1] = SUIT_TIAO;
    p.bukaosuits[2] = SUIT_BING;
    EXPECT_EQ(Evaluated("147m258s36p12345z"), Outcome(CEvaluation::PLAN_BUKAO, 3, {}));
    EXPECT_EQ(plan.groupnum, 5);
}

TEST_F(Evaluator, DefaultPlanCountsThirdCopiesSparesSinglesThenPairsAndKeepsSevenPairs)
{
    p.defaultplan = 1;
    EXPECT_EQ(Evaluated("111m22p33p57s1z"), Outcome(CEvaluation::PLAN_PENGPENG, 2, Tiles("57s1z")));
    EXPECT_EQ(plan.groupnum, 3);
    EXPECT_EQ(Evaluated("111m22p33p55s"), Outcome(CEvaluation::PLAN_PENGPENG, 3, Tiles("5s23p")));
    Evaluated("1155m3377p2288s44z");
    EXPECT_EQ(plan.groupnum, 7);
    EXPECT_EQ(distance, 7);
    EXPECT_EQ(spare.size(), 7u);
}

TEST_F(Evaluator, AFlagWhosePlanCannotBeBuiltFallsBackToEveryBuilder)
{
    AddMeld(p, GETMJ_PENG, "111z");
    p.qiduiplan = 1;
    Evaluated("12345789m99p3z");
    EXPECT_EQ(plan.type, CEvaluation::PLAN_QINGLONG);
    EXPECT_EQ(distance, 1);
}

TEST_F(Evaluator, KnittedPlansFollowTheChosenSuitsOrElseTheNearest)
{
    p.zuhelongplan = 1;
    p.zuhelongsuits[0] = SUIT_TIAO;
    p.zuhelongsuits[1] = SUIT_WAN;
    p.zuhelongsuits[2] = SUIT_BING;
    EXPECT_EQ(Evaluated("147s258m369p11z"), Outcome(CEvaluation::PLAN_BUKAO, 0, Tiles("11z")));
    // In other suits six are missing: too far to be a plan, so the other builders answer.
    std::swap(p.zuhelongsuits[0], p.zuhelongsuits[1]);
    Evaluated("147s258m369p11z");
    EXPECT_EQ(Find(CEvaluation::PLAN_BUKAO), nullptr);

    // Without chosen suits the search finds them.
    p.Reset();
    Evaluated("147p258m369s11z");
    const EvalPlan *knitted = Find(CEvaluation::PLAN_BUKAO);
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

// A mixed chow plan is aimed at only from two tiles of its first chow, however complete the rest.
TEST_F(Evaluator, MixedPlansStartFromTwoTilesOfTheirFirstChow)
{
    auto startsAt1m = [this](int type) {
        for (int i = 0; i < ev.PlanCount(); i++)
            if (ev.GetPlan(i).type == type && IsSameMj(FirstChowStart(ev.GetPlan(i)), Tile("1m")))
                return true;
        return false;
    };
    const struct {
        const char *rest;
        int type;
    } cases[] = {
        {"456s789p123456z", CEvaluation::PLAN_HUALONG}, // 123m 456s 789p
        {"234s345p123456z", CEvaluation::PLAN_SESANBU}, // 123m 234s 345p
    };
    for (const auto &c : cases) {
        Evaluated((std::string("1m") + c.rest).c_str());
        EXPECT_FALSE(startsAt1m(c.type)) << "1m" << c.rest;
        Evaluated((std::string("12m") + c.rest).c_str());
        EXPECT_TRUE(startsAt1m(c.type)) << "12m" << c.rest;
    }
}

// Every chow-based plan accounts for each concealed tile exactly once: used by a group or spared.
TEST(EvaluatorProperties, EveryPlanUsesEachConcealedTileOnceAndStaysWithinReach)
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
        MjTile cand[14];
        int candnum = 0;
        EvalPlan best;
        int distance = ev.Evaluate(&p, p.Mj, p.cardnum, kNoneSeen, cand, &candnum, &best);
        for (int i = 0; i < ev.PlanCount(); i++) {
            const EvalPlan &plan = ev.GetPlan(i);
            std::vector<MjTile> used(plan.cand, plan.cand + plan.candnum);
            int needed = 0;
            for (int g = 0; g < plan.groupnum; g++) {
                used.insert(used.end(), plan.groups[g].held, plan.groups[g].held + plan.groups[g].heldnum);
                needed += plan.groups[g].neednum;
            }
            SortMj(used.data(), static_cast<int>(used.size()));
            EXPECT_EQ(Text(used), Text(HandOf(p))) << "round " << round << " plan " << plan.type;
            if (plan.distance == CEvaluation::kDeadDistance)
                continue;
            if (plan.type != CEvaluation::PLAN_BUKAO && plan.type != CEvaluation::PLAN_QIDUI) {
                EXPECT_LE(plan.distance, 4);
                EXPECT_EQ(plan.distance, needed);
            }
        }
        for (int k = 0; k < candnum; k++)
            EXPECT_TRUE(FindMj(p.Mj, p.cardnum, cand[k]));
        // Far from every plan, the candidates are tiles that all equally near plans can spare.
        if (distance <= 1 || best.type == CEvaluation::PLAN_QIDUI || candnum == best.candnum)
            continue;
        for (int i = 0; i < ev.PlanCount(); i++)
            for (int k = 0; k < candnum && ev.GetPlan(i).distance == distance; k++)
                EXPECT_TRUE(FindMj(ev.GetPlan(i).cand, ev.GetPlan(i).candnum, cand[k]));
    }
}

} // namespace
