#pragma once
#include <cstdint>

// The fan catalogue: 1-81 are the national-standard fans in the standard order, 82-88 the
// program's own one-point fans; 0 and 89 are unused. Extra fans 0-19 stand beside them (0-6 used,
// wild-tile rule only) and have English names only.
enum Fan : uint8_t {
    FAN_BIG_FOUR_WINDS = 1,
    FAN_BIG_THREE_DRAGONS,
    FAN_ALL_GREEN,
    FAN_NINE_GATES,
    FAN_FOUR_KONGS,
    FAN_SEVEN_SHIFTED_PAIRS,
    FAN_THIRTEEN_ORPHANS,
    FAN_ALL_TERMINALS,
    FAN_LITTLE_FOUR_WINDS,
    FAN_LITTLE_THREE_DRAGONS, // 10
    FAN_ALL_HONOURS,
    FAN_FOUR_CONCEALED_PUNGS,
    FAN_PURE_TERMINAL_CHOWS,
    FAN_QUADRUPLE_CHOW,
    FAN_FOUR_PURE_SHIFTED_PUNGS,
    FAN_FOUR_PURE_SHIFTED_CHOWS,
    FAN_THREE_KONGS,
    FAN_ALL_TERMINALS_AND_HONOURS,
    FAN_SEVEN_PAIRS,
    FAN_GREATER_HONOURS_KNITTED, // 20
    FAN_ALL_EVEN_PUNGS,
    FAN_FULL_FLUSH,
    FAN_PURE_TRIPLE_CHOW,
    FAN_PURE_SHIFTED_PUNGS,
    FAN_UPPER_TILES,
    FAN_MIDDLE_TILES,
    FAN_LOWER_TILES,
    FAN_PURE_STRAIGHT,
    FAN_THREE_SUITED_TERMINAL_CHOWS,
    FAN_PURE_SHIFTED_CHOWS, // 30
    FAN_ALL_FIVES,
    FAN_TRIPLE_PUNG,
    FAN_THREE_CONCEALED_PUNGS,
    FAN_LESSER_HONOURS_KNITTED,
    FAN_KNITTED_STRAIGHT,
    FAN_UPPER_FOUR,
    FAN_LOWER_FOUR,
    FAN_BIG_THREE_WINDS,
    FAN_MIXED_STRAIGHT,
    FAN_REVERSIBLE_TILES, // 40
    FAN_MIXED_TRIPLE_CHOW,
    FAN_MIXED_SHIFTED_PUNGS,
    FAN_CHICKEN_HAND,
    FAN_LAST_TILE_DRAW,
    FAN_LAST_TILE_CLAIM,
    FAN_OUT_WITH_REPLACEMENT,
    FAN_ROBBING_THE_KONG,
    FAN_ALL_PUNGS,
    FAN_HALF_FLUSH,
    FAN_MIXED_SHIFTED_CHOWS, // 50
    FAN_ALL_TYPES,
    FAN_MELDED_HAND,
    FAN_TWO_CONCEALED_KONGS,
    FAN_TWO_DRAGON_PUNGS,
    FAN_OUTSIDE_HAND,
    FAN_FULLY_CONCEALED,
    FAN_TWO_MELDED_KONGS,
    FAN_LAST_OF_KIND,
    FAN_DRAGON_PUNG,
    FAN_PREVALENT_WIND, // 60
    FAN_SEAT_WIND,
    FAN_CONCEALED_HAND,
    FAN_ALL_CHOWS,
    FAN_TILE_HOG,
    FAN_DOUBLE_PUNG,
    FAN_TWO_CONCEALED_PUNGS,
    FAN_CONCEALED_KONG,
    FAN_ALL_SIMPLES,
    FAN_PURE_DOUBLE_CHOW,
    FAN_MIXED_DOUBLE_CHOW, // 70
    FAN_SHORT_STRAIGHT,
    FAN_TWO_TERMINAL_CHOWS,
    FAN_PUNG_OF_TERMINALS,
    FAN_MELDED_KONG,
    FAN_ONE_VOIDED_SUIT,
    FAN_NO_HONOURS,
    FAN_EDGE_WAIT,
    FAN_CLOSED_WAIT,
    FAN_SINGLE_WAIT,
    FAN_SELF_DRAWN, // 80
    FAN_FLOWERS,
    FAN_HEAVENLY_HAND,
    FAN_EARTHLY_HAND,
    FAN_HUMAN_HAND,
    FAN_FOUR_FORTUNES,
    FAN_258_PAIR,
    FAN_TERMINAL_PAIR,
    FAN_READY_DECLARED, // 88
};

enum ExtraFan : uint8_t {
    EXTRA_MIXED_FOUR_SHIFTED_PUNGS = 0,
    EXTRA_MIXED_FOUR_SHIFTED_CHOWS,
    EXTRA_MIXED_THREE_SHIFTED_PUNGS,
    EXTRA_MIXED_THREE_SHIFTED_CHOWS,
    EXTRA_NO_WILD,
    EXTRA_TWO_SUIT_STRAIGHT,
    EXTRA_STANDING,
};

constexpr int FAN_COUNT = 90;       // fan indexes 0-89
constexpr int EXTRA_FAN_COUNT = 20; // extra fans 0-19
constexpr int EXTRA_FAN_USED = 7;   // extra fans 0-6

extern const char *const kFanNamesCn[FAN_COUNT];
extern const char *const kFanNamesEn[FAN_COUNT];
extern const char *const kExtraFanNamesEn[EXTRA_FAN_COUNT];

// Points of one fan by its band of indexes (0 for 0 and 89; fan 81 is worth the flower count,
// which the caller adds).
constexpr int FanPoints(int fan)
{
    constexpr struct { int last, points; } kBands[] = {
        {7, 88}, {13, 64}, {15, 48}, {18, 32}, {27, 24}, {33, 16}, {38, 12}, {47, 8}, {54, 6}, {58, 4}, {68, 2}, {88, 1},
    };
    if (fan < 1)
        return 0;
    for (const auto &band : kBands)
        if (fan <= band.last)
            return band.points;
    return 0;
}

// Only the first extra fan present counts (0 before 1 before 2 ...).
constexpr int ExtraFanPoints(int extra)
{
    constexpr int kPoints[EXTRA_FAN_USED] = {6, 4, 4, 2, 2, 2, 2};
    return extra >= 0 && extra < EXTRA_FAN_USED ? kPoints[extra] : 0;
}
