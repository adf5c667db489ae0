#pragma once
#include "rules/FanTable.h"

#include <array>
#include <bit>
#include <cstdint>

// A set of fans 0-89 as bits: fans 0-63 in the first word, 64-89 in the second. The exclusion
// rules and the shapes whose fans are known without a look at the flag bytes work on these.
using FanBits = std::array<uint64_t, 2>;

constexpr void AddFan(FanBits &bits, int fan)
{
    bits[fan / 64] |= uint64_t{1} << (fan % 64);
}

constexpr bool HasFan(const FanBits &bits, int fan)
{
    return (bits[fan / 64] >> (fan % 64)) & 1;
}

// Sets are added to in place, a word at a time: a set built by word stores and read back as one
// wide load would wait for the stores to drain.
constexpr void AddFans(FanBits &bits, const FanBits &more)
{
    bits[0] |= more[0];
    bits[1] |= more[1];
}

// Calls each(fan) for every fan of the set, in rising order.
template <typename Each> void ForEachFan(const FanBits &bits, Each each)
{
    for (uint64_t m = bits[0]; m; m &= m - 1)
        each(std::countr_zero(m));
    for (uint64_t m = bits[1]; m; m &= m - 1)
        each(64 + std::countr_zero(m));
}

// Sets the flag byte of every fan of the set.
inline void SetFanFlags(uint8_t *flags, const FanBits &bits)
{
    ForEachFan(bits, [flags](int fan) { flags[fan] = 1; });
}
