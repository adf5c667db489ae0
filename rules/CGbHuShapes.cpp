#include "rules/CGbHu.h"

#include "rules/HandCount.h"
#include "rules/KindMask.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

// The nine kinds of the knitted straight under each suit order of kKnittedOrders.
constexpr auto kKnittedMasks = [] {
    std::array<uint64_t, 6> masks{};
    for (int i = 0; i < 6; i++)
        for (int set = 0; set < 3; set++)
            masks[i] |= uint64_t{0x49} << (kKnittedOrders[i][set] * 9 + set); // values 1, 4, 7 shifted to the set
    return masks;
}();

} // namespace

// The knitted set (0 for 1-4-7, 1 for 2-5-8, 2 for 3-6-9) of every numbered suit, -1 for a suit
// without tiles; false when a suit mixes sets or two suits share one.
bool CGbHu::KnittedSets(uint64_t present, int sets[3])
{
    for (int s = 0; s < 3; s++) {
        unsigned values = (present & SuitMask(s)) >> (9 * s);
        sets[s] = -1;
        for (int set = 0; set < 3 && values && sets[s] < 0; set++)
            if (!(values & ~(0x49u << set)))
                sets[s] = set;
        if (values && sets[s] < 0)
            return false;
    }
    for (int s = 0; s < 3; s++)
        if (sets[s] >= 0 && (sets[s] == sets[(s + 1) % 3] || sets[s] == sets[(s + 2) % 3]))
            return false;
    return true;
}

// Fourteen different tiles (n, the tiles counted, is 14, each kind held an odd number of times, and
// as many kinds are present): the three suits each from its own knitted set, the rest honours.
int CGbHu::HonoursKnittedFan(uint64_t present, uint64_t odd, int n)
{
    if (n != 14 || odd != present || !(present & SuitMask(0)) || !(present & SuitMask(1)) ||
        !(present & SuitMask(2)))
        return 0;
    // Every suit held, each in its own set: the numbered kinds lie within one knitted straight.
    const uint64_t numbered = present & ~kHonourKinds;
    bool knitted = false;
    for (uint64_t mask : kKnittedMasks)
        knitted |= !(numbered & ~mask);
    if (!knitted || CountKinds(present) != 14)
        return 0;
    if ((present & kHonourKinds) != kHonourKinds)
        return FAN_LESSER_HONOURS_KNITTED;
    return FAN_GREATER_HONOURS_KNITTED;
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
    for (uint64_t mask : kKnittedMasks)
        if ((present & mask) == mask)
            return true;
    return false;
}

// The nine knitted tiles held with the rest one tile short, or eight held with the rest complete. A
// suit order holds one copy of each of its kinds present, so the orders missing more than one kind
// are passed over on the mask alone.
bool CGbHu::IsKnittedStraightWait(const uint8_t *counts, int n)
{
    if (n < 8)
        return false;
    const uint64_t present = PresentMask(counts);
    for (int i = 0; i < 6; i++) {
        const uint64_t missing = kKnittedMasks[i] & ~present;
        if (missing & (missing - 1))
            continue;
        uint8_t rest[MJ_KINDS];
        std::memcpy(rest, counts, sizeof rest);
        int held = TakeKnitted(kKnittedOrders[i], rest);
        if (held == 8 && CanComplete(rest, n - 8, false))
            return true;
        if (held != 9)
            continue;
        for (int k = 0; k < MJ_KINDS; k++) {
            rest[k]++;
            bool ok = CanComplete(rest, n - 8, false);
            rest[k]--;
            if (ok)
                return true;
        }
    }
    return false;
}

// The nine knitted tiles of one suit assignment, and the rest complete groups and a pair.
bool CGbHu::IsKnittedStraight(const uint8_t *counts, uint64_t present, int n)
{
    if (n < 11)
        return false;
    for (int i = 0; i < 6; i++) {
        if ((present & kKnittedMasks[i]) != kKnittedMasks[i])
            continue;
        uint8_t rest[MJ_KINDS];
        std::memcpy(rest, counts, sizeof rest);
        if (TakeKnitted(kKnittedOrders[i], rest) == 9 && CanComplete(rest, n - 9, false))
            return true;
    }
    return false;
}

// A kind that no run of three present kinds holds can only be the pair: two such kinds (more than
// one bit), or one held four times, leave no reading as groups. Most seven pairs end there, before
// any search.
bool CGbHu::PairsReadAsGroups(const uint8_t *counts, uint64_t present, int n)
{
    constexpr uint64_t kRunStarts = ValueMask(1, 7);
    uint64_t starts = present & (present >> 1) & (present >> 2) & kRunStarts;
    uint64_t alone = present & ~(starts | starts << 1 | starts << 2);
    if ((alone & (alone - 1)) || (alone && counts[std::countr_zero(alone)] > 2))
        return false;
    uint8_t rest[MJ_KINDS];
    std::memcpy(rest, counts, sizeof rest);
    return CanComplete(rest, n, false);
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

