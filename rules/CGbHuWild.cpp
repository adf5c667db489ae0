#include "rules/CGbHu.h"

#include "rules/CMjPlayer.h"

#include <cstring>
#include <initializer_list>

int CGbHu::TakeWilds(const MjTile *tiles, int count, Held &held) const
{
    int n = 0;
    for (int i = 0; i < count && n < 14; i++)
        if (!IsWildMj(tiles[i]))
            held.rest[n++] = tiles[i];
    return ReadKinds(held.rest, n, held) ? count - n : -1;
}

int CGbHu::HuWild(const uint8_t *counts, int n, int wilds)
{
    wildnum = wilds;
    uint8_t all[MJ_KINDS];
    std::memcpy(all, counts, sizeof all);
    GroupKinds(meld, meldnum, all);
    if (IsWildThirteenOrphans(counts, n, wilds))
        return FinishSpecial(FAN_THIRTEEN_ORPHANS, PresentMask(all));
    uint8_t pairs[MJ_KINDS];
    int pairtiles;
    if (meldnum == 0 && FillSevenPairs(counts, n, wilds, pairs, &pairtiles))
        return FinishSevenPairs(ScoreSevenPairs(pairs, PresentMask(pairs), pairtiles));
    if (int fan = WildHonoursKnittedFan(counts, n, wilds))
        return FinishSpecial(fan, PresentMask(all));
    if (IsKnittedStraight(counts, PresentMask(counts), n))
        return FinishSpecial(FAN_KNITTED_STRAIGHT, PresentMask(all));
    uint8_t rest[MJ_KINDS];
    std::memcpy(rest, counts, sizeof rest);
    WildDecompose(rest, n, 0, 0, wilds, 0, 0);
    return found ? FinishOrdinary() : 0;
}

// The waiting hand's missing tile is one wild tile more.
int CGbHu::CanHuWild(const uint8_t *counts, int n, int wilds)
{
    int open = wilds + 1;
    uint8_t pairs[MJ_KINDS];
    int pairtiles;
    if (IsWildThirteenOrphans(counts, n, open) ||
        (meldnum == 0 && FillSevenPairs(counts, n, open, pairs, &pairtiles)) || WildHonoursKnittedFan(counts, n, open))
        return 1;
    uint8_t rest[MJ_KINDS];
    std::memcpy(rest, counts, sizeof rest);
    WildDecompose(rest, n, 0, 0, open, 0, 0);
    return WaitAnswer() > 0 ? 1 : 0;
}

// Every held tile a terminal or honour; the wild tiles stand for the kinds missing and, when all
// thirteen are held, for the duplicate.
bool CGbHu::IsWildThirteenOrphans(const uint8_t *counts, int n, int wilds)
{
    if (n + wilds != 14)
        return false;
    int missing = 0;
    for (int k = 0; k < MJ_KINDS; k++) {
        if (!IsOrphanKind(k) && counts[k])
            return false;
        missing += IsOrphanKind(k) && !counts[k];
    }
    // Held + wilds = 14 and kinds held + missing = 13, so at most one kind is held twice.
    return wilds >= missing;
}

// Each tile without a partner takes a wild tile and is doubled in `filled`.
bool CGbHu::FillSevenPairs(const uint8_t *counts, int n, int wilds, uint8_t *filled, int *filledn)
{
    if (n + wilds != 14)
        return false;
    int singles = 0;
    for (int k = 0; k < MJ_KINDS; k++) {
        filled[k] = static_cast<uint8_t>(counts[k] + (counts[k] & 1));
        singles += counts[k] & 1;
    }
    *filledn = n + singles;
    return singles <= wilds;
}

// The wild tiles go, in a fixed order, first to the missing honours, then round by round to the
// suits holding fewest tiles, each taking the lowest tile of its knitted set not yet present.
int CGbHu::WildHonoursKnittedFan(const uint8_t *counts, int n, int wilds)
{
    if (n + wilds != 14)
        return 0;
    int sets[3];
    for (int k = 0; k < MJ_KINDS; k++)
        if (counts[k] > 1)
            return 0;
    if (!KnittedSets(PresentMask(counts), sets))
        return 0;
    uint8_t filled[MJ_KINDS];
    std::memcpy(filled, counts, sizeof filled);
    for (int k = KIND_EAST; k < MJ_KINDS && wilds > 0; k++)
        if (!filled[k]) {
            filled[k] = 1;
            wilds--;
        }
    int held[3] = {};
    for (int k = 0; k < 27; k++)
        held[k / 9] += filled[k];
    for (int round = 1; round <= 3; round++)
        for (int s = 0; s < 3 && wilds > 0; s++) {
            if (held[s] >= round)
                continue;
            if (sets[s] < 0) {
                sets[s] = 0;
                while (sets[s] == sets[(s + 1) % 3] || sets[s] == sets[(s + 2) % 3])
                    sets[s]++;
            }
            int kind = s * 9 + sets[s];
            while (filled[kind])
                kind += 3;
            filled[kind] = 1;
            held[s]++;
            wilds--;
        }
    const uint64_t present = PresentMask(filled); // every kind once
    return HonoursKnittedFan(present, present, 14);
}

// Reads the tiles into pungs, pairs, chows, two-tile partial chows and single tiles, at most five
// groups. A reading needing more wild tiles than held is not followed: every partial and single
// takes one at least, and every pair but one must become a pung.
void CGbHu::WildDecompose(uint8_t *counts, int n, int from, int depth, int wilds, int pairs, int unfinished)
{
    if (n == 0) {
        WildFill(pending, depth, wilds);
        return;
    }
    if (depth >= 5)
        return;
    int k = from;
    while (!counts[k])
        k++;
    auto take = [&](uint8_t kind, std::initializer_list<int> kinds, int p, int u) {
        if (u + (p > 1 ? p - 1 : 0) > wilds)
            return;
        for (int x : kinds)
            counts[x]--;
        pending[depth] = Group{kind, static_cast<uint8_t>(k), 0};
        WildDecompose(counts, n - static_cast<int>(kinds.size()), k, depth + 1, wilds, p, u);
        for (int x : kinds)
            counts[x]++;
    };
    bool numbered = IsNumberedKind(k);
    if (counts[k] >= 3)
        take(G_PUNG, {k, k, k}, pairs, unfinished);
    if (counts[k] >= 2)
        take(G_PAIR, {k, k}, pairs + 1, unfinished);
    if (numbered && k % 9 < 7 && counts[k + 1] && counts[k + 2])
        take(G_CHOW, {k, k + 1, k + 2}, pairs, unfinished);
    if (numbered && k % 9 < 8 && counts[k + 1])
        take(G_ADJACENT, {k, k + 1}, pairs, unfinished + 1);
    if (numbered && k % 9 < 7 && counts[k + 2])
        take(G_GAP, {k, k + 2}, pairs, unfinished + 1);
    take(G_SINGLE, {k}, pairs, unfinished + 1);
}

// Spends the wild tiles on the reading, depth-first, each branch on its own copy of the groups:
// partial chows are completed first; then pairs become pungs, singles pairs or pungs, and new
// pairs and pungs of placeholder tiles are added.
void CGbHu::WildFill(const Group *groups, int n, int wilds)
{
    if (n > 5)
        return;
    int pairs = 0, partials = 0, singles = 0;
    for (int i = 0; i < n; i++) {
        pairs += groups[i].kind == G_PAIR;
        partials += groups[i].kind == G_ADJACENT || groups[i].kind == G_GAP;
        singles += groups[i].kind == G_SINGLE;
    }
    if (wilds == 0) {
        if (pairs == 1 && !partials && !singles)
            ScoreWildReading(groups, n);
        return;
    }
    Group g[6];
    // Replaces group i (or adds it at n) and follows the branch.
    auto branch = [&](int i, uint8_t kind, int tile, uint8_t fill, int used) {
        std::memcpy(g, groups, sizeof(Group) * n);
        g[i] = Group{kind, static_cast<uint8_t>(tile), fill};
        WildFill(g, i == n ? n + 1 : n, wilds - used);
    };
    constexpr int kPlaceholder = 9; // bamboo 1
    if (partials) {
        for (int i = 0; i < n; i++) {
            int tile = groups[i].tile;
            if (groups[i].kind == G_GAP)
                branch(i, G_CHOW, tile, 0b010, 1);
            if (groups[i].kind != G_ADJACENT)
                continue;
            if (KindValue(tile) > 1)
                branch(i, G_CHOW, tile - 1, 0b001, 1);
            if (KindValue(tile) + 1 < 9)
                branch(i, G_CHOW, tile, 0b100, 1);
        }
        return;
    }
    for (int i = 0; i < n; i++)
        if (groups[i].kind == G_PAIR)
            branch(i, G_PUNG, groups[i].tile, 0b100, 1);
    for (int i = 0; i < n; i++)
        if (groups[i].kind == G_SINGLE)
            branch(i, G_PAIR, groups[i].tile, 0b10, 1);
    if (wilds >= 2) {
        for (int i = 0; i < n; i++)
            if (groups[i].kind == G_SINGLE)
                branch(i, G_PUNG, groups[i].tile, 0b110, 2);
        if (!pairs && n < 5)
            branch(n, G_PAIR, kPlaceholder, 0b11, 2);
    }
    if (wilds >= 3 && n < 5)
        branch(n, G_PUNG, kPlaceholder, 0b111, 3);
}

void CGbHu::ScoreWildReading(const Group *groups, int n)
{
    std::memcpy(group + meldnum, groups, sizeof(Group) * n);
    ScoreFilledGroups(n);
}
