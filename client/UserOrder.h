#pragma once
#include <string_view>
#include <vector>

class UserList;
struct UserRow;

// The order of the lobby's user list: the own row first, users with rights next, then the column
// the player last clicked, in the direction its header shows. Equal rows keep the list's own order,
// so the order is strict and the same every time.
class UserOrder {
public:
    // The view's columns: three pictures, then name, score, level, games, win rate, escapes.
    enum Column { NAME = 3, SCORE = 4, LEVEL = 5, GAMES = 6, RATE = 7, ESCAPES = 8 };
    // The header pictures of the list's image set.
    enum Picture { PICTURE_DESCENDING = 2, PICTURE_ASCENDING = 3 };

    // A header click: the column becomes the sort column and its direction flips (score and level
    // share one). False for a column that does not sort, which changes nothing.
    bool Click(int column);
    static bool Sortable(int column) { return column >= NAME && column <= RATE; }
    int SortColumn() const { return column_; }
    bool Ascending(int column) const;

    // a goes before b.
    bool Before(const UserRow &a, const UserRow &b, std::string_view own) const;
    // The list's rows, by their index in the list, in this order.
    std::vector<int> Sorted(const UserList &list, std::string_view own) const;

private:
    int column_ = 0;
    bool nameAscending_ = true;
    bool scoreAscending_ = false;
    bool gamesAscending_ = false;
    bool rateAscending_ = false;
};
