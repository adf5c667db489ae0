#include "client/UserOrder.h"

#include "table/UserList.h"

#include <algorithm>
#include <numeric>

namespace {

// a goes before b by a value that sorts in the given direction.
template <typename T> bool Precedes(const T &a, const T &b, bool ascending)
{
    return ascending ? a < b : b < a;
}

} // namespace

bool UserOrder::Click(int column)
{
    if (!Sortable(column))
        return false;
    column_ = column;
    switch (column) {
    case NAME: nameAscending_ = !nameAscending_; break;
    case SCORE:
    case LEVEL: scoreAscending_ = !scoreAscending_; break;
    case GAMES: gamesAscending_ = !gamesAscending_; break;
    case RATE: rateAscending_ = !rateAscending_; break;
    }
    return true;
}

bool UserOrder::Ascending(int column) const
{
    switch (column) {
    case NAME: return nameAscending_;
    case SCORE:
    case LEVEL: return scoreAscending_;
    case GAMES: return gamesAscending_;
    case RATE: return rateAscending_;
    default: return false;
    }
}

bool UserOrder::Before(const UserRow &a, const UserRow &b, std::string_view own) const
{
    const bool aOwn = a.name == own, bOwn = b.name == own;
    if (aOwn != bOwn)
        return aOwn;
    const bool aMarked = a.info.rights > 0, bMarked = b.info.rights > 0;
    if (aMarked != bMarked)
        return aMarked;
    const bool up = Ascending(column_);
    switch (column_) {
    case NAME: return Precedes(a.name, b.name, up); // byte by byte, as the server's names are
    case SCORE:
    case LEVEL: return Precedes(a.info.score, b.info.score, up);
    case GAMES: return Precedes(a.info.games, b.info.games, up);
    case RATE:
        return Precedes(WinPercent(a.info.wins, a.info.games), WinPercent(b.info.wins, b.info.games), up);
    default: return false;
    }
}

std::vector<int> UserOrder::Sorted(const UserList &list, std::string_view own) const
{
    std::vector<int> rows(list.Count());
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(),
                     [&](int a, int b) { return Before(list.Row(a), list.Row(b), own); });
    return rows;
}
