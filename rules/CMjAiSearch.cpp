#include "rules/CLog.h"
#include "rules/CMjAi.h"
#include "rules/CMjPlayer.h"
#include "rules/HandCount.h"

#include <ctime>

namespace {

// Copies tiles into out without the first copy of tile; -1 when there is none.
int Without(const MjTile *tiles, int n, MjTile tile, MjTile *out)
{
    int m = 0;
    bool taken = false;
    for (int i = 0; i < n; i++) {
        if (!taken && IsSameMj(tiles[i], tile))
            taken = true;
        else
            out[m++] = tiles[i];
    }
    return taken ? m : -1;
}

MjTile Up(MjTile tile, int dv)
{
    return MakeMj(tile.value + dv, tile.suit);
}

// The sorted tiles less a chow from their head; -1 when the hand lacks it.
int WithoutChow(const MjTile *rest, int n, MjTile *out)
{
    if (!IsNumberedMj(rest[0]) || rest[0].value > 7)
        return -1;
    MjTile between[14];
    int m = Without(rest + 1, n - 1, Up(rest[0], 1), between);
    return m < 0 ? -1 : Without(between, m, Up(rest[0], 2), out);
}

// The sorted tiles less their head and the first later tile gap above it, in one numbered suit.
int WithoutPartial(const MjTile *rest, int n, int gap, MjTile *out)
{
    if (!IsNumberedMj(rest[0]) || rest[0].value + gap > 9)
        return -1;
    return Without(rest + 1, n - 1, Up(rest[0], gap), out);
}

int Length(int pairs, int partials, int singles)
{
    return 2 * (pairs + partials) + singles;
}

} // namespace

bool CMjAi::ReadyHand(CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10])
{
    Begin(player, tiles, count, seenmj);
    readyfound = false;
    readybest = 0;
    for (int &total : totalcache)
        total = -1;
    ReadySearch(hand, handnum, 0, 0, 0);
    return readyfound;
}

// Depth first over every way to read the hand as groups plus at most two pairs, one partial and
// two singles. Pairs and partials beyond what a ready shape holds are not followed: such readings
// can never count.
void CMjAi::ReadySearch(const MjTile *rest, int n, int pairs, int partials, int singles)
{
    if (n == 0) {
        ReadyShape(pairs, partials, singles);
        return;
    }
    MjTile head = rest[0];
    MjTile next[14];
    bool two = n >= 2 && IsSameMj(rest[1], head);
    if (two && n >= 3 && IsSameMj(rest[2], head))
        ReadySearch(rest + 3, n - 3, pairs, partials, singles);
    if (two && pairs + partials < 2 && singles < 2) {
        pairmj[pairs] = head;
        ReadySearch(rest + 2, n - 2, pairs + 1, partials, singles);
    }
    int m = WithoutChow(rest, n, next);
    if (m >= 0)
        ReadySearch(next, m, pairs, partials, singles);
    if (pairs < 2 && partials == 0 && singles < 2) {
        for (int gap = 1; gap <= 2; gap++) {
            m = WithoutPartial(rest, n, gap, next);
            if (m < 0)
                continue;
            partmj[0] = head;
            partmj[1] = Up(head, gap);
            ReadySearch(next, m, pairs, 1, singles);
        }
    }
    if ((singles == 0 && ((pairs < 3 && partials == 0) || (pairs < 2 && partials < 2))) ||
        (singles == 1 && pairs + partials == 0)) {
        singlemj[singles] = head;
        ReadySearch(rest + 1, n - 1, pairs, partials, singles + 1);
    }
}

void CMjAi::ReadyShape(int pairs, int partials, int singles)
{
    if (singles == 1 && pairs == 2 && partials == 0)
        ConsiderReady(singlemj[0], Unseen(pairmj[0]) + Unseen(pairmj[1]), 0);
    else if (singles == 1 && pairs == 1 && partials == 1)
        ConsiderReady(singlemj[0], PartialWorth(partmj), 0);
    else if (singles == 2 && pairs == 0 && partials == 0 && ConsiderReady(singlemj[0], Unseen(singlemj[1]), -1))
        ConsiderReady(singlemj[1], Unseen(singlemj[0]), -1);
}

// A discard that leaves a hand able to win; false when its total falls short of minfan.
bool CMjAi::ConsiderReady(MjTile discard, int winning, int bonus)
{
    if (handcount.Of(discard) == 0)
        return true;
    int total = TotalWithout(discard);
    if (total < minfan)
        return false;
    readyfound = true;
    int score = total + bonus + 4 * winning;
    if (score > readybest && winning > 0) {
        readybest = score;
        playmj = discard;
    } else if (winning == 0 && readybest == 0) {
        g_log.Trace("听牌了，但是没有胡的了:(\n");
        playmj = discard;
    }
    return true;
}

// Many readings discard the same tile; the hand left behind, and so its total, is the same.
int CMjAi::TotalWithout(MjTile discard)
{
    int kind = MjKind(discard);
    if (kind >= 0 && totalcache[kind] >= 0)
        return totalcache[kind];
    MjTile rest[14];
    int n = Without(hand, handnum, discard, rest);
    int total = gbhu.CanHu(seat, rest, n);
    if (kind >= 0)
        totalcache[kind] = total;
    return total;
}

bool CMjAi::GetBestWay()
{
    bestscore = secondscore = 0;
    bestmj = secondmj = MjTile{};
    stack.clear();
    ShapeState start;
    for (int i = 0; i < handnum; i++)
        start.rest[i] = hand[i];
    start.restnum = static_cast<int8_t>(handnum);
    stack.push_back(start);
    long begin = static_cast<long>(std::clock());
    int rounds = 0;
    while (!stack.empty()) {
        ShapeState state = stack.back();
        stack.pop_back();
        rounds++;
        if (state.restnum == 0)
            ScoreShape(state);
        else if (state.singlenum <= 4 && state.partnum <= 3)
            PushShapes(state);
    }
    g_log.Trace("开始的时间是:%ld .\n", begin);
    g_log.Trace("循环的次数是:%d.\n", rounds);
    g_log.Trace("结束的时间是:%ld .\n", static_cast<long>(std::clock()));
    if (bestscore >= 1) {
        playmj = bestmj;
        g_log.Trace("GetBestWay Find PlayMj: Step = %d Mj[%d %d].\n", rounds, playmj.value, playmj.suit);
        return true;
    }
    if (secondscore >= 1) {
        playmj = secondmj;
        return true;
    }
    g_log.Trace("GetBestWay Can't Find PlayMj.\n");
    return false;
}

// Children are pushed pung, chow, pair, partials, single, so the single is followed first. Only
// lengths of 5 and 8 score, and a state's length never shrinks: longer ones are not pushed.
void CMjAi::PushShapes(const ShapeState &state)
{
    const MjTile *rest = state.rest;
    int n = state.restnum;
    MjTile head = rest[0];
    auto push = [&](ShapeState child, const MjTile *left, int m) {
        if (Length(child.pairnum, child.partnum, child.singlenum) > 8)
            return;
        for (int i = 0; i < m; i++)
            child.rest[i] = left[i];
        child.restnum = static_cast<int8_t>(m);
        stack.push_back(child);
    };
    bool two = n >= 2 && IsSameMj(rest[1], head);
    if (two && n >= 3 && IsSameMj(rest[2], head))
        push(state, rest + 3, n - 3);
    MjTile next[14];
    int m = WithoutChow(rest, n, next);
    if (m >= 0)
        push(state, next, m);
    if (two) {
        ShapeState child = state;
        child.pair[child.pairnum++] = head;
        push(child, rest + 2, n - 2);
    }
    for (int gap = 1; gap <= 2; gap++) {
        m = WithoutPartial(rest, n, gap, next);
        if (m < 0)
            continue;
        ShapeState child = state;
        child.part[child.partnum][0] = head;
        child.part[child.partnum][1] = Up(head, gap);
        child.partnum++;
        push(child, next, m);
    }
    ShapeState child = state;
    child.single[child.singlenum++] = head;
    push(child, rest + 1, n - 1);
}

void CMjAi::Offer(int score, MjTile discard, bool secondrank)
{
    if (!secondrank && score > bestscore) {
        bestscore = score;
        bestmj = discard;
    } else if (secondrank && score > secondscore) {
        secondscore = score;
        secondmj = discard;
    }
}

void CMjAi::ScoreShape(const ShapeState &s)
{
    int p = s.pairnum, q = s.partnum, n = s.singlenum;
    int pairs = 0, parts = 0;
    for (int i = 0; i < p; i++)
        pairs += PairWorth(s.pair[i]);
    for (int i = 0; i < q; i++)
        parts += PartialWorth(s.part[i]);
    int length = Length(p, q, n);

    if (length == 5) {
        if (n == 3 && p + q == 1) {
            int k = FewestUnseen(s.single, 3);
            int score = pairs + parts;
            for (int i = 0; i < 3; i++)
                if (i != k)
                    score += Unseen(s.single[i]);
            Offer(score, s.single[k], false);
        } else if (p == 0 && q == 2 && n == 1) {
            Offer(parts, s.single[0], false);
        }
        return;
    }
    if (length != 8)
        return;
    if (p == 4) {
        int k = 0;
        for (int i = 1; i < 4; i++)
            if (PairWorth(s.pair[i]) < PairWorth(s.pair[k]))
                k = i;
        Offer(pairs - PairWorth(s.pair[k]), s.pair[k], false);
    } else if (p == 3 && q == 1) {
        Offer(pairs, FewerUnseen(s.part[0][0], s.part[0][1]), false);
    } else if (p == 3 && n == 2) {
        Offer(pairs, FewerUnseen(s.single[0], s.single[1]), false);
    } else if (p == 2 && q == 2) {
        int k = PartialWorth(s.part[1]) < PartialWorth(s.part[0]) ? 1 : 0;
        Offer(pairs + parts, FewerUnseen(s.part[k][0], s.part[k][1]), false);
    } else if (p == 2 && q == 1) {
        Offer(pairs + parts, FewerUnseen(s.single[0], s.single[1]), false);
    } else if (p == 2 && n == 4) {
        Offer(pairs, s.single[FewestUnseen(s.single, 4)], false);
    } else if (p == 1 && q == 3) {
        int k = 0;
        for (int i = 1; i < 3; i++)
            if (PartialWorth(s.part[i]) < PartialWorth(s.part[k]))
                k = i;
        Offer(pairs + parts - PartialWorth(s.part[k]), FewerUnseen(s.part[k][0], s.part[k][1]), true);
    } else if (p == 1 && q == 2) {
        Offer(pairs + parts, FewerUnseen(s.single[0], s.single[1]), true);
    } else if (p == 0 && q == 3) {
        Offer(parts, FewerUnseen(s.single[0], s.single[1]), true);
    }
}

bool CMjAi::SmallShapeSearch()
{
    candflag[0] = candflag[1] = 0;
    if (handnum > 14)
        return false;
    SmallSearch(hand, handnum, 0, 0, 0);
    if (candflag[0])
        playmj = candmj[0];
    else if (candflag[1])
        playmj = candmj[1];
    return candflag[0] || candflag[1];
}

// Exhaustive, but the first candidate once found can no longer change, and lengths above 8 never
// give one.
void CMjAi::SmallSearch(const MjTile *rest, int n, int pairs, int partials, int singles)
{
    int length = Length(pairs, partials, singles);
    if (candflag[0] || length > 8)
        return;
    if (n == 0) {
        if (length == 5 && pairs + partials >= 1) {
            candflag[0] = 1;
            candmj[0] = smallsingle[0];
        } else if (length == 8 && pairs + partials >= 4) {
            MjTile first = singles ? smallsingle[0] : partials ? smallpart[0][0] : smallpair[0];
            int k = pairs ? 0 : 1;
            if (!candflag[k]) {
                candflag[k] = 1;
                candmj[k] = first;
            }
        }
        return;
    }
    MjTile head = rest[0];
    int same = 1;
    while (same < n && same < 4 && IsSameMj(rest[same], head))
        same++;
    if (same == 4)
        SmallSearch(rest + 4, n - 4, pairs, partials, singles);
    if (same >= 3)
        SmallSearch(rest + 3, n - 3, pairs, partials, singles);
    MjTile next[14];
    int m = WithoutChow(rest, n, next);
    if (m >= 0)
        SmallSearch(next, m, pairs, partials, singles);
    if (same >= 2) {
        smallpair[pairs] = head;
        SmallSearch(rest + 2, n - 2, pairs + 1, partials, singles);
    }
    for (int gap = 1; gap <= 2; gap++) {
        m = WithoutPartial(rest, n, gap, next);
        if (m < 0)
            continue;
        smallpart[partials][0] = head;
        smallpart[partials][1] = Up(head, gap);
        SmallSearch(next, m, pairs, partials + 1, singles);
    }
    smallsingle[singles] = head;
    SmallSearch(rest + 1, n - 1, pairs, partials, singles + 1);
}
