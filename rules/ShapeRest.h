#pragma once
#include "rules/HandCount.h"
#include "rules/MjTile.h"

#include <bit>
#include <cstdint>

// The tiles a robot's hand search has still to place, as copies per kind. Kinds are numbered
// suit * 10 + value, so rising numbers follow the hand's sort order and a chow is three
// neighbouring numbers. Besides the counts it keeps two masks of kinds, those with a copy left and
// those with three or more, so that the head and the tiles no set can hold are a few bit operations
// away: the searches ask for them at every step.
class ShapeRest {
public:
    static constexpr int kKinds = 50;

    static MjTile TileOf(int kind) { return MakeMj(kind % 10, kind / 10); }

    // Returns how many tiles there are to place: those of the five suits.
    int Start(const MjTile *tiles, int n)
    {
        *this = ShapeRest{};
        int left = 0;
        for (int i = 0; i < n; i++) {
            if (!HasKindSlot(tiles[i].value, tiles[i].suit))
                continue;
            Put(tiles[i].suit * 10 + tiles[i].value);
            left++;
        }
        return left;
    }

    // The lowest kind left; only asked while tiles are left.
    int Head() const { return std::countr_zero(kinds); }
    bool Holds(int kind, int copies) const { return count[kind] >= copies; }
    // A partial of the head and the tile gap above it, in one numbered suit.
    bool CanPartial(int head, int gap) const { return (kinds >> gap & Lows(gap)) >> head & 1; }
    // A chow of the head and the two tiles above it.
    bool CanChow(int head) const { return ChowLows() >> head & 1; }

    void Take(int kind)
    {
        count[kind]--;
        if (count[kind] == 0)
            kinds &= ~Bit(kind);
        else if (count[kind] == 2)
            triples &= ~Bit(kind);
    }
    void Put(int kind)
    {
        count[kind]++;
        if (count[kind] == 1)
            kinds |= Bit(kind);
        else if (count[kind] == 3)
            triples |= Bit(kind);
    }

    // True when more than budget of the tiles left belong to no chow or pung they could form: each
    // such tile adds one to the length of every reading of the rest.
    bool MoreStranded(int budget) const
    {
        uint64_t lows = ChowLows();
        uint64_t stranded = kinds & ~(lows | lows << 1 | lows << 2 | triples);
        int tiles = 0;
        for (; stranded && tiles <= budget; stranded &= stranded - 1)
            tiles += count[std::countr_zero(stranded)];
        return tiles > budget;
    }

private:
    static constexpr uint64_t Bit(int kind) { return uint64_t{1} << kind; }
    // Kinds that can start a group with a tile gap above: values 0 to 9 - gap of the three
    // numbered suits, as the searches allow.
    static constexpr uint64_t Lows(int gap)
    {
        uint64_t suit = (uint64_t{1} << (10 - gap)) - 1;
        return suit | suit << 10 | suit << 20;
    }
    // The kinds left that start a chow of the tiles left.
    uint64_t ChowLows() const { return kinds & kinds >> 1 & kinds >> 2 & Lows(2); }

    uint8_t count[kKinds] = {};
    uint64_t kinds = 0;
    uint64_t triples = 0;
};
