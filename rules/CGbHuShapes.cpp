#include "rules/CGbHu.h"

#include "rules/HandCount.h"

#include <cstring>

// Every terminal and honour kind, the fourteenth tile a copy of one of them.
bool CGbHu::IsThirteenOrphans(const uint8_t *counts, int n)
{
    if (n != 14)
        return false;
    for (int k = 0; k < MJ_KINDS; k++)
        if (IsOrphanKind(k) ? counts[k] == 0 : counts[k] != 0)
            return false;
    return true;
}

// The knitted set (0 for 1-4-7, 1 for 2-5-8, 2 for 3-6-9) of every numbered suit, -1 for a suit
// without tiles; false when a suit mixes sets or two suits share one.
bool CGbHu::KnittedSets(const uint8_t *counts, int sets[3])
{
    for (int s = 0; s < 3; s++) {
        sets[s] = -1;
        for (int v = 0; v < 9; v++) {
            if (!counts[s * 9 + v])
                continue;
            if (sets[s] >= 0 && sets[s] != v % 3)
                return false;
            sets[s] = v % 3;
        }
    }
    for (int s = 0; s < 3; s++)
        if (sets[s] >= 0 && (sets[s] == sets[(s + 1) % 3] || sets[s] == sets[(s + 2) % 3]))
            return false;
    return true;
}

// Fourteen different tiles: the three suits each from its own knitted set, the rest honours.
int CGbHu::HonoursKnittedFan(const uint8_t *counts, int n)
{
    if (n != 14)
        return 0;
    for (int k = 0; k < MJ_KINDS; k++)
        if (counts[k] > 1)
            return 0;
    int sets[3];
    if (!KnittedSets(counts, sets) || sets[0] < 0 || sets[1] < 0 || sets[2] < 0)
        return 0;
    for (int k = KIND_EAST; k < MJ_KINDS; k++)
        if (!counts[k])
            return FAN_LESSER_HONOURS_KNITTED;
    return FAN_GREATER_HONOURS_KNITTED;
}

uint64_t CGbHu::KnittedMask(const int suits[3])
{
    uint64_t mask = 0;
    for (int set = 0; set < 3; set++)
        mask |= uint64_t{0x49} << (suits[set] * 9 + set); // values 1, 4, 7 shifted to the set
    return mask;
}

// Takes one copy of each knitted tile of a suit assignment out of counts; returns how many were held.
int CGbHu::TakeKnitted(const int suits[3], uint8_t *counts)
{
    int held = 0;
    for (int set = 0; set < 3; set++)
        for (int i = 0; i < 3; i++) {
            int kind = suits[set] * 9 + set + 3 * i;
            if (counts[kind]) {
                counts[kind]--;
                held++;
            }
        }
    return held;
}

// All nine tiles of some knitted straight: 1-4-7, 2-5-8 and 3-6-9, each in its own suit.
bool CGbHu::HoldsKnittedTiles(uint64_t present)
{
    for (const auto &suits : kKnittedOrders)
        if ((present & KnittedMask(suits)) == KnittedMask(suits))
            return true;
    return false;
}

// The nine knitted tiles of one suit assignment, and the rest complete groups and a pair.
bool CGbHu::IsKnittedStraight(const uint8_t *counts, int n)
{
    if (n < 11)
        return false;
    uint64_t present = PresentMask(counts);
    for (const auto &suits : kKnittedOrders) {
        if ((present & KnittedMask(suits)) != KnittedMask(suits))
            continue;
        uint8_t rest[MJ_KINDS];
        std::memcpy(rest, counts, sizeof rest);
        if (TakeKnitted(suits, rest) == 9 && CanComplete(rest, n - 9, false))
            return true;
    }
    return false;
}

// Seven pairs, four equal tiles counting as two.
bool CGbHu::IsSevenPairs(const uint8_t *counts, int n)
{
    if (n != 14)
        return false;
    for (int k = 0; k < MJ_KINDS; k++)
        if (counts[k] & 1)
            return false;
    return true;
}

// The plain existence test: the tiles form pungs and chows and at most one pair.
bool CGbHu::CanComplete(uint8_t *counts, int n, bool pairtaken, int from)
{
    if (n == 0)
        return true;
    if (n < 2)
        return false;
    int k = from;
    while (!counts[k])
        k++;
    bool ok = false;
    if (counts[k] >= 3) {
        counts[k] -= 3;
        ok = CanComplete(counts, n - 3, pairtaken, k);
        counts[k] += 3;
    }
    if (!ok && !pairtaken && counts[k] >= 2) {
        counts[k] -= 2;
        ok = CanComplete(counts, n - 2, true, k);
        counts[k] += 2;
    }
    if (!ok && IsNumberedKind(k) && k % 9 < 7 && counts[k + 1] && counts[k + 2]) {
        counts[k]--;
        counts[k + 1]--;
        counts[k + 2]--;
        ok = CanComplete(counts, n - 3, pairtaken, k);
        counts[k]++;
        counts[k + 1]++;
        counts[k + 2]++;
    }
    return ok;
}

