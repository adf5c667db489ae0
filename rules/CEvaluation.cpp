#include "rules/CEvaluation.h"

#include "rules/CLog.h"
#include "rules/CMjPlayer.h"
#include "rules/HandCount.h"

namespace {

// What is left of the hand while groups take the tiles they use, each tile once.
struct Pool {
    KindCounts left;
    const MjTile *hand;
    int handnum;

    // Starts from the hand's counts, made once per evaluation: every plan builds its own pool.
    Pool(const MjTile *tiles, int count, const KindCounts &counts) : left(counts), hand(tiles), handnum(count) {}

    bool Take(MjTile tile) { return left.Take(tile); }

    // The tiles no group took, in the hand's order.
    int Rest(MjTile *out) const
    {
        KindCounts spare = left;
        int n = 0;
        for (int i = 0; i < handnum; i++)
            if (spare.Take(hand[i]))
                out[n++] = hand[i];
        return n;
    }
};

int MeldedPungs(const CMjPlayer &player)
{
    int n = 0;
    for (int i = 0; i < player.getnum; i++)
        if (player.getmj[i].kind == GETMJ_GANG || player.getmj[i].kind == GETMJ_PENG)
            n++;
    return n;
}

// Melded chows may hold their tiles in any order.
bool IsChowMeld(const GetMj &meld, int suit, int start)
{
    if (meld.kind != GETMJ_CHI || meld.count != 3)
        return false;
    unsigned seen = 0;
    for (int i = 0; i < 3; i++) {
        int offset = meld.tiles[i].value - start;
        if (meld.tiles[i].suit != suit || offset < 0 || offset > 2)
            return false;
        seen |= 1u << offset;
    }
    return seen == 7u;
}

bool IsSuitOrder(const int32_t order[3])
{
    unsigned seen = 0;
    for (int k = 0; k < 3; k++) {
        if (order[k] < SUIT_WAN || order[k] > SUIT_BING)
            return false;
        seen |= 1u << order[k];
    }
    return seen == 7u;
}

// The two numbered suits other than s, in rising order.
void OtherSuits(int s, int other[2])
{
    int n = 0;
    for (int t = SUIT_WAN; t <= SUIT_BING; t++)
        if (t != s)
            other[n++] = t;
}

} // namespace

int CEvaluation::Evaluate(CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10], MjTile *cand,
                          int *candnum, EvalPlan *plan)
{
    plannum = 0;
    if (candnum)
        *candnum = 0;
    if (count < 0 || count > 14) {
        g_log.Error("CEvaluation::Evaluate count = %d.\n", count);
        return -1;
    }
    handnum = count;
    for (int i = 0; i < count; i++)
        hand[i] = tiles[i];
    ::SortMj(hand, handnum);
    handcount.Set(hand, handnum);
    seen = seenmj;

    const EvalPlan *best = nullptr;
    if (BuildFlagged(*player)) {
        best = &plans[0];
        if (cand && candnum) {
            for (int i = 0; i < best->candnum; i++)
                cand[i] = best->cand[i];
            *candnum = best->candnum;
        }
        if (plan)
            *plan = *best;
        return best->distance;
    }

    // A chow plan leaves room for one melded pung at most.
    if (MeldedPungs(*player) <= 1) {
        CountChowReach(*player);
        BuildStepChows(*player);
        BuildStraight(*player);
        BuildTripleChow(*player);
        BuildMixedShifted(*player);
        BuildMixedStraight(*player);
    }
    BuildKnitted(*player, PLAN_BUKAO, player->zuhelongsuits, false);
    BuildQiDui(*player);

    for (int p = 0; p < plannum; p++)
        for (int g = 0; g < plans[p].groupnum; g++)
            for (int k = 0; k < plans[p].groups[g].neednum; k++)
                if (plans[p].groups[g].avail[k] == 0)
                    plans[p].distance = kDeadDistance;
    if (plannum == 0)
        return -1;

    best = &plans[0];
    for (int p = 1; p < plannum; p++)
        if (plans[p].distance < best->distance)
            best = &plans[p];
    if (best->type == PLAN_QIDUI)
        player->qiduiplan = 1;

    // Far from every plan, discard what all equally good plans can spare.
    int n = 0;
    MjTile shared[14];
    if (best->distance > 1 && best->type != PLAN_QIDUI)
        for (int i = 0; i < best->candnum; i++)
            if (CandidateOfAll(*best, best->cand[i]))
                shared[n++] = best->cand[i];
    if (n == 0) {
        n = best->candnum;
        for (int i = 0; i < n; i++)
            shared[i] = best->cand[i];
    }
    if (cand && candnum) {
        for (int i = 0; i < n; i++)
            cand[i] = shared[i];
        *candnum = n;
    }
    if (plan)
        *plan = *best;
    return best->distance;
}

bool CEvaluation::CandidateOfAll(const EvalPlan &best, MjTile tile) const
{
    for (int p = 0; p < plannum; p++)
        if (&plans[p] != &best && plans[p].distance == best.distance &&
            !FindMj(plans[p].cand, plans[p].candnum, tile))
            return false;
    return true;
}

bool CEvaluation::BuildFlagged(const CMjPlayer &player)
{
    if (player.qiduiplan) {
        BuildQiDui(player);
        if (plannum > 0)
            return true;
    }
    if (player.onesuitplan) {
        BuildOneSuit(player.onesuit);
        if (plannum > 0)
            return true;
    }
    if (player.defaultplan) {
        BuildDefault();
        if (plannum > 0)
            return true;
    }
    if (player.bukaoplan) {
        BuildKnitted(player, PLAN_BUKAO, player.bukaosuits, true);
        if (plannum > 0)
            return true;
    }
    if (player.zuhelongplan) {
        BuildKnitted(player, PLAN_BUKAO, player.zuhelongsuits, false);
        if (plannum > 0)
            return true;
    }
    return false;
}

EvalPlan *CEvaluation::NewPlan(int type)
{
    if (plannum >= kMaxPlans)
        return nullptr;
    if (plannum == static_cast<int>(plans.size()))
        plans.emplace_back();
    else
        plans[plannum] = EvalPlan{};
    EvalPlan &plan = plans[plannum];
    plan.type = type;
    return &plan;
}

void CEvaluation::NeedTile(EvalPlan &plan, EvalGroup &group, MjTile tile)
{
    group.need[group.neednum] = tile;
    group.avail[group.neednum] = static_cast<uint8_t>(UnseenCount(handcount, seen, tile));
    group.neednum++;
    plan.distance++;
}

void CEvaluation::BuildOneSuit(int suit)
{
    EvalPlan *plan = NewPlan(PLAN_QINGYISE);
    if (!plan)
        return;
    for (int i = 0; i < handnum; i++)
        if (hand[i].suit != suit)
            plan->cand[plan->candnum++] = hand[i];
    plan->distance = plan->candnum / 2;
    plannum++;
}

void CEvaluation::BuildQiDui(const CMjPlayer &player)
{
    if (player.getnum > 0)
        return;
    EvalPlan *plan = NewPlan(PLAN_QIDUI);
    if (!plan)
        return;
    int pairs = 0;
    for (int i = 0; i < handnum;) {
        if (i + 1 < handnum && IsSameMj(hand[i], hand[i + 1])) {
            EvalGroup &group = plan->groups[plan->groupnum++];
            group.held[0] = group.held[1] = hand[i];
            group.heldnum = 2;
            pairs++;
            i += 2;
        } else {
            plan->cand[plan->candnum++] = hand[i++];
        }
    }
    if (pairs < 4)
        return;
    plan->distance = (handnum - 2 * pairs) / 2;
    plannum++;
}

void CEvaluation::BuildDefault()
{
    EvalPlan *plan = NewPlan(PLAN_PENGPENG);
    if (!plan)
        return;
    for (int i = 0; i < handnum;) {
        int run = 1;
        while (i + run < handnum && IsSameMj(hand[i], hand[i + run]))
            run++;
        if (run == 1) {
            plan->cand[plan->candnum++] = hand[i];
        } else {
            EvalGroup &group = plan->groups[plan->groupnum++];
            for (int k = 0; k < run; k++)
                group.held[group.heldnum++] = hand[i];
            if (run == 2)
                NeedTile(*plan, group, hand[i]);
        }
        i += run;
    }
    if (plan->candnum == 0)
        for (int g = 0; g < plan->groupnum; g++)
            if (plan->groups[g].heldnum == 2)
                plan->cand[plan->candnum++] = plan->groups[g].held[0];
    plannum++;
}

void CEvaluation::BuildChowPlan(const CMjPlayer &player, int type, const ChowTarget (&chows)[kChows], int firstmin,
                                int latermin)
{
    EvalPlan *plan = NewPlan(type);
    if (!plan)
        return;
    Pool pool(hand, handnum, handcount);
    bool meldused[5] = {};
    for (int c = 0; c < kChows; c++) {
        EvalGroup &group = plan->groups[plan->groupnum++];
        int meld = -1;
        for (int m = 0; m < player.getnum && meld < 0; m++)
            if (!meldused[m] && IsChowMeld(player.getmj[m], chows[c].suit, chows[c].start))
                meld = m;
        if (meld >= 0) {
            meldused[meld] = true;
            for (int k = 0; k < 3; k++)
                group.held[group.heldnum++] = player.getmj[meld].tiles[k];
        } else {
            for (int k = 0; k < 3; k++) {
                MjTile tile = MakeMj(chows[c].start + k, chows[c].suit);
                if (pool.Take(tile))
                    group.held[group.heldnum++] = tile;
                else
                    NeedTile(*plan, group, tile);
            }
        }
        if (group.heldnum < (c == 0 ? firstmin : latermin))
            return;
    }
    if (plan->distance > maxdistance)
        return;
    plan->candnum = pool.Rest(plan->cand);
    plannum++;
}

// The hand and its melds stay the same while some fifty chow plans ask about the same 21 chows.
void CEvaluation::CountChowReach(const CMjPlayer &player)
{
    for (int s = SUIT_WAN; s <= SUIT_BING; s++)
        for (int v = 1; v <= 7; v++) {
            bool melded = false;
            for (int m = 0; m < player.getnum && !melded; m++)
                melded = IsChowMeld(player.getmj[m], s, v);
            int held = 3;
            if (!melded) {
                held = 0;
                for (int k = 0; k < 3; k++)
                    if (handcount.Of(v + k, s) > 0)
                        held++;
            }
            chowreach[s][v] = static_cast<uint8_t>(held);
        }
}

void CEvaluation::BuildStepChows(const CMjPlayer &player)
{
    for (int s = SUIT_WAN; s <= SUIT_BING; s++) {
        for (int v = 1; v <= 5; v++) {
            const ChowTarget chain[3] = {{s, v}, {s, v + 1}, {s, v + 2}};
            BuildChows(player, PLAN_SANBUGAO, chain, 2, 1);
        }
        for (int v = 1; v <= 3; v += 2) {
            const ChowTarget chain[3] = {{s, v}, {s, v + 2}, {s, v + 4}};
            BuildChows(player, PLAN_SANBUGAO, chain, 2, 1);
        }
    }
}

void CEvaluation::BuildStraight(const CMjPlayer &player)
{
    for (int s = SUIT_WAN; s <= SUIT_BING; s++) {
        const ChowTarget chows[3] = {{s, 1}, {s, 4}, {s, 7}};
        BuildChows(player, PLAN_QINGLONG, chows, 0, 0);
    }
}

void CEvaluation::BuildTripleChow(const CMjPlayer &player)
{
    for (int v = 1; v <= 7; v++) {
        const ChowTarget chows[3] = {{SUIT_WAN, v}, {SUIT_TIAO, v}, {SUIT_BING, v}};
        BuildChows(player, PLAN_SANTONGSHUN, chows, 0, 0);
    }
}

void CEvaluation::BuildMixedShifted(const CMjPlayer &player)
{
    for (int s = SUIT_WAN; s <= SUIT_BING; s++) {
        int other[2];
        OtherSuits(s, other);
        for (int v = 1; v <= 5; v++) {
            const ChowTarget chows[3] = {{s, v}, {other[0], v + 1}, {other[1], v + 2}};
            BuildChows(player, PLAN_SESANBU, chows, 2, 0);
        }
    }
}

void CEvaluation::BuildMixedStraight(const CMjPlayer &player)
{
    for (int s = SUIT_WAN; s <= SUIT_BING; s++) {
        int other[2];
        OtherSuits(s, other);
        const ChowTarget chows[3] = {{s, 1}, {other[0], 4}, {other[1], 7}};
        BuildChows(player, PLAN_HUALONG, chows, 2, 0);
    }
}

void CEvaluation::BuildKnitted(const CMjPlayer &player, int type, const int32_t order[3], bool withHonours)
{
    if (withHonours ? player.getnum > 0 : handnum < 11)
        return;
    // A seat that never chose a knitted plan has no suit order yet: aim at the one it is closest to.
    int suits[3];
    if (IsSuitOrder(order))
        for (int k = 0; k < 3; k++)
            suits[k] = order[k];
    else
        BestKnittedOrder(handcount, suits);

    EvalPlan *plan = NewPlan(type);
    if (!plan)
        return;
    Pool pool(hand, handnum, handcount);
    auto target = [&](EvalGroup &group, MjTile tile) {
        if (pool.Take(tile))
            group.held[group.heldnum++] = tile;
        else
            NeedTile(*plan, group, tile);
    };
    for (int k = 0; k < 3; k++) {
        EvalGroup &group = plan->groups[plan->groupnum++];
        for (int i = 0; i < 3; i++)
            target(group, KnittedMj(suits, k, i));
    }
    if (withHonours) {
        EvalGroup &winds = plan->groups[plan->groupnum++];
        for (int v = 1; v <= 4; v++)
            target(winds, MakeMj(v, SUIT_ZI));
        EvalGroup &dragons = plan->groups[plan->groupnum++];
        for (int v = 5; v <= 7; v++)
            target(dragons, MakeMj(v, SUIT_ZI));
    }
    // A knitted straight further than the cap is no plan, or every hand of eleven tiles had one.
    if (!withHonours && plan->distance > maxdistance)
        return;
    plan->candnum = pool.Rest(plan->cand);
    plannum++;
}
