#include "rules/CMjAi.h"

#include "platform/Random.h"
#include "rules/CLog.h"
#include "rules/CMjPlayer.h"
#include "rules/HandCount.h"

namespace {

// Two tiles work together when they are equal, or of one numbered suit and closer than gap.
bool Near(MjTile a, MjTile b, int gap)
{
    if (IsSameMj(a, b))
        return true;
    int diff = a.value > b.value ? a.value - b.value : b.value - a.value;
    return IsNumberedMj(a) && a.suit == b.suit && diff < gap;
}

} // namespace

CMjAi::CMjAi() = default;

void CMjAi::SetMinFan(int value)
{
    minfan = value;
    gbhu.SetMinFan(value);
}

void CMjAi::SetWildMode(uint8_t mode, MjTile wild)
{
    wildmode = mode;
    wildmj = wild;
    gbhu.SetWildMode(mode, wild);
}

void CMjAi::Begin(CMjPlayer *player, const MjTile *tiles, int count, const int (*seenmj)[10])
{
    seat = player;
    seen = seenmj;
    handnum = count < 0 ? 0 : count > 14 ? 14 : count;
    for (int i = 0; i < handnum; i++)
        hand[i] = tiles[i];
    SortMj(hand, handnum);
    handcount.Set(hand, handnum);
    restnum = rest.Start(hand, handnum);
    // Kinds off the suits' runs of 1-9 (the flowers, value 0) keep the 0 they were built with: no
    // copy of them is ever unseen.
    for (int suit = SUIT_WAN; suit <= SUIT_ZI; suit++)
        for (int value = 1; value <= 9; value++)
            unseen[suit][value] = static_cast<uint8_t>(UnseenCount(handcount, seen, value, suit));
}

int CMjAi::PairWorth(MjTile tile) const
{
    return 4 * Unseen(tile);
}

// What can still complete a partial: the middle of a gap, either end of an adjacent pair.
int CMjAi::PartialWorth(const MjTile *part) const
{
    int v = part[0].value;
    if (part[1].value == v + 2)
        return Unseen(v + 1, part[0].suit);
    return Unseen(v - 1, part[0].suit) + Unseen(v + 2, part[0].suit);
}

MjTile CMjAi::FewerUnseen(MjTile a, MjTile b) const
{
    return Unseen(b) < Unseen(a) ? b : a;
}

int CMjAi::FewestUnseen(const MjTile *tiles, int n) const
{
    int best = 0;
    for (int i = 1; i < n; i++)
        if (Unseen(tiles[i]) < Unseen(tiles[best]))
            best = i;
    return best;
}

void CMjAi::Play(CMjPlayer *player, const int (*seenmj)[10], int leftnum, const uint8_t *, int mjindex)
{
    g_log.Trace("CMjAi::Play Enter leavenum = %d,mjindex=%d.\n", leftnum, mjindex);
    if (player->cardnum <= 0)
        return;
    Random::SeedWithTime();
    player->playmj = ChooseDiscard(player, seenmj);
}

void CMjAi::PlayWild(CMjPlayer *player, const int (*seenmj)[10], int leftnum, const uint8_t *wall, int mjindex)
{
    Play(player, seenmj, leftnum, wall, mjindex);
}

MjTile CMjAi::ChooseDiscard(CMjPlayer *player, const int (*seenmj)[10])
{
    if (ReadyHand(player, player->Mj, player->cardnum, seenmj))
        return player->FindMj(playmj) ? playmj : player->Mj[0];
    if (GetBestWay()) {
        if (player->FindMj(playmj))
            return playmj;
        g_log.Trace("Can't Find PlayMj In GetBestWay.\n");
        return player->Mj[0];
    }
    int i = LoneHonour();
    if (i < 0)
        i = LooseTile(3);
    if (i >= 0)
        return hand[i];
    if (SmallShapeSearch() && player->FindMj(playmj))
        return playmj;
    i = LooseTile(2);
    if (i >= 0)
        return hand[i];
    return SingleTile();
}

int CMjAi::LoneHonour() const
{
    for (int i = 0; i < handnum; i++) {
        if (hand[i].suit != SUIT_ZI)
            continue;
        bool left = i > 0 && IsSameMj(hand[i - 1], hand[i]);
        bool right = i + 1 < handnum && IsSameMj(hand[i + 1], hand[i]);
        if (!left && !right)
            return i;
    }
    return -1;
}

// The first tile that works with neither neighbour; the two ends have one neighbour each.
int CMjAi::LooseTile(int gap) const
{
    if (handnum < 2)
        return handnum - 1;
    if (!Near(hand[0], hand[1], gap))
        return 0;
    for (int i = 1; i < handnum - 1; i++)
        if (!Near(hand[i - 1], hand[i], gap) && !Near(hand[i], hand[i + 1], gap))
            return i;
    if (!Near(hand[handnum - 2], hand[handnum - 1], gap))
        return handnum - 1;
    return -1;
}

MjTile CMjAi::SingleTile()
{
    auto holds = [&](MjTile t, int dv) { return handcount.Of(t.value + dv, t.suit) > 0; };
    auto copies = [&](MjTile t, int dv) { return handcount.Of(t.value + dv, t.suit); };
    MjTile cand[14];
    int n = 0;
    for (int i = 0; i < handnum;) {
        int run = 1;
        while (i + run < handnum && IsSameMj(hand[i], hand[i + run]))
            run++;
        MjTile t = hand[i];
        int v = t.value;
        bool inrun = IsNumberedMj(t) && ((v > 2 && holds(t, -2) && holds(t, -1)) ||
                                       (v > 1 && v < 9 && holds(t, -1) && holds(t, 1)) ||
                                       (v < 8 && holds(t, 1) && holds(t, 2)));
        if (run == 1 && !inrun)
            cand[n++] = t;
        i += run;
    }
    g_log.Trace("单的牌是：");
    if (n == 0) {
        g_log.Trace("Rand Play.\n");
        return hand[Random::Next() % handnum];
    }
    for (int i = 0; i < n; i++)
        if (cand[i].value == 1 || cand[i].value == 9)
            return cand[i];
    for (int i = 0; i < n; i++) {
        MjTile t = cand[i];
        if (IsNumberedMj(t) && ((t.value < 9 && copies(t, 1) >= 2) || (t.value > 1 && copies(t, -1) >= 2)))
            return t;
    }
    return cand[Random::Next() % n];
}
