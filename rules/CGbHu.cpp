#include "rules/CGbHu.h"

#include "rules/CLog.h"
#include "rules/CMjPlayer.h"
#include "rules/KindMask.h"

#include <cstring>
#include <iterator>

CGbHu::CGbHu()
{
    wildmj = MakeMj(1, SUIT_TIAO);
}

bool CGbHu::LoadMelds(const CMjPlayer *p, int held, int hand)
{
    int n = p->getnum;
    if (n < 0 || n > 4 || held + 3 * n > hand)
        return false;
    meldnum = 0;
    meldopen = meldany = meldkong = 0;
    exposedkongs = concealedkongs = 0;
    for (int i = 0; i < n; i++) {
        const GetMj &m = p->getmj[i];
        Group g;
        g.kind = m.kind;
        int kind = MjKind(m.tiles[0]);
        if (m.kind == GETMJ_CHI) {
            // A claimed chow may hold its tiles in claim order; its group is named by the lowest.
            for (int j = 1; j < 3; j++) {
                int other = MjKind(m.tiles[j]);
                if (other >= 0 && other < kind)
                    kind = other;
            }
            if (kind < 0 || !IsNumberedKind(kind) || KindValue(kind) > 7)
                return false;
        } else if (m.kind != GETMJ_PENG && m.kind != GETMJ_GANG) {
            return false;
        }
        if (kind < 0)
            return false;
        g.tile = static_cast<uint8_t>(kind);
        meld[meldnum++] = g;
        if (m.kind == GETMJ_CHI)
            continue;
        uint64_t bit = uint64_t{1} << kind;
        meldany |= bit;
        bool open = m.kind == GETMJ_PENG || p->exposed[i];
        if (open)
            meldopen |= bit;
        if (m.kind == GETMJ_GANG) {
            meldkong |= bit;
            (p->exposed[i] ? exposedkongs : concealedkongs)++;
        }
    }
    return true;
}

void CGbHu::Reset(CMjPlayer *p)
{
    player = p;
    // The working and saved flags are cleared where each reading starts.
    ClearFlags(fanflag);
    circumstances = {};
    bestnum = 0;
    besttotal = 0;
    found = false;
    wildnum = 0;
    winkind = MjKind(p->winmj);
    std::memcpy(group, meld, sizeof meld); // those past meldnum are overwritten by the search
}

void CGbHu::NoteCircumstances(const int (*seenmj)[10], int leftnum)
{
    if (leftnum == 1)
        AddFan(circumstances, player->zimo ? FAN_LAST_TILE_DRAW : FAN_LAST_TILE_CLAIM);
    MjTile win = player->winmj;
    if (seenmj && MjKind(win) >= 0 && seenmj[win.suit][win.value] == 4)
        AddFan(circumstances, FAN_LAST_OF_KIND);
}

int CGbHu::GroupKinds(const Group *groups, int n, uint8_t *counts)
{
    int tiles = 0;
    for (int i = 0; i < n; i++) {
        const Group &g = groups[i];
        switch (g.kind) {
        case G_CHOW:
            counts[g.tile]++;
            counts[g.tile + 1]++;
            counts[g.tile + 2]++;
            tiles += 3;
            break;
        case G_KONG:
            counts[g.tile] += 4;
            tiles += 4;
            break;
        case G_PUNG:
            counts[g.tile] += 3;
            tiles += 3;
            break;
        case G_PAIR:
            counts[g.tile] += 2;
            tiles += 2;
            break;
        }
    }
    return tiles;
}

namespace {

// Each key's kind as a bit of the kinds' masks; the top bit, beyond the kinds, for no playable kind.
constexpr auto kKindBits = [] {
    struct { uint64_t bit[sizeof kMjKinds.kind]; } table{};
    for (size_t key = 0; key < sizeof kMjKinds.kind; key++)
        table.bit[key] = kMjKinds.kind[key] < 0 ? KindBit(63) : KindBit(kMjKinds.kind[key]);
    return table;
}();

} // namespace

bool CGbHu::ReadKinds(const MjTile *tiles, int count, Held &held)
{
    // Only the masks are built here, in registers; the counts are filled later from the tiles, for
    // the hands that need them. Two tiles a turn: the loop's own steps were a third of its work.
    uint64_t present = 0, odd = 0;
#pragma GCC unroll 2
    for (int i = 0; i < count; i++) {
        unsigned key = MjKey(tiles[i]);
        if (key >= std::size(kKindBits.bit))
            return false;
        present |= kKindBits.bit[key];
        odd ^= kKindBits.bit[key];
    }
    held.present = present;
    held.odd = odd;
    held.n = count;
    held.tiles = tiles;
    return !(present & KindBit(63));
}

GetMj CGbHu::ToGetMj(const Group &g)
{
    GetMj out;
    out.kind = g.kind;
    out.count = g.kind == G_KONG ? 4 : g.kind == G_PAIR ? 2 : 3;
    for (int i = 0; i < out.count && i < 4; i++) {
        out.tiles[i] = KindMj(g.kind == G_CHOW ? g.tile + i : g.tile);
        out.wildfill[i] = (g.wildfill >> i) & 1;
    }
    return out;
}

int CGbHu::Hu(CMjPlayer *p, const MjTile *tiles, int count, const int (*seenmj)[10], int leftnum)
{
    Held held;
    int wilds = Prepare(p, tiles, count, seenmj, leftnum, held);
    if (wilds < 0)
        return 0;
    if (wildmode) {
        uint8_t counts[MJ_KINDS] = {};
        held.Count(counts);
        return HuWild(counts, held.n, wilds);
    }

    // Fourteen tiles leave no room for melds: the kinds held are the whole hand's.
    uint64_t present = held.present;
    bool sevenpairs = IsSevenPairs(held, count);
    // Seven shifted pairs outscore every ordinary reading of their tiles: the pairs' 24 beside the
    // 88 both readings hold, against a few points for chows. Seven kinds held in even numbers by
    // fourteen tiles are two of each.
    if (sevenpairs && AreSevenShiftedKinds(present))
        return FinishSpecial(FAN_SEVEN_SHIFTED_PAIRS, present);
    if (IsThirteenOrphans(present, count))
        return FinishSpecial(FAN_THIRTEEN_ORPHANS, present);
    if (int fan = HonoursKnittedFan(present, held.odd, count))
        return FinishSpecial(fan, present);

    uint8_t counts[MJ_KINDS] = {};
    held.Count(counts);
    // Seven pairs that no ordinary reading fits leave nothing to search. No other special shape
    // holds pairs only.
    if (sevenpairs && !PairsReadAsGroups(counts, present, count))
        return FinishSevenPairs(ScoreSevenPairs(counts, present, count));

    uint8_t all[MJ_KINDS];
    std::memcpy(all, counts, sizeof all);
    int alln = count + GroupKinds(meld, meldnum, all);
    if (IsKnittedStraight(counts, present, count))
        return FinishSpecial(FAN_KNITTED_STRAIGHT, PresentMask(all));
    return Search(counts, count, all, alln, sevenpairs);
}

int CGbHu::Prepare(CMjPlayer *p, const MjTile *tiles, int count, const int (*seenmj)[10], int leftnum, Held &held)
{
    if (!p) {
        g_log.Error("Hu player = NULL.\n");
        return -1;
    }
    // Two to fourteen tiles, two more than a number of groups.
    constexpr unsigned kHandSizes = 1u << 2 | 1u << 5 | 1u << 8 | 1u << 11 | 1u << 14;
    if (!tiles || static_cast<unsigned>(count) > 14 || !((kHandSizes >> count) & 1)) {
        g_log.Error("CGbHu::Hu 数目不对 %d.\n", count);
        return -1;
    }
    int wilds = ReadTiles(tiles, count, held);
    if (wilds < 0 || !LoadMelds(p, count, 14)) {
        g_log.Error("CGbHu::Hu bad tile.\n");
        return -1;
    }
    Reset(p);
    p->hunum = 0;
    NoteCircumstances(seenmj, leftnum);
    return wilds;
}

int CGbHu::Search(uint8_t *counts, int count, const uint8_t *allkinds, int alln, bool sevenpairs)
{
    SaveHandFans(allkinds, alln);
    Decompose(counts, count, false, 0, 0);
    if (found) {
        // Both readings stand: the hand scores the higher one, the ordinary reading on a tie.
        if (sevenpairs) {
            int total = ScoreSevenPairs(counts, PresentMask(counts), count);
            if (total > besttotal)
                return FinishSevenPairs(total);
        }
        return FinishOrdinary();
    }
    if (sevenpairs)
        return FinishSevenPairs(ScoreSevenPairs(counts, PresentMask(counts), count));
    return 0;
}

// Every winning shape ends here: the flowers set aside count a point each outside the fan
// rules, and are listed as a fan of their own.
void CGbHu::SetWinTotal(int total)
{
    player->totalfan = total + player->flowernum;
    if (player->flowernum > 0)
        fanflag[FAN_FLOWERS] = 1;
}

int CGbHu::FinishSevenPairs(int total)
{
    ClearFlags(fanflag);
    SetFanFlags(fanflag, pairfans);
    SetWinTotal(total);
    player->hunum = 0;
    bestnum = 0;
    return 1;
}

// Exhaustive and depth-first, trying a pung, then the pair, then a chow of the lowest tile left,
// so that the first of equally scoring readings is the one kept.
void CGbHu::Decompose(uint8_t *counts, int n, bool pairtaken, int from, int depth)
{
    if (n == 0) {
        ScoreGroups(depth);
        return;
    }
    if (n < 2 || meldnum + depth >= 6)
        return;
    int k = from;
    while (!counts[k])
        k++;
    Group &g = group[meldnum + depth];
    g.tile = static_cast<uint8_t>(k);
    g.wildfill = 0;
    if (counts[k] >= 3) {
        counts[k] -= 3;
        g.kind = G_PUNG;
        Decompose(counts, n - 3, pairtaken, k, depth + 1);
        counts[k] += 3;
    }
    if (!pairtaken && counts[k] >= 2) {
        counts[k] -= 2;
        g.kind = G_PAIR;
        g.tile = static_cast<uint8_t>(k);
        Decompose(counts, n - 2, true, k, depth + 1);
        counts[k] += 2;
    }
    if (IsNumberedKind(k) && k % 9 < 7 && counts[k + 1] && counts[k + 2]) {
        counts[k]--;
        counts[k + 1]--;
        counts[k + 2]--;
        g.kind = G_CHOW;
        g.tile = static_cast<uint8_t>(k);
        Decompose(counts, n - 3, pairtaken, k, depth + 1);
        counts[k]++;
        counts[k + 1]++;
        counts[k + 2]++;
    }
}

void CGbHu::ScoreGroups(int depth)
{
    groupnum = meldnum + depth;
    found = true;
    int total = ScoreReading();
    if (total > besttotal)
        KeepBest(total, depth);
}

void CGbHu::ScoreFilledGroups(int depth)
{
    groupnum = meldnum + depth;
    uint8_t all[MJ_KINDS] = {};
    int tiles = GroupKinds(group, groupnum, all);
    SaveHandFans(all, tiles);
    ScoreGroups(depth);
}

void CGbHu::KeepBest(int total, int depth)
{
    besttotal = total;
    bestnum = depth;
    for (int i = 0; i < depth; i++)
        bestgroup[i] = group[meldnum + i];
    std::memcpy(fanflag, workflag, sizeof fanflag);
}

int CGbHu::WaitAnswer() const
{
    return found && besttotal >= minfan ? besttotal : 0;
}

int CGbHu::FinishOrdinary()
{
    bool wins = besttotal >= minfan;
    if (wins)
        SetWinTotal(besttotal);
    player->hunum = bestnum;
    for (int i = 0; i < bestnum; i++)
        player->hugroup[i] = ToGetMj(bestgroup[i]);
    return wins ? 1 : 0;
}
