#include "rules/CGbHu.h"

#include "rules/CMjPlayer.h"
#include "rules/HandCount.h"

#include <initializer_list>

int CGbHu::CanHu(CMjPlayer *p, const MjTile *tiles, int count)
{
    if (!p || !tiles || count < 1 || count > 13 || count % 3 != 1)
        return 0;
    Held held;
    int wilds = ReadTiles(tiles, count, held);
    if (wilds < 0 || !LoadMelds(p, count, 13))
        return 0;
    uint8_t counts[MJ_KINDS] = {};
    held.Count(counts);
    Reset(p);
    wildnum = wilds;
    if (wildmode)
        return CanHuWild(counts, count - wilds, wilds);
    if (meldnum == 0 && IsSpecialWait(counts, held, count))
        return 1;
    if (IsKnittedStraightWait(counts, count))
        return 1;
    WaitSearch(counts, count, 0, 0, 0, 0, 0);
    return WaitAnswer();
}

// Waits that no group search finds: seven pairs, honours and knitted tiles, thirteen orphans. Read
// from the kind masks: every count is at most 4, so bit 0 of a count tells odd from even, and the
// higher bits which kinds are held twice or more.
bool CGbHu::IsSpecialWait(const uint8_t *counts, const Held &held, int n)
{
    if (n != 13)
        return false;
    if (CountKinds(held.odd) <= 1)
        return true;
    const uint64_t twice = NonzeroBytes<MJ_KINDS>(counts, 0xFE);
    int sets[3];
    if (!twice && KnittedSets(held.present, sets) && sets[0] >= 0 && sets[1] >= 0 && sets[2] >= 0)
        return true;
    // Thirteen orphans waits on the missing kind, or on any of the thirteen when all are held: no
    // kind three times or more, at most one twice.
    const uint64_t thrice = (twice & held.odd) | NonzeroBytes<MJ_KINDS>(counts, 0xFC);
    return !(held.present & ~kOrphanKinds) && !thrice && !(twice & (twice - 1));
}

// Depth-first over the tiles, ending at the first shape that one more tile would complete: two
// pairs, a pair and a partial chow, or a lone tile.
bool CGbHu::WaitSearch(uint8_t *counts, int n, int from, int depth, int pairs, int partials, int singles)
{
    if (n == 0) {
        bool shape = (pairs == 2 && !partials && !singles) || (pairs == 1 && partials == 1 && !singles) ||
                     (!pairs && !partials && singles == 1);
        if (shape)
            ScoreWait(depth);
        return shape;
    }
    if (meldnum + depth >= 6)
        return false;
    int k = from;
    while (!counts[k])
        k++;
    Group &g = group[meldnum + depth];
    g.wildfill = 0;
    auto take = [&](uint8_t kind, std::initializer_list<int> kinds, int p, int q, int s) {
        for (int x : kinds)
            counts[x]--;
        g.kind = kind;
        g.tile = static_cast<uint8_t>(k);
        bool ok = WaitSearch(counts, n - static_cast<int>(kinds.size()), k, depth + 1, p, q, s);
        for (int x : kinds)
            counts[x]++;
        return ok;
    };
    bool numbered = IsNumberedKind(k);
    if (counts[k] >= 3 && take(G_PUNG, {k, k, k}, pairs, partials, singles))
        return true;
    if (counts[k] >= 2 && pairs + partials < 2 && !singles && take(G_PAIR, {k, k}, pairs + 1, partials, singles))
        return true;
    if (numbered && k % 9 < 7 && counts[k + 1] && counts[k + 2] &&
        take(G_CHOW, {k, k + 1, k + 2}, pairs, partials, singles))
        return true;
    if (numbered && pairs < 2 && !partials && !singles) {
        if (k % 9 < 8 && counts[k + 1] && take(G_ADJACENT, {k, k + 1}, pairs, 1, 0))
            return true;
        if (k % 9 < 7 && counts[k + 2] && take(G_GAP, {k, k + 2}, pairs, 1, 0))
            return true;
    }
    return !singles && !pairs && !partials && take(G_SINGLE, {k}, 0, 0, 1);
}

// Completes the shape with the tile it waits for and scores the reading won on that tile.
void CGbHu::ScoreWait(int depth)
{
    Group *g = group + meldnum;
    int win = -1;
    for (int i = 0; i < depth && win < 0; i++) {
        Group &h = g[i];
        if (h.kind == G_SINGLE) {
            h.kind = G_PAIR;
            win = h.tile;
        } else if (h.kind == G_GAP) {
            h.kind = G_CHOW;
            win = h.tile + 1;
        } else if (h.kind == G_ADJACENT) {
            // A 1-2 can only be completed upwards; any other pair of neighbours downwards.
            h.kind = G_CHOW;
            if (KindValue(h.tile) == 1) {
                win = h.tile + 2;
            } else {
                h.tile--;
                win = h.tile;
            }
        }
    }
    for (int i = 0; i < depth && win < 0; i++)
        if (g[i].kind == G_PAIR) {
            g[i].kind = G_PUNG;
            win = g[i].tile;
        }
    winkind = win;
    ScoreFilledGroups(depth);
}
