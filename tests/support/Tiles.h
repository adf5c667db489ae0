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
