#include "rules/CLog.h"
#include "rules/CMjAi.h"
#include "rules/CMjPlayer.h"
#include "rules/HandCount.h"

#include <algorithm>

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

// The searches below set aside, step by step, a group holding the lowest tile left (the head). A
// reading's length is the number of its tiles outside chows and pungs.
constexpr int Length(int pairs, int partials, int singles)
{
    return 2 * (pairs + partials) + singles;
}

// The readings ScoreShape offers a discard for, as {pairs, partials, singles}: lengths 5 and 8.
constexpr int kScoringShapes[][3] = {{1, 0, 3}, {0, 1, 3}, {0, 2, 1}, {4, 0, 0}, {3, 1, 0}, {3, 0, 2},
                                     {2, 2, 0}, {2, 1, 2}, {2, 0, 4}, {1, 3, 0}, {1, 2, 2}, {0, 3, 2}};

// The longest scoring reading that a reading with these groups outside chows and pungs can still
// grow into (the searches only ever add groups), 0 when there is none. Indexed [pairs][partials]
// [singles]: a reading that can still grow holds at most 4 of each, and one group more stays inside.
struct ScoringReach {
    int longest[6][6][6] = {};
    constexpr ScoringReach()
    {
        for (const auto &shape : kScoringShapes)
            for (int p = 0; p <= shape[0]; p++)
                for (int q = 0; q <= shape[1]; q++)
                    for (int n = 0; n <= shape[2]; n++)
                        longest[p][q][n] = std::max(longest[p][q][n], Length(shape[0], shape[1], shape[2]));
    }
    bool Grows(int pairs, int partials, int singles) const { return longest[pairs][partials][singles] > 0; }
};
constexpr ScoringReach kScoringReach;

} // namespace

bool CMjAi::ReadyHand(CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10])
{
    Begin(player, tiles, count, seenmj);
    readyfound = false;
    readybest = 0;
    for (int &total : totalcache)
        total = -1;
    ReadySearch(restnum, 0, 0, 0);
    return readyfound;
}

// Depth first over every way to read the hand as groups plus at most two pairs, one partial and
// two singles. Pairs and partials beyond what a ready shape holds are not followed: such readings
// can never count.
void CMjAi::ReadySearch(int left, int pairs, int partials, int singles)
{
    if (left == 0) {
        ReadyShape(pairs, partials, singles);
        return;
    }
    // A ready reading holds at most 5 tiles outside chows and pungs.
    if (rest.MoreStranded(5 - Length(pairs, partials, singles)))
        return;
    int head = rest.Head();
    MjTile tile = ShapeRest::TileOf(head);
    if (rest.Holds(head, 3))
        Follow(&CMjAi::ReadySearch, head, 0, 3, left, pairs, partials, singles);
    if (rest.Holds(head, 2) && pairs + partials < 2 && singles < 2) {
        pairmj[pairs] = tile;
        Follow(&CMjAi::ReadySearch, head, 0, 2, left, pairs + 1, partials, singles);
    }
    if (rest.CanChow(head))
        Follow(&CMjAi::ReadySearch, head, 1, 3, left, pairs, partials, singles);
    if (pairs < 2 && partials == 0 && singles < 2) {
        for (int gap = 1; gap <= 2; gap++) {
            if (!rest.CanPartial(head, gap))
                continue;
            partmj[0][0] = tile;
            partmj[0][1] = ShapeRest::TileOf(head + gap);
            Follow(&CMjAi::ReadySearch, head, gap, 2, left, pairs, 1, singles);
        }
    }
    if ((singles == 0 && ((pairs < 3 && partials == 0) || (pairs < 2 && partials < 2))) ||
        (singles == 1 && pairs + partials == 0)) {
        singlemj[singles] = tile;
        Follow(&CMjAi::ReadySearch, head, 0, 1, left, pairs, partials, singles + 1);
    }
}

void CMjAi::ReadyShape(int pairs, int partials, int singles)
{
    if (singles == 1 && pairs == 2 && partials == 0)
        ConsiderReady(singlemj[0], Unseen(pairmj[0]) + Unseen(pairmj[1]), 0);
    else if (singles == 1 && pairs == 1 && partials == 1)
        ConsiderReady(singlemj[0], PartialWorth(partmj[0]), 0);
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
    MjTile fewer[14];
    int n = Without(hand, handnum, discard, fewer);
    int total = gbhu.CanHu(seat, fewer, n);
    if (kind >= 0)
        totalcache[kind] = total;
    return total;
}

bool CMjAi::GetBestWay()
{
    bestscore = secondscore = 0;
    bestmj = secondmj = MjTile{};
    BestWaySearch(restnum, 0, 0, 0);
    if (bestscore >= 1) {
        playmj = bestmj;
        g_log.Trace("GetBestWay Find PlayMj: Mj[%d %d].\n", playmj.value, playmj.suit);
        return true;
    }
    if (secondscore >= 1) {
        playmj = secondmj;
        return true;
    }
    g_log.Trace("GetBestWay Can't Find PlayMj.\n");
    return false;
}

// Children are followed single, partials (gap 2, then 1), pair, chow, pung: ties keep the first
// best, so this order is part of the choice. Only the shapes of kScoringShapes score, and a
// reading's groups are never taken back: a group that leaves no scoring shape within reach is not
// followed.
void CMjAi::BestWaySearch(int left, int pairs, int partials, int singles)
{
    if (left == 0) {
        ScoreShape(pairs, partials, singles);
        return;
    }
    // Tiles that no chow or pung of the rest can hold may already carry every reading below past
    // the longest that could score.
    int longest = kScoringReach.longest[pairs][partials][singles];
    if (rest.MoreStranded(longest - Length(pairs, partials, singles)))
        return;
    int head = rest.Head();
    MjTile tile = ShapeRest::TileOf(head);
    if (kScoringReach.Grows(pairs, partials, singles + 1)) {
        singlemj[singles] = tile;
        Follow(&CMjAi::BestWaySearch, head, 0, 1, left, pairs, partials, singles + 1);
    }
    for (int gap = 2; gap >= 1 && kScoringReach.Grows(pairs, partials + 1, singles); gap--) {
        if (!rest.CanPartial(head, gap))
            continue;
        partmj[partials][0] = tile;
        partmj[partials][1] = ShapeRest::TileOf(head + gap);
        Follow(&CMjAi::BestWaySearch, head, gap, 2, left, pairs, partials + 1, singles);
    }
    if (kScoringReach.Grows(pairs + 1, partials, singles) && rest.Holds(head, 2)) {
        pairmj[pairs] = tile;
        Follow(&CMjAi::BestWaySearch, head, 0, 2, left, pairs + 1, partials, singles);
    }
    if (rest.CanChow(head))
        Follow(&CMjAi::BestWaySearch, head, 1, 3, left, pairs, partials, singles);
    if (rest.Holds(head, 3))
        Follow(&CMjAi::BestWaySearch, head, 0, 3, left, pairs, partials, singles);
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

// Scores the shapes of kScoringShapes; any other reading is never offered.
void CMjAi::ScoreShape(int p, int q, int n)
{
    const MjTile *pair = pairmj, *single = singlemj;
    const MjTile(*part)[2] = partmj;
    int pairs = 0, parts = 0;
    for (int i = 0; i < p; i++)
        pairs += PairWorth(pair[i]);
    for (int i = 0; i < q; i++)
        parts += PartialWorth(part[i]);
    int length = Length(p, q, n);

    if (length == 5) {
        if (n == 3 && p + q == 1) {
            int k = FewestUnseen(single, 3);
            int score = pairs + parts;
            for (int i = 0; i < 3; i++)
                if (i != k)
                    score += Unseen(single[i]);
            Offer(score, single[k], false);
        } else if (p == 0 && q == 2 && n == 1) {
            Offer(parts, single[0], false);
        }
        return;
    }
    if (length != 8)
        return;
    if (p == 4) {
        int k = 0;
        for (int i = 1; i < 4; i++)
            if (PairWorth(pair[i]) < PairWorth(pair[k]))
                k = i;
        Offer(pairs - PairWorth(pair[k]), pair[k], false);
    } else if (p == 3 && q == 1) {
        Offer(pairs, FewerUnseen(part[0][0], part[0][1]), false);
    } else if (p == 3 && n == 2) {
        Offer(pairs, FewerUnseen(single[0], single[1]), false);
    } else if (p == 2 && q == 2) {
        int k = PartialWorth(part[1]) < PartialWorth(part[0]) ? 1 : 0;
        Offer(pairs + parts, FewerUnseen(part[k][0], part[k][1]), false);
    } else if (p == 2 && q == 1) {
        Offer(pairs + parts, FewerUnseen(single[0], single[1]), false);
    } else if (p == 2 && n == 4) {
        Offer(pairs, single[FewestUnseen(single, 4)], false);
    } else if (p == 1 && q == 3) {
        int k = 0;
        for (int i = 1; i < 3; i++)
            if (PartialWorth(part[i]) < PartialWorth(part[k]))
                k = i;
        Offer(pairs + parts - PartialWorth(part[k]), FewerUnseen(part[k][0], part[k][1]), true);
    } else if (p == 1 && q == 2) {
        Offer(pairs + parts, FewerUnseen(single[0], single[1]), true);
    } else if (p == 0 && q == 3) {
        Offer(parts, FewerUnseen(single[0], single[1]), true);
    }
}

bool CMjAi::SmallShapeSearch()
{
    candflag[0] = candflag[1] = 0;
    if (handnum > 14)
        return false;
    SmallSearch(restnum, 0, 0, 0);
    if (candflag[0])
        playmj = candmj[0];
    else if (candflag[1])
        playmj = candmj[1];
    return candflag[0] || candflag[1];
}

// Exhaustive, but the first candidate once found can no longer change, and lengths above 8 never
// give one.
void CMjAi::SmallSearch(int left, int pairs, int partials, int singles)
{
    int length = Length(pairs, partials, singles);
    if (candflag[0] || length > 8)
        return;
    if (left == 0) {
        if (length == 5 && pairs + partials >= 1) {
            candflag[0] = 1;
            candmj[0] = singlemj[0];
        } else if (length == 8 && pairs + partials >= 4) {
            MjTile first = singles ? singlemj[0] : partials ? partmj[0][0] : pairmj[0];
            int k = pairs ? 0 : 1;
            if (!candflag[k]) {
                candflag[k] = 1;
                candmj[k] = first;
            }
        }
        return;
    }
    if (rest.MoreStranded(8 - length))
        return;
    int head = rest.Head();
    MjTile tile = ShapeRest::TileOf(head);
    // A set of four is read as a kong as well as a pung.
    for (int same = 4; same >= 3; same--) {
        if (!rest.Holds(head, same))
            continue;
        Follow(&CMjAi::SmallSearch, head, 0, same, left, pairs, partials, singles);
    }
    if (rest.CanChow(head))
        Follow(&CMjAi::SmallSearch, head, 1, 3, left, pairs, partials, singles);
    if (rest.Holds(head, 2)) {
        pairmj[pairs] = tile;
        Follow(&CMjAi::SmallSearch, head, 0, 2, left, pairs + 1, partials, singles);
    }
    for (int gap = 1; gap <= 2; gap++) {
        if (!rest.CanPartial(head, gap))
            continue;
        partmj[partials][0] = tile;
        partmj[partials][1] = ShapeRest::TileOf(head + gap);
        Follow(&CMjAi::SmallSearch, head, gap, 2, left, pairs, partials + 1, singles);
    }
    singlemj[singles] = tile;
    Follow(&CMjAi::SmallSearch, head, 0, 1, left, pairs, partials, singles + 1);
}
