#pragma once
#include "rules/HandCount.h"
#include "rules/MjTile.h"

#include <cstdint>
#include <vector>

class CMjPlayer;

// One group of a plan's target hand: what the hand already holds of it and what it still needs.
struct EvalGroup {
    MjTile held[4] = {};
    int32_t heldnum = 0;
    MjTile need[4] = {};
    int32_t neednum = 0;
    uint8_t avail[4] = {}; // unseen copies of each needed tile
};

// A target hand named by the fan it aims at, how far the hand is from it, and the concealed tiles
// it does not use.
struct EvalPlan {
    // Fourteen tiles make seven pairs, each a group of the seven-pairs and the default plan.
    static constexpr int kMaxGroups = 7;

    int32_t type = 0; // fan index
    int32_t distance = 0;
    EvalGroup groups[kMaxGroups];
    int32_t groupnum = 0;
    MjTile cand[14] = {};
    int32_t candnum = 0;
};

// Measures how far a robot's hand is from a set of target hands and which tiles each leaves over.
class CEvaluation {
public:
    static constexpr int kMaxPlans = 90;
    // The distance of a plan that needs a tile of which no copy is left unseen.
    static constexpr int kDeadDistance = 9;

    enum PlanType : int32_t {
        PLAN_QINGYISE = 22,  // one suit
        PLAN_QIDUI = 19,     // seven pairs
        PLAN_PENGPENG = 48,  // the default plan: all pungs
        PLAN_SANBUGAO = 30,  // pure shifted chows
        PLAN_QINGLONG = 28,  // pure straight
        PLAN_SANTONGSHUN = 41, // mixed triple chow
        PLAN_SESANBU = 50,   // mixed shifted chows
        PLAN_HUALONG = 39,   // mixed straight
        PLAN_BUKAO = 34,     // knitted straight, honours and knitted tiles
    };

    CEvaluation() { plans.reserve(kMaxPlans); }

    // Returns the best plan's distance, or -1 when no plan could be built. The candidates (up to
    // 14) and the plan record are written when their pointers are given.
    int Evaluate(CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10], MjTile *cand,
                 int *candnum, EvalPlan *plan);

    int PlanCount() const { return plannum; }
    const EvalPlan &GetPlan(int i) const { return plans[i]; }

private:
    struct ChowTarget {
        int suit;
        int start;
    };
    // Every chow plan aims at three chows.
    static constexpr int kChows = 3;

    bool BuildFlagged(const CMjPlayer &player);
    void BuildOneSuit(int suit);
    void BuildQiDui(const CMjPlayer &player);
    void BuildDefault();
    void BuildStepChows(const CMjPlayer &player);
    void BuildStraight(const CMjPlayer &player);
    void BuildTripleChow(const CMjPlayer &player);
    void BuildMixedShifted(const CMjPlayer &player);
    void BuildMixedStraight(const CMjPlayer &player);
    // Most chow plans are refused by the reach check, so it is made before the builder is called.
    void BuildChows(const CMjPlayer &player, int type, const ChowTarget (&chows)[kChows], int firstmin, int latermin)
    {
        if (ChowsInReach(chows, firstmin, latermin))
            BuildChowPlan(player, type, chows, firstmin, latermin);
    }
    void BuildChowPlan(const CMjPlayer &player, int type, const ChowTarget (&chows)[kChows], int firstmin,
                       int latermin);
    // Most chow plans fail on a chow the hand hardly holds, or on their distance. Each chow holds at
    // most a melded chow's three tiles or one copy of each of its kinds in the hand, so a plan that
    // fails even with those counts is not built at all. Asked some fifty times an evaluation, so
    // defined here to be inlined.
    bool ChowsInReach(const ChowTarget (&chows)[kChows], int firstmin, int latermin) const
    {
        int most = 0;
        for (int c = 0; c < kChows; c++) {
            int held = chowreach[chows[c].suit][chows[c].start];
            if (held < (c == 0 ? firstmin : latermin))
                return false;
            most += held;
        }
        return 3 * kChows - most <= maxdistance;
    }
    void CountChowReach(const CMjPlayer &player);
    void BuildKnitted(const CMjPlayer &player, int type, const int32_t order[3], bool withHonours);
    EvalPlan *NewPlan(int type);
    void NeedTile(EvalPlan &plan, EvalGroup &group, MjTile tile);
    bool CandidateOfAll(const EvalPlan &best, MjTile tile) const;

    // Grown as plans are first built, in room reserved up front: each dealt hand's new evaluator would
    // otherwise clear every plan it could ever hold.
    std::vector<EvalPlan> plans;
    int32_t plannum = 0;
    int32_t maxdistance = 4;

    // The hand being evaluated, sorted, and the seen table, for the builders.
    MjTile hand[14] = {};
    int handnum = 0;
    KindCounts handcount;
    const int (*seen)[10] = nullptr;
    // The most tiles each chow of the numbered suits can hold, by suit and lowest value.
    uint8_t chowreach[SUIT_BING + 1][8] = {};
};
