#pragma once
#include <cstdint>
#include <string_view>

// The level titles of "level.txt": up to 50 rows of a title and a score, in rising order of score.
// The lobby, the main window's user list, the table's seat texts and the record handlers name a
// player's level with GetLevelTitle.
constexpr int kLevelRows = 50;
constexpr int kLevelTitleBytes = 20; // with the terminator

struct LevelRow {
    char title[kLevelTitleBytes];
    int32_t score;
};

extern LevelRow leveltable[kLevelRows];
extern int levelcount;

// Empties the table and reads pairs of a title and a number, separated by white space, until the
// file ends or the table is full. A missing file leaves the table empty. A title is one word of at
// most 19 bytes: a longer one is cut on a character boundary. A number beyond the int range is
// clamped to it; a word that is no number leaves its title uncounted and is read as the next title.
void LoadLevelTable(std::string_view path);
// The title of the first row whose score is at least the given one; else the last row's; "" for an
// empty table.
const char *GetLevelTitle(int score);
