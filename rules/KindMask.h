#pragma once
#include "rules/MjKind.h"

#include <bit>
#include <cstdint>
#include <cstring>

// Sets of tile kinds as 64-bit masks, bit k for kind k: the evaluator asks "only these kinds?" and
// "all of these?" with one and, where a loop over the 34 counts would take dozens of steps.

constexpr uint64_t KindBit(int kind)
{
    return uint64_t{1} << kind;
}

// Numbered kinds of every suit with a value from lo to hi.
constexpr uint64_t ValueMask(int lo, int hi)
{
    uint64_t mask = 0;
    for (int s = 0; s < 3; s++)
        for (int v = lo; v <= hi; v++)
            mask |= KindBit(s * 9 + v - 1);
    return mask;
}

constexpr uint64_t SuitMask(int suit)
{
    return uint64_t{0x1FF} << (suit * 9);
}

constexpr uint64_t kHonourKinds = ((uint64_t{1} << MJ_KINDS) - 1) & ~((uint64_t{1} << 27) - 1);
constexpr uint64_t kWindKinds = KindBit(27) | KindBit(28) | KindBit(29) | KindBit(30);
constexpr uint64_t kDragonKinds = KindBit(31) | KindBit(32) | KindBit(33);
constexpr uint64_t kTerminalKinds = ValueMask(1, 1) | ValueMask(9, 9);
constexpr uint64_t kOrphanKinds = kTerminalKinds | kHonourKinds;

// Bit i set where bytes[i] shares a bit with `bits`, for N bytes (at most 64). Eight bytes are read
// as one little-endian word and tested together.
template <int N> [[gnu::always_inline]] inline uint64_t NonzeroBytes(const uint8_t *bytes, uint8_t bits = 0xFF)
{
    static_assert(N <= 64 && std::endian::native == std::endian::little);
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F, kHigh = 0x8080808080808080;
    const uint64_t keep = bits * uint64_t{0x0101010101010101};
    uint64_t mask = 0;
    for (int at = 0; at < N; at += 8) {
        uint64_t word = 0;
        if (N - at >= 8)
            std::memcpy(&word, bytes + at, 8);
        else
            std::memcpy(&word, bytes + at, N % 8);
        word &= keep;
        if (!word)
            continue;
        // The top bit of each byte that is not zero, those eight bits gathered into one byte.
        uint64_t high = (word | ((word & kLow7) + kLow7)) & kHigh;
        mask |= ((high >> 7) * 0x0102040810204080) >> 56 << at;
    }
    return mask;
}

// The number of kinds in a set, without a call to the library's bit count.
constexpr int CountKinds(uint64_t kinds)
{
    kinds -= (kinds >> 1) & 0x5555555555555555;
    kinds = (kinds & 0x3333333333333333) + ((kinds >> 2) & 0x3333333333333333);
    kinds = (kinds + (kinds >> 4)) & 0x0F0F0F0F0F0F0F0F;
    return static_cast<int>((kinds * 0x0101010101010101) >> 56);
}
