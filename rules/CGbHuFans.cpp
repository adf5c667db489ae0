#include "rules/CGbHu.h"

#include "rules/CMjPlayer.h"
#include "rules/HandCount.h"
#include "rules/KindMask.h"

#include <bit>
#include <cstring>

namespace {

// Bamboo 2, 3, 4, 6, 8 and Green.
constexpr uint64_t kGreen = KindBit(10) | KindBit(11) | KindBit(12) | KindBit(14) | KindBit(16) | KindBit(32);
// Tiles that look the same upside down: dots 1-5, 8, 9, bamboo 2, 4-6, 8, 9, and White.
constexpr uint64_t kReversible = KindBit(18) | KindBit(19) | KindBit(20) | KindBit(21) | KindBit(22) | KindBit(25) | KindBit(26) | KindBit(10) |
                                 KindBit(12) | KindBit(13) | KindBit(14) | KindBit(16) | KindBit(17) | KindBit(33);

bool IsPungKind(uint8_t kind)
{
    return kind == GETMJ_GANG || kind == GETMJ_PENG;
}

// Groups (pungs or chows by their first kind) at rising values v, v + step, ... of length len, one
// suit chosen at each value, whose chosen suits number exactly `suits`.
bool ShiftedAcross(const uint8_t *present, int top, int len, int step, int suits)
{
    for (int v = 0; v + (len - 1) * step <= top; v++) {
        // Suit choices as bit masks, widened value by value.
        unsigned reach = 1; // bit m: suit set m reachable
        for (int i = 0; i < len && reach; i++) {
            unsigned next = 0;
            for (int s = 0; s < 3; s++)
                if (present[s * 9 + v + i * step])
                    for (unsigned m = 0; m < 8; m++)
                        if (reach & (1u << m))
                            next |= 1u << (m | (1u << s));
            reach = next;
        }
        for (unsigned m = 0; m < 8; m++)
            if ((reach & (1u << m)) && std::popcount(m) == suits)
                return true;
    }
    return false;
}

// Lengths of the maximal runs of present entries v, v + step, ... within each suit; bit n of the
// result is set for a run of n.
unsigned RunLengths(const uint8_t *present, int top, int step)
{
    unsigned lengths = 0;
    for (int s = 0; s < 3; s++)
        for (int start = 0; start < step; start++) {
            int run = 0;
            for (int v = start; v <= top; v += step) {
                if (present[s * 9 + v]) {
                    run++;
                    continue;
                }
                lengths |= 1u << run;
                run = 0;
            }
            lengths |= 1u << run;
        }
    return lengths & ~1u;
}

} // namespace

struct CGbHu::Reading {
    uint8_t pung[MJ_KINDS] = {}; // pungs and kongs by kind
    uint8_t chow[27] = {};       // chows by first kind
    int pair = -1;
    int pungs = 0;
    int chows = 0;
};

int CGbHu::CalcFan(const MjTile *tiles, int count, CMjPlayer *p)
{
    if (!p)
        return 0;
    player = p;
    winkind = MjKind(p->winmj);
    if (!LoadMelds(p, count, 14))
        meldnum = 0;
    uint8_t counts[MJ_KINDS] = {};
    int n = 0;
    for (int i = 0; i < count; i++) {
        int kind = MjKind(tiles[i]);
        if (kind >= 0) {
            counts[kind]++;
            n++;
        }
    }
    FanBits fans = {};
    HandFans(counts, PresentMask(counts), n, fans);
    SetFanFlags(workflag, fans);
    PlayerFans();
    return 1;
}

void CGbHu::SaveHandFans(const uint8_t *counts, int n)
{
    ClearFlags(workflag);
    FanBits fans = {};
    HandFans(counts, PresentMask(counts), n, fans);
    SetFanFlags(workflag, fans);
    PlayerFans();
    std::memcpy(savedflag, workflag, sizeof savedflag);
    SetFanFlags(savedflag, circumstances);
}

// The hand-level tests over the concealed tiles and the melds' tiles, in the catalogue's order.
void CGbHu::HandFans(const uint8_t *counts, uint64_t present, int n, FanBits &f) const
{
    uint64_t hogs = NonzeroBytes<MJ_KINDS>(counts, 0xFC); // four or more
    auto only = [present](uint64_t mask) { return present && (present & ~mask) == 0; };
    int suits = 0;
    for (int s = 0; s < 3; s++)
        suits += (present & SuitMask(s)) != 0;
    bool honours = (present & kHonourKinds) != 0;
    int kongs = exposedkongs + concealedkongs;

    if (only(kHonourKinds))
        AddFan(f, FAN_ALL_HONOURS);
    if (only(kGreen))
        AddFan(f, FAN_ALL_GREEN);
    if (meldnum == 0 && IsNineGates(counts, present))
        AddFan(f, FAN_NINE_GATES);
    if (kongs == 4)
        AddFan(f, FAN_FOUR_KONGS);
    if (meldnum == 0 && IsSevenShiftedPairs(counts, present, n))
        AddFan(f, FAN_SEVEN_SHIFTED_PAIRS);
    if (IsThirteenOrphans(present, n))
        AddFan(f, FAN_THIRTEEN_ORPHANS);
    if (kongs == 3)
        AddFan(f, FAN_THREE_KONGS);
    if (only(ValueMask(7, 9)))
        AddFan(f, FAN_UPPER_TILES);
    if (only(ValueMask(4, 6)))
        AddFan(f, FAN_MIDDLE_TILES);
    if (only(ValueMask(1, 3)))
        AddFan(f, FAN_LOWER_TILES);
    if (only(ValueMask(6, 9)))
        AddFan(f, FAN_UPPER_FOUR);
    if (only(ValueMask(1, 4)))
        AddFan(f, FAN_LOWER_FOUR);
    if (only(kReversible))
        AddFan(f, FAN_REVERSIBLE_TILES);
    if (!honours && suits == 1)
        AddFan(f, FAN_FULL_FLUSH);
    if (suits == 1)
        AddFan(f, FAN_HALF_FLUSH);
    int dragons = 0;
    for (int k = KIND_RED; k < MJ_KINDS; k++)
        dragons += counts[k] >= 3;
    if (dragons == 2)
        AddFan(f, FAN_TWO_DRAGON_PUNGS);
    if (dragons == 1)
        AddFan(f, FAN_DRAGON_PUNG);
    if (hogs & ~meldkong)
        AddFan(f, FAN_TILE_HOG);
    if (only(ValueMask(2, 8)))
        AddFan(f, FAN_ALL_SIMPLES);
    if (suits <= 2)
        AddFan(f, FAN_ONE_VOIDED_SUIT);
    if (!honours)
        AddFan(f, FAN_NO_HONOURS);
    if (HasAllTypes(present))
        AddFan(f, FAN_ALL_TYPES);
}

// 1112345678999 of one suit held concealed before the win, which any tile of the suit completes:
// the fourteen tiles are that shape and the winning tile. A hand that merely contains the shape
// and won on another tile is no nine gates.
bool CGbHu::IsNineGates(const uint8_t *counts, uint64_t present) const
{
    static constexpr uint8_t kGates[9] = {3, 1, 1, 1, 1, 1, 1, 1, 3};
    int first = std::countr_zero(present);
    if (first >= 27 || (present & ~SuitMask(first / 9)))
        return false;
    int base = first / 9 * 9, extra = -1;
    for (int v = 0; v < 9; v++) {
        int over = counts[base + v] - kGates[v];
        if (over < 0 || over > 1 || (over == 1 && extra >= 0))
            return false;
        if (over == 1)
            extra = base + v;
    }
    // A wild tile won on may stand for the extra tile.
    bool wildwin = wildmode && IsWildMj(player->winmj);
    return extra >= 0 && (extra == winkind || wildwin);
}

// Seven pairs hold no pungs, yet their tiles alone make the terminal fans.
void CGbHu::SevenPairsFans(uint64_t present, FanBits &f)
{
    // As for pungs: all terminals and all honours are fans of their own.
    if (!(present & ~kTerminalKinds))
        AddFan(f, FAN_ALL_TERMINALS);
    if (!(present & ~kOrphanKinds) && (present & kHonourKinds) && (present & ~kHonourKinds))
        AddFan(f, FAN_ALL_TERMINALS_AND_HONOURS);
}

// Seven pairs of one suit with values rising by one.
bool CGbHu::IsSevenShiftedPairs(const uint8_t *counts, uint64_t present, int n)
{
    if (n != 14 || !AreSevenShiftedKinds(present))
        return false;
    // Eight counts read at once stay inside the array (the first kind is at most 20); the eighth is
    // not one of the pairs.
    uint64_t pairs;
    std::memcpy(&pairs, counts + std::countr_zero(present), 8);
    return (pairs & 0x00FFFFFFFFFFFFFF) == 0x02020202020202;
}


// The steps of the hand-level test that read the player's melds and circumstances.
void CGbHu::PlayerFans()
{
    uint8_t *f = workflag;
    if (meldnum == 0)
        f[FAN_CONCEALED_HAND] = 1;
    FanBits context = {};
    AddWinContext(context);
    SetFanFlags(f, context);
    if (f[FAN_CONCEALED_HAND] && f[FAN_SELF_DRAWN]) {
        f[FAN_FULLY_CONCEALED] = 1;
        f[FAN_CONCEALED_HAND] = 0;
        f[FAN_SELF_DRAWN] = 0;
    }
    // Every meld claimed: a concealed kong is no help asked.
    if (player->cardnum == 1 && !player->zimo && concealedkongs == 0)
        f[FAN_MELDED_HAND] = 1;
    if (exposedkongs)
        f[FAN_MELDED_KONG] = 1;
    if (concealedkongs)
        f[FAN_CONCEALED_KONG] = 1;
    if (concealedkongs == 2) {
        f[FAN_TWO_CONCEALED_KONGS] = 1;
        f[FAN_CONCEALED_KONG] = 0;
    }
    if (exposedkongs == 2) {
        f[FAN_TWO_MELDED_KONGS] = 1;
        f[FAN_MELDED_KONG] = 0;
    }
    if (minfan == 0 && player->ting)
        f[FAN_READY_DECLARED] = 1;
}

int CGbHu::ScoreReading()
{
    std::memcpy(workflag, savedflag, sizeof savedflag);
    std::memset(workflag + kExtraBase, 0, EXTRA_FAN_COUNT);
    Reading r;
    for (int i = 0; i < groupnum; i++) {
        const Group &g = group[i];
        if (IsPungKind(g.kind)) {
            r.pung[g.tile] = 1;
            r.pungs++;
        } else if (g.kind == G_CHOW) {
            r.chow[g.tile]++;
            r.chows++;
        } else if (g.kind == G_PAIR) {
            r.pair = g.tile;
        }
    }
    MeldFans(r);
    return CalcTotalFan();
}

// A pung is concealed unless it was claimed (a melded pung or exposed kong of its tile) or, on a
// discard, completed by the winning tile. `strict` also treats a concealed kong as melded.
void CGbHu::CountConcealed(int *concealed, int *strict) const
{
    bool wildwin = wildmode && !player->zimo && IsWildMj(player->winmj);
    int marked = 0;
    *concealed = *strict = 0;
    for (int i = 0; i < groupnum; i++) {
        const Group &g = group[i];
        if (!IsPungKind(g.kind))
            continue;
        bool claimed;
        if (wildwin) {
            // The discarded wild tile completed one of the wild-filled groups; which one is unknown.
            claimed = g.wildfill && ++marked < wildnum;
        } else {
            claimed = !player->zimo && g.tile == winkind;
        }
        if (claimed)
            continue;
        *concealed += !(meldopen & KindBit(g.tile));
        *strict += !(meldany & KindBit(g.tile));
    }
}

// The meld-level tests over one reading, in the catalogue's order.
void CGbHu::MeldFans(const Reading &r)
{
    uint8_t *f = workflag;
    int windscore = 0, windpungs = 0, dragonscore = 0;
    for (int k = KIND_EAST; k < KIND_RED; k++) {
        windscore += 2 * r.pung[k] + (r.pair == k);
        windpungs += r.pung[k];
    }
    for (int k = KIND_RED; k < MJ_KINDS; k++)
        dragonscore += 2 * r.pung[k] + (r.pair == k);

    bool terminals = true, orphans = true, even = true, fives = true, outside = true;
    bool anyhonour = false, anynumbered = false;
    for (int i = 0; i < groupnum; i++) {
        int k = group[i].tile;
        int v = KindValue(k);
        bool numbered = IsNumberedKind(k);
        if (group[i].kind == G_CHOW) {
            fives = fives && v >= 3 && v <= 5;
            outside = outside && (v == 1 || v == 7);
            continue;
        }
        terminals = terminals && IsTerminalKind(k);
        orphans = orphans && IsOrphanKind(k);
        even = even && numbered && v % 2 == 0;
        fives = fives && numbered && v == 5;
        outside = outside && IsOrphanKind(k);
        anyhonour = anyhonour || !numbered;
        anynumbered = anynumbered || numbered;
    }
    int concealed, strict;
    CountConcealed(&concealed, &strict);

    if (windpungs == 4)
        f[FAN_BIG_FOUR_WINDS] = 1;
    if (dragonscore == 6)
        f[FAN_BIG_THREE_DRAGONS] = 1;
    if (windscore == 7)
        f[FAN_LITTLE_FOUR_WINDS] = 1;
    if (dragonscore == 5)
        f[FAN_LITTLE_THREE_DRAGONS] = 1;
    bool allpungs = r.chows == 0;
    if (allpungs)
        f[FAN_ALL_PUNGS] = 1;
    if (allpungs && terminals)
        f[FAN_ALL_TERMINALS] = 1;
    if (concealed == 4)
        f[FAN_FOUR_CONCEALED_PUNGS] = 1;
    if (f[FAN_FULL_FLUSH] && r.pair >= 0 && r.chows == 4)
        for (int s = 0; s < 3; s++)
            if (r.chow[s * 9] >= 2 && r.chow[s * 9 + 6] >= 2)
                f[FAN_PURE_TERMINAL_CHOWS] = 1;
    int mostsame = 0;
    bool twosame = false;
    for (int i = 0; i < groupnum; i++) {
        if (group[i].kind != G_CHOW)
            continue;
        int same = r.chow[group[i].tile];
        if (same > mostsame)
            mostsame = same;
        twosame = twosame || same == 2;
    }
    if (mostsame == 4)
        f[FAN_QUADRUPLE_CHOW] = 1;
    unsigned pungruns = r.pungs >= 3 ? RunLengths(r.pung, 8, 1) : 0;
    if (pungruns & ~0xFu)
        f[FAN_FOUR_PURE_SHIFTED_PUNGS] = 1;
    unsigned chowruns1 = r.chows >= 3 ? RunLengths(r.chow, 6, 1) : 0;
    unsigned chowruns2 = r.chows >= 3 ? RunLengths(r.chow, 6, 2) : 0;
    if ((chowruns1 & ~0xFu) || (chowruns2 & ~0xFu))
        f[FAN_FOUR_PURE_SHIFTED_CHOWS] = 1;
    // Every group a terminal or honour pung or pair, both kinds present (all terminals is the
    // higher fan 8, all honours the higher fan 11).
    if (allpungs && orphans && anyhonour && anynumbered)
        f[FAN_ALL_TERMINALS_AND_HONOURS] = 1;
    if (allpungs && even)
        f[FAN_ALL_EVEN_PUNGS] = 1;
    if (mostsame == 3)
        f[FAN_PURE_TRIPLE_CHOW] = 1;
    if (pungruns & (1u << 3))
        f[FAN_PURE_SHIFTED_PUNGS] = 1;
    for (int s = 0; s < 3 && r.chows >= 3; s++)
        if (r.chow[s * 9] && r.chow[s * 9 + 3] && r.chow[s * 9 + 6])
            f[FAN_PURE_STRAIGHT] = 1;
    if (r.chows == 4 && IsNumberedKind(r.pair) && KindValue(r.pair) == 5) {
        int s = r.pair / 9, a = (s + 1) % 3, b = (s + 2) % 3;
        if (r.chow[a * 9] && r.chow[a * 9 + 6] && r.chow[b * 9] && r.chow[b * 9 + 6])
            f[FAN_THREE_SUITED_TERMINAL_CHOWS] = 1;
    }
    if ((chowruns1 | chowruns2) & (1u << 3))
        f[FAN_PURE_SHIFTED_CHOWS] = 1;
    if (fives)
        f[FAN_ALL_FIVES] = 1;
    int triplevalue = 0, doublevalue = 0, mixedchow = 0, doublechow = 0;
    for (int v = 0; v < 9 && r.pungs >= 2; v++) {
        int suitsat = r.pung[v] + r.pung[9 + v] + r.pung[18 + v];
        triplevalue += suitsat == 3;
        doublevalue += suitsat == 2;
    }
    for (int v = 0; v < 7 && r.chows >= 2; v++) {
        int chowsat = (r.chow[v] > 0) + (r.chow[9 + v] > 0) + (r.chow[18 + v] > 0);
        mixedchow += chowsat == 3;
        doublechow += chowsat == 2;
    }
    if (triplevalue)
        f[FAN_TRIPLE_PUNG] = 1;
    if (concealed == 3)
        f[FAN_THREE_CONCEALED_PUNGS] = 1;
    if (windpungs >= 3)
        f[FAN_BIG_THREE_WINDS] = 1;
    // The same six suit orders as the knitted sets: any suits for 1-2-3, 4-5-6 and 7-8-9.
    for (int i = 0; i < 6 && r.chows >= 3; i++)
        if (r.chow[kKnittedOrders[i][0] * 9] && r.chow[kKnittedOrders[i][1] * 9 + 3] && r.chow[kKnittedOrders[i][2] * 9 + 6])
            f[FAN_MIXED_STRAIGHT] = 1;
    if (mixedchow)
        f[FAN_MIXED_TRIPLE_CHOW] = 1;
    if (r.pungs >= 3 && HasMixedShiftedPungs())
        f[FAN_MIXED_SHIFTED_PUNGS] = 1;
    if (r.chows >= 3)
        for (int s = 0; s < 3; s++)
            for (int v = 0; v < 5; v++) {
                if (!r.chow[s * 9 + v])
                    continue;
                int a = (s + 1) % 3 * 9 + v, b = (s + 2) % 3 * 9 + v;
                if ((r.chow[a + 1] && r.chow[b + 2]) || (r.chow[b + 1] && r.chow[a + 2]))
                    f[FAN_MIXED_SHIFTED_CHOWS] = 1;
            }
    if (outside)
        f[FAN_OUTSIDE_HAND] = 1;
    if (r.chows == 4 && groupnum == 5 && r.pair >= 0 && IsNumberedKind(r.pair))
        f[FAN_ALL_CHOWS] = 1;
    if (doublevalue)
        f[FAN_DOUBLE_PUNG] = 1;
    if (strict == 2)
        f[FAN_TWO_CONCEALED_PUNGS] = 1;
    if (twosame)
        f[FAN_PURE_DOUBLE_CHOW] = 1;
    if (doublechow)
        f[FAN_MIXED_DOUBLE_CHOW] = 1;
    if (HasShortStraight())
        f[FAN_SHORT_STRAIGHT] = 1;
    for (int s = 0; s < 3 && r.chows >= 2; s++)
        if (r.chow[s * 9] && r.chow[s * 9 + 6])
            f[FAN_TWO_TERMINAL_CHOWS] = 1;
    for (int i = 0; i < groupnum; i++) {
        int k = group[i].tile;
        if (!IsPungKind(group[i].kind))
            continue;
        int v = KindValue(k);
        bool offwind = k >= KIND_EAST && k < KIND_RED && v != player->seatwind && v != player->roundwind;
        if (IsTerminalKind(k) || offwind)
            f[FAN_PUNG_OF_TERMINALS] = 1;
    }
    WaitFans(r);
    if (player->roundwind >= 1 && player->roundwind <= 4 && r.pung[KIND_EAST + player->roundwind - 1])
        f[FAN_PREVALENT_WIND] = 1;
    if (player->seatwind >= 1 && player->seatwind <= 4 && r.pung[KIND_EAST + player->seatwind - 1])
        f[FAN_SEAT_WIND] = 1;
    if (wildmode)
        WildExtraFans(r);
    bool any = false;
    for (int i = 1; i <= FAN_FLOWERS && !any; i++)
        any = f[i] != 0;
    if (!any)
        f[FAN_CHICKEN_HAND] = 1;
}

// A numbered pung of v and, among the groups after it, pungs of v + 1 and v + 2 in the other suits.
bool CGbHu::HasMixedShiftedPungs() const
{
    for (int i = 0; i + 2 < groupnum; i++) {
        const Group &g = group[i];
        if (!IsPungKind(g.kind) || !IsNumberedKind(g.tile) || g.tile % 9 > 6)
            continue;
        int s = g.tile / 9, v = g.tile % 9;
        unsigned next = 0, after = 0; // suits holding v + 1 and v + 2 among the later groups
        for (int j = i + 1; j < groupnum; j++) {
            const Group &h = group[j];
            if (!IsPungKind(h.kind) || !IsNumberedKind(h.tile) || h.tile / 9 == s)
                continue;
            if (h.tile % 9 == v + 1)
                next |= 1u << (h.tile / 9);
            if (h.tile % 9 == v + 2)
                after |= 1u << (h.tile / 9);
        }
        // One suit each, the two different.
        if (next && after && std::popcount(next | after) == 2)
            return true;
    }
    return false;
}

// A chow of v and, later in the reading, a chow of the same suit at v + 3.
bool CGbHu::HasShortStraight() const
{
    for (int i = 0; i < groupnum; i++) {
        if (group[i].kind != G_CHOW || group[i].tile % 9 > 3)
            continue;
        for (int j = i + 1; j < groupnum; j++)
            if (group[j].kind == G_CHOW && group[j].tile == group[i].tile + 3)
                return true;
    }
    return false;
}

// The pair's fans and the waits, which only the groups of the decomposition can show.
void CGbHu::WaitFans(const Reading &r)
{
    uint8_t *f = workflag;
    int win = winkind;
    if (r.pair >= 0) {
        int v = KindValue(r.pair);
        if (minfan == 0 && IsNumberedKind(r.pair) && (v == 2 || v == 5 || v == 8))
            f[FAN_258_PAIR] = 1;
        if (r.pair == win)
            f[FAN_SINGLE_WAIT] = 1;
    }
    if (win < 0 || !IsNumberedKind(win))
        return;
    uint32_t own = 0; // first kinds of the decomposition's chows
    for (int i = meldnum; i < groupnum; i++)
        if (group[i].kind == G_CHOW)
            own |= 1u << group[i].tile;
    auto has = [own](int kind) { return kind >= 0 && (own >> kind) & 1; };
    int v = KindValue(win), base = win - (v - 1);
    if ((v == 3 && has(base) && !has(base + 2)) || (v == 7 && has(base + 6) && !has(base + 4)))
        f[FAN_EDGE_WAIT] = 1;
    if (v >= 2 && v <= 8 && has(win - 1) && !(v <= 7 && has(win)) && !(v >= 3 && has(win - 2)))
        f[FAN_CLOSED_WAIT] = 1;
}

// The mixed-suit fans of the wild-tile rule; only the first present will count.
void CGbHu::WildExtraFans(const Reading &r)
{
    uint8_t *x = workflag + kExtraBase;
    if (ShiftedAcross(r.pung, 8, 4, 1, 3))
        x[EXTRA_MIXED_FOUR_SHIFTED_PUNGS] = 1;
    if (ShiftedAcross(r.pung, 8, 3, 1, 2))
        x[EXTRA_MIXED_THREE_SHIFTED_PUNGS] = 1;
    if (ShiftedAcross(r.chow, 6, 4, 1, 3))
        x[EXTRA_MIXED_FOUR_SHIFTED_CHOWS] = 1;
    if (ShiftedAcross(r.chow, 6, 3, 1, 2))
        x[EXTRA_MIXED_THREE_SHIFTED_CHOWS] = 1;
    if (ShiftedAcross(r.chow, 6, 3, 3, 2))
        x[EXTRA_TWO_SUIT_STRAIGHT] = 1;
    if (wildnum == 0)
        x[EXTRA_NO_WILD] = 1;
    if (meldnum == 0 && player->ting)
        x[EXTRA_STANDING] = 1;
}

bool CGbHu::IsWildMj(MjTile tile) const
{
    return wildmode && (IsSameMj(tile, wildmj) || (tile.suit == SUIT_HUA && wildmj.suit == SUIT_HUA));
}
