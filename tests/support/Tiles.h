#pragma once
#include "rules/HandNotation.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Tiles for a test, in the hand notation: "123m45p7z1f". A typo fails the test loudly.
inline std::vector<MjTile> Tiles(std::string_view text)
{
    std::vector<MjTile> tiles;
    if (std::string err = ParseTiles(text, &tiles); !err.empty())
        throw std::invalid_argument(std::string(text) + ": " + err);
    return tiles;
}

inline MjTile Tile(std::string_view text)
{
    return Tiles(text).at(0);
}

// Tiles written back one by one, "1m1m9p", so that a failed comparison shows them.
inline std::string Text(const std::vector<MjTile> &tiles)
{
    std::string out;
    for (MjTile t : tiles)
        out += std::to_string(t.value) + (t.suit >= 0 && t.suit <= 4 ? "mspzf"[t.suit] : '?');
    return out;
}
