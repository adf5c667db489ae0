#include "rules/CGbHu.h"

#include "rules/CMjPlayer.h"
#include "rules/FanBits.h"
#include "rules/KindMask.h"

#include <array>
#include <bit>
#include <iterator>

namespace {

// A fan and the lower fans it makes uncountable. Applied in this order, each rule reading the
// flags as the rules before it left them.
struct Exclusion {
    uint8_t fan;
    uint8_t cleared[7];
};

constexpr Exclusion kExclusions[] = {
    {FAN_EDGE_WAIT, {FAN_SINGLE_WAIT}},
    {FAN_CLOSED_WAIT, {FAN_SINGLE_WAIT}},
    {FAN_ALL_SIMPLES, {FAN_NO_HONOURS}},
    {FAN_ALL_CHOWS, {FAN_NO_HONOURS}},
    {FAN_MELDED_HAND, {FAN_SINGLE_WAIT}},
    {FAN_HALF_FLUSH, {FAN_ONE_VOIDED_SUIT}},
    {FAN_ROBBING_THE_KONG, {FAN_LAST_OF_KIND}},
    {FAN_OUT_WITH_REPLACEMENT, {FAN_SELF_DRAWN}},
    {FAN_LAST_TILE_DRAW, {FAN_SELF_DRAWN}},
    {FAN_REVERSIBLE_TILES, {FAN_ONE_VOIDED_SUIT}},
    {FAN_LOWER_FOUR, {FAN_NO_HONOURS}},
    {FAN_UPPER_FOUR, {FAN_NO_HONOURS}},
    {FAN_LESSER_HONOURS_KNITTED, {FAN_ALL_TYPES, FAN_FULLY_CONCEALED, FAN_SINGLE_WAIT}},
    // Also when one of the three is a concealed kong, which the two-pung count leaves out.
    {FAN_THREE_CONCEALED_PUNGS, {FAN_TWO_CONCEALED_PUNGS}},
    {FAN_ALL_FIVES, {FAN_ALL_SIMPLES, FAN_NO_HONOURS}},
    {FAN_THREE_SUITED_TERMINAL_CHOWS, {FAN_MIXED_DOUBLE_CHOW, FAN_TWO_TERMINAL_CHOWS, FAN_NO_HONOURS, FAN_ALL_CHOWS}},
    {FAN_PURE_STRAIGHT, {FAN_SHORT_STRAIGHT, FAN_TWO_TERMINAL_CHOWS}},
    {FAN_LOWER_TILES, {FAN_NO_HONOURS, FAN_LOWER_FOUR}},
    {FAN_MIDDLE_TILES, {FAN_ALL_SIMPLES}},
    {FAN_UPPER_TILES, {FAN_NO_HONOURS, FAN_UPPER_FOUR}},
    {FAN_PURE_SHIFTED_PUNGS, {FAN_PURE_TRIPLE_CHOW}},
    {FAN_PURE_TRIPLE_CHOW, {FAN_PURE_SHIFTED_PUNGS}},
    {FAN_FULL_FLUSH, {FAN_HALF_FLUSH, FAN_NO_HONOURS, FAN_ONE_VOIDED_SUIT}},
    {FAN_ALL_EVEN_PUNGS, {FAN_ALL_PUNGS, FAN_ALL_SIMPLES, FAN_NO_HONOURS}},
    {FAN_GREATER_HONOURS_KNITTED, {FAN_ALL_TYPES, FAN_FULLY_CONCEALED, FAN_SINGLE_WAIT}},
    // Seven pairs hold no pung, so four of a dragon is no dragon pung either.
    {FAN_SEVEN_PAIRS, {FAN_FULLY_CONCEALED, FAN_SINGLE_WAIT, FAN_CONCEALED_HAND, FAN_DRAGON_PUNG, FAN_TWO_DRAGON_PUNGS}},
    {FAN_ALL_TERMINALS_AND_HONOURS, {FAN_ALL_PUNGS, FAN_OUTSIDE_HAND, FAN_PUNG_OF_TERMINALS}},
    {FAN_THREE_KONGS, {FAN_TWO_CONCEALED_KONGS, FAN_TWO_MELDED_KONGS, FAN_CONCEALED_KONG, FAN_MELDED_KONG}},
    {FAN_FOUR_PURE_SHIFTED_CHOWS, {FAN_TWO_TERMINAL_CHOWS}},
    {FAN_FOUR_PURE_SHIFTED_PUNGS, {FAN_PURE_TRIPLE_CHOW, FAN_ALL_PUNGS}},
    {FAN_QUADRUPLE_CHOW, {FAN_PURE_TRIPLE_CHOW, FAN_PURE_SHIFTED_PUNGS, FAN_PURE_DOUBLE_CHOW, FAN_TILE_HOG}},
    {FAN_PURE_TERMINAL_CHOWS,
     {FAN_ALL_CHOWS, FAN_SEVEN_PAIRS, FAN_FULL_FLUSH, FAN_PURE_DOUBLE_CHOW, FAN_NO_HONOURS, FAN_TWO_TERMINAL_CHOWS}},
    {FAN_FOUR_CONCEALED_PUNGS, {FAN_ALL_PUNGS, FAN_CONCEALED_HAND, FAN_TWO_CONCEALED_PUNGS}},
    {FAN_ALL_HONOURS, {FAN_ALL_PUNGS, FAN_OUTSIDE_HAND, FAN_PUNG_OF_TERMINALS, FAN_ONE_VOIDED_SUIT}},
    // Small three dragons holds two dragon pungs; the national rules never add that fan to it.
    {FAN_LITTLE_THREE_DRAGONS, {FAN_DRAGON_PUNG, FAN_TWO_DRAGON_PUNGS}},
    {FAN_LITTLE_FOUR_WINDS, {FAN_BIG_THREE_WINDS}},
    {FAN_ALL_TERMINALS,
     {FAN_ALL_TERMINALS_AND_HONOURS, FAN_ALL_PUNGS, FAN_TRIPLE_PUNG, FAN_DOUBLE_PUNG, FAN_NO_HONOURS,
      FAN_OUTSIDE_HAND, FAN_PUNG_OF_TERMINALS}},
    {FAN_THIRTEEN_ORPHANS, {FAN_ALL_TYPES, FAN_FULLY_CONCEALED, FAN_SINGLE_WAIT}},
    {FAN_SEVEN_SHIFTED_PAIRS,
     {FAN_FULL_FLUSH, FAN_FULLY_CONCEALED, FAN_SINGLE_WAIT, FAN_SHORT_STRAIGHT, FAN_PURE_DOUBLE_CHOW, FAN_ALL_CHOWS}},
    {FAN_FOUR_KONGS,
     {FAN_MELDED_KONG, FAN_TWO_CONCEALED_KONGS, FAN_TWO_MELDED_KONGS, FAN_CONCEALED_KONG, FAN_THREE_KONGS,
      FAN_ALL_PUNGS, FAN_SINGLE_WAIT}},
    // Its 111 and 999 are part of the fan.
    {FAN_NINE_GATES, {FAN_FULL_FLUSH, FAN_CONCEALED_HAND, FAN_PUNG_OF_TERMINALS}},
    {FAN_ALL_GREEN, {FAN_HALF_FLUSH}},
    {FAN_BIG_THREE_DRAGONS, {FAN_TWO_DRAGON_PUNGS, FAN_DRAGON_PUNG}},
    // Its wind pungs are not counted again as terminal-or-honour pungs either.
    {FAN_BIG_FOUR_WINDS, {FAN_PREVALENT_WIND, FAN_SEAT_WIND, FAN_BIG_THREE_WINDS, FAN_ALL_PUNGS, FAN_PUNG_OF_TERMINALS}},
    {FAN_FULLY_CONCEALED, {FAN_SELF_DRAWN, FAN_CONCEALED_HAND}},
};

static_assert(std::size(kExclusions) <= 64, "a rule is one bit of a word");

// For each fan, the bits of the rules (by their place in kExclusions) that it sets off; for each
// rule, its fan and the fans it clears; and the rules whose fan an earlier rule may clear.
constexpr auto kRules = [] {
    struct {
        uint64_t of[FAN_COUNT];
        FanBits fan[std::size(kExclusions)];
        FanBits clears[std::size(kExclusions)];
        uint64_t guarded;
    } table{};
    FanBits clearable = {};
    for (size_t i = 0; i < std::size(kExclusions); i++) {
        int fan = kExclusions[i].fan;
        table.of[fan] |= uint64_t{1} << i;
        AddFan(table.fan[i], fan);
        if ((clearable[fan / 64] >> (fan % 64)) & 1)
            table.guarded |= uint64_t{1} << i;
        for (uint8_t cleared : kExclusions[i].cleared)
            if (cleared) {
                AddFan(table.clears[i], cleared);
                AddFan(clearable, cleared);
            }
    }
    return table;
}();

constexpr auto kPoints = [] {
    struct { int points[FAN_COUNT]; } table{};
    for (int i = 0; i < FAN_COUNT; i++)
        table.points[i] = FanPoints(i); // 0 for the unused fans 0 and 89
    return table;
}();

// Only the rules of the fans present can clear anything. They run in the table's order, and one
// whose fan an earlier rule cleared does nothing; a rule whose fan no earlier rule clears needs no
// look at what was cleared. Inline: the quickest shapes keep the sets in registers throughout.
[[gnu::always_inline]] inline FanBits Excluded(const FanBits &present)
{
    uint64_t rules = 0;
    ForEachFan(present, [&rules](int fan) { rules |= kRules.of[fan]; });
    FanBits cleared = {};
    for (; rules; rules &= rules - 1) {
        int rule = std::countr_zero(rules);
        const FanBits &own = kRules.fan[rule], &clears = kRules.clears[rule];
        if ((kRules.guarded >> rule) & 1 && ((cleared[0] & own[0]) | (cleared[1] & own[1])))
            continue;
        cleared[0] |= clears[0];
        cleared[1] |= clears[1];
    }
    return {present[0] & cleared[0], present[1] & cleared[1]};
}

[[gnu::always_inline]] inline FanBits Kept(const FanBits &present)
{
    const FanBits excluded = Excluded(present);
    return {present[0] & ~excluded[0], present[1] & ~excluded[1]};
}

[[gnu::always_inline]] inline int PointsOf(const FanBits &fans)
{
    int total = 0;
    ForEachFan(fans, [&total](int fan) { total += kPoints.points[fan]; });
    return total;
}

} // namespace

int CGbHu::CalcTotalFan()
{
    uint8_t *f = workflag;
    // These fans already count the concealed hand: drawn to, such a hand keeps only its self-drawn
    // point. Done first, so that the fans that clear self-drawn still see it.
    if (f[FAN_FULLY_CONCEALED] && (f[FAN_FOUR_CONCEALED_PUNGS] || f[FAN_NINE_GATES])) {
        f[FAN_FULLY_CONCEALED] = 0;
        f[FAN_SELF_DRAWN] = 1;
    }
    const FanBits present = {NonzeroBytes<64>(f), NonzeroBytes<FAN_COUNT - 64>(f + 64)};
    const FanBits cleared = Excluded(present);
    ForEachFan(cleared, [f](int fan) { f[fan] = 0; });
    int total = PointsOf({present[0] & ~cleared[0], present[1] & ~cleared[1]});
    for (int j = 0; j < EXTRA_FAN_USED; j++)
        if (f[kExtraBase + j])
            return total + ExtraFanPoints(j);
    return total;
}

void CGbHu::AddWinContext(FanBits &fans) const
{
    if (player->zimo)
        AddFan(fans, FAN_SELF_DRAWN);
    // Out on a kong's replacement is a self-drawn fan: a discard won after a kong earns nothing.
    if (player->zimo && player->ganghu)
        AddFan(fans, FAN_OUT_WITH_REPLACEMENT);
    if (player->qiangganghu)
        AddFan(fans, FAN_ROBBING_THE_KONG);
}

namespace {

constexpr bool Clears(int fan, int other)
{
    for (const Exclusion &rule : kExclusions)
        if (rule.fan == fan)
            for (uint8_t cleared : rule.cleared)
                if (cleared == other)
                    return true;
    return false;
}

// The fans of the special shapes, and those of how a hand was won, which stand beside them.
constexpr int kShapeFans[] = {FAN_SEVEN_SHIFTED_PAIRS, FAN_SEVEN_PAIRS,           FAN_ALL_SIMPLES,
                              FAN_THIRTEEN_ORPHANS,    FAN_GREATER_HONOURS_KNITTED, FAN_LESSER_HONOURS_KNITTED,
                              FAN_KNITTED_STRAIGHT,    FAN_ALL_TYPES};
constexpr int kContextFans[] = {FAN_SELF_DRAWN,     FAN_OUT_WITH_REPLACEMENT, FAN_ROBBING_THE_KONG,
                                FAN_LAST_TILE_DRAW, FAN_LAST_TILE_CLAIM,      FAN_LAST_OF_KIND};

constexpr bool ShapesSettleApart()
{
    for (int shape : kShapeFans)
        for (int context : kContextFans)
            if (Clears(shape, context) || Clears(context, shape))
                return false;
    // The fans that stand together within a shape.
    constexpr int kTogether[][2] = {{FAN_SEVEN_SHIFTED_PAIRS, FAN_SEVEN_PAIRS},
                                    {FAN_SEVEN_SHIFTED_PAIRS, FAN_ALL_SIMPLES},
                                    {FAN_SEVEN_PAIRS, FAN_ALL_SIMPLES},
                                    {FAN_LESSER_HONOURS_KNITTED, FAN_KNITTED_STRAIGHT},
                                    {FAN_KNITTED_STRAIGHT, FAN_ALL_TYPES}};
    for (const auto &pair : kTogether)
        if (Clears(pair[0], pair[1]) || Clears(pair[1], pair[0]))
            return false;
    return true;
}

static_assert(ShapesSettleApart(), "a special shape's fans are counted whole beside the win's circumstances");

} // namespace

// The shape's fans neither clear nor are cleared by the others: only the circumstances of the win
// are settled among themselves.
int CGbHu::FinishSpecial(int fan, uint64_t allpresent)
{
    FanBits shape = {};
    AddFan(shape, fan);
    // Seven pairs of one suit, values in a row: full flush, and the fans it clears, go with the
    // shape; all simples is the one hand-level fan that may stand beside it.
    if (fan == FAN_SEVEN_SHIFTED_PAIRS) {
        AddFan(shape, FAN_SEVEN_PAIRS);
        if (!(allpresent & ~ValueMask(2, 8)))
            AddFan(shape, FAN_ALL_SIMPLES);
    }
    if (fan == FAN_KNITTED_STRAIGHT && HasAllTypes(allpresent))
        AddFan(shape, FAN_ALL_TYPES);
    // Honours and knitted tiles whose numbered tiles are a whole knitted straight count both.
    if (fan == FAN_LESSER_HONOURS_KNITTED && HoldsKnittedTiles(allpresent))
        AddFan(shape, FAN_KNITTED_STRAIGHT);
    FanBits context = circumstances;
    AddWinContext(context);
    FanBits kept = Kept(context);
    AddFans(kept, shape);
    int total = 0;
    ForEachFan(kept, [this, &total](int fan) {
        fanflag[fan] = 1; // cleared when the hand was begun
        total += kPoints.points[fan];
    });
    SetWinTotal(total);
    return 1;
}

int CGbHu::ScoreSevenPairs(const uint8_t *counts, uint64_t present, int n)
{
    FanBits fans = circumstances;
    AddWinContext(fans);
    HandFans(counts, present, n, fans);
    SevenPairsFans(present, fans);
    AddFan(fans, FAN_SEVEN_PAIRS);
    pairfans = Kept(fans);
    return PointsOf(pairfans);
}
