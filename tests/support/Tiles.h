#pragma once
#include "rules/MjTile.h"

#include <stdexcept>
#include <string_view>
#include <vector>

// Tiles written as digits followed by their suit letter: "123m45p7z1f" (m characters, s bamboo,
// p dots, z honours East..White as 1-7, f flowers).
inline std::vector<MjTile> Tiles(std::string_view text)
{
    std::vector<MjTile> out;
    std::vector<int> values;
    for (char c : text) {
        if (c >= '1' && c <= '9') {
            values.push_back(c - '0');
            continue;
        }
        std::string_view suits = "mspzf";
        size_t suit = suits.find(c);
        if (suit == std::string_view::npos || values.empty())
            throw std::invalid_argument("bad tile text");
        for (int v : values)
            out.push_back(MakeMj(v, static_cast<int>(suit)));
        values.clear();
    }
    if (!values.empty())
        throw std::invalid_argument("tile text ends without a suit");
    return out;
}

inline MjTile Tile(std::string_view text)
{
    return Tiles(text).at(0);
}
