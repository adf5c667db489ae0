#pragma once
#include <string>
#include <vector>

class CMj;

// Checks that a local hand in play is consistent: each of the 144 tiles is somewhere, once (by the
// counting rule saved games are held to), every seat has seen what the table shows, each seat holds
// what its turn allows, and the scores keep their sum. Used by the tests
// and by the self-play driver after every step. Online only the bounds apply: the server keeps the
// tiles, and the client sees few of them.
class TableAudit {
public:
    explicit TableAudit(int scoreTotal) : scoreTotal_(scoreTotal) {}
    // An audit that holds the scores to the sum they have now.
    static TableAudit Of(const CMj &mj);

    // The broken rules found now, one line each; empty when the table is sound.
    std::vector<std::string> Check(const CMj &mj) const;

    // What must hold whatever a server sends: every count within its array, every index within its
    // range, every tile a record wrote real (or face down). One line for each broken bound.
    static std::vector<std::string> Bounds(const CMj &mj);

private:
    int scoreTotal_;
};
