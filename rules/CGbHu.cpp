#include "rules/CGbHu.h"

#include "rules/CLog.h"
#include "rules/CMjPlayer.h"

#include <cstring>

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
    std::memset(circumstance, 0, sizeof circumstance);
    bestnum = 0;
    besttotal = 0;
    found = false;
    wildnum = 0;
    winkind = MjKind(p->winmj);
    std::memcpy(group, meld, sizeof meld); // those past meldnum are overwritten by the search
}

void CGbHu::Begin(CMjPlayer *p)
{
    Reset(p);
    p->hunum = 0;
}

void CGbHu::NoteCircumstances(const int (*seenmj)[10], int leftnum)
{
    if (leftnum == 1)
        circumstance[player->zimo ? 0 : 1] = 1;
    MjTile win = player->winmj;
    if (seenmj && MjKind(win) >= 0 && seenmj[win.suit][win.value] == 4)
        circumstance[2] = 1;
}

void CGbHu::AddCircumstances(uint8_t *flags) const
{
    static constexpr uint8_t kFans[3] = {FAN_LAST_TILE_DRAW, FAN_LAST_TILE_CLAIM, FAN_LAST_OF_KIND};
    for (int i = 0; i < 3; i++)
        if (circumstance[i])
            flags[kFans[i]] = 1;
}

void CGbHu::AddWinContext(uint8_t *flags) const
{
    if (player->zimo)
        flags[FAN_SELF_DRAWN] = 1;
    // Out on a kong's replacement is a self-drawn fan: a discard won after a kong earns nothing.
    if (player->zimo && player->ganghu)
        flags[FAN_OUT_WITH_REPLACEMENT] = 1;
    if (player->qiangganghu)
        flags[FAN_ROBBING_THE_KONG] = 1;
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
    uint8_t counts[MJ_KINDS] = {};
    Held held;
    int wilds = Prepare(p, tiles, count, seenmj, leftnum, counts, held);
    if (wilds < 0)
        return 0;
    if (wildmode)
        return HuWild(counts, count - wilds, wilds);

    // Seven shifted pairs outscore every ordinary reading of their tiles: the pairs' 24 beside the
    // 88 both readings hold, against a few points for chows. Seven pairs that no ordinary reading
    // fits leave nothing to search. No other special shape holds pairs only.
    uint64_t present = held.present;
    bool sevenpairs = IsSevenPairs(held, count);
    // Seven kinds held in even numbers by fourteen tiles are two of each.
    if (sevenpairs && (AreSevenShiftedKinds(present) || !PairsReadAsGroups(counts, present, count)))
        return FinishSevenPairs(ScoreSevenPairs(counts, present, count));

    uint8_t all[MJ_KINDS];
    std::memcpy(all, counts, sizeof all);
    int alln = count + GroupKinds(meld, meldnum, all);
    if (IsThirteenOrphans(present, count))
        return FinishSpecial(FAN_THIRTEEN_ORPHANS, all);
    if (int fan = HonoursKnittedFan(present, count))
        return FinishSpecial(fan, all);
    if (IsKnittedStraight(counts, present, count))
        return FinishSpecial(FAN_KNITTED_STRAIGHT, all);
    return Search(counts, count, all, alln, sevenpairs);
}

int CGbHu::HuBySearch(CMjPlayer *p, const MjTile *tiles, int count, const int (*seenmj)[10], int leftnum)
{
    uint8_t counts[MJ_KINDS] = {};
    Held held;
    if (wildmode || Prepare(p, tiles, count, seenmj, leftnum, counts, held) < 0)
        return 0;
    uint8_t all[MJ_KINDS];
    std::memcpy(all, counts, sizeof all);
    int alln = count + GroupKinds(meld, meldnum, all);
    return Search(counts, count, all, alln, IsSevenPairs(held, count));
}

int CGbHu::Prepare(CMjPlayer *p, const MjTile *tiles, int count, const int (*seenmj)[10], int leftnum, uint8_t *counts,
                   Held &held)
{
    if (!p) {
        g_log.Error("Hu player = NULL.\n");
        return -1;
    }
    if (!tiles || count < 2 || count > 14 || count % 3 != 2) {
        g_log.Error("CGbHu::Hu 数目不对 %d.\n", count);
        return -1;
    }
    int wilds = TakeWilds(tiles, count, counts, held);
    if (wilds < 0 || !LoadMelds(p, count, 14)) {
        g_log.Error("CGbHu::Hu bad tile.\n");
        return -1;
    }
    Begin(p);
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
// rules, and are listed as a fan of their own. Inline: the quickest shapes take a few hundred
// instructions in all.
inline void CGbHu::SetWinTotal(int total)
{
    player->totalfan = total + player->flowernum;
    if (player->flowernum > 0)
        fanflag[FAN_FLOWERS] = 1;
}

int CGbHu::FinishSpecial(int fan, const uint8_t *allkinds)
{
    ClearFlags(workflag);
    workflag[fan] = 1;
    if (fan == FAN_KNITTED_STRAIGHT && HasAllTypes(PresentMask(allkinds)))
        workflag[FAN_ALL_TYPES] = 1;
    // Honours and knitted tiles whose numbered tiles are a whole knitted straight count both.
    if (fan == FAN_LESSER_HONOURS_KNITTED && HoldsKnittedTiles(PresentMask(allkinds)))
        workflag[FAN_KNITTED_STRAIGHT] = 1;
    AddWinContext(workflag);
    AddCircumstances(workflag);
    int total = CalcTotalFan();
    std::memcpy(fanflag, workflag, sizeof fanflag);
    SetWinTotal(total);
    return 1;
}

int CGbHu::ScoreSevenPairs(const uint8_t *counts, uint64_t present, int n)
{
    ClearFlags(workflag);
    workflag[FAN_SEVEN_PAIRS] = 1;
    AddWinContext(workflag);
    AddCircumstances(workflag);
    HandFans(counts, present, n);
    SevenPairsFans(present);
    return CalcTotalFan();
}

int CGbHu::FinishSevenPairs(int total)
{
    std::memcpy(fanflag, workflag, sizeof fanflag);
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
        bestgroup[i] = ToGetMj(group[meldnum + i]);
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
        player->hugroup[i] = bestgroup[i];
    return wins ? 1 : 0;
}
