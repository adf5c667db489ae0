#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CMj;

// Checks that a local hand in play is consistent: each of the 144 tiles is somewhere, once (by the
// counting rule saved games are held to), every seat has seen what the table shows, each seat holds
// what its turn allows, and the scores keep their sum. Used by the tests
// and by the self-play driver after every step. Online only the bounds apply: the server keeps the
// tiles, and the client sees few of them.
// Most steps are timer ticks that move no tile, so an audit kept from step to step counts the tiles
// again only when a field they are counted from has changed since its last check.
class TableAudit {
public:
    explicit TableAudit(int scoreTotal) : scoreTotal_(scoreTotal) {}
    // An audit that holds the scores to the sum they have now.
    static TableAudit Of(const CMj &mj);

    // The broken rules found now, one line each; empty when the table is sound.
    std::vector<std::string> Check(const CMj &mj);

    // What must hold whatever a server sends: every count within its array, every index within its
    // range, every tile a record wrote real (or face down). One line for each broken bound.
    static std::vector<std::string> Bounds(const CMj &mj);

private:
    // The fields the tile rules read, as bytes: the wall, every seat's tiles and counts, the seen
    // counts, and what says which tiles are on their way.
    struct TileInputs {
        static constexpr size_t kCapacity = 2048;
        uint8_t bytes[kCapacity];
        size_t size = 0;
    };

    int scoreTotal_;
    TileInputs counted_; // what the tile rules last found tileRules_ from
    bool haveCounted_ = false;
    std::vector<std::string> tileRules_;
};
