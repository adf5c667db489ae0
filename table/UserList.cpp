#include "table/UserList.h"

#include "windows/LevelTable.h"

#include <algorithm>

UserRow *UserList::Find(std::string_view name) const
{
    if (name.size() > USERNAME_BYTES)
        return nullptr;
    auto it = byname_.find(std::string(name));
    if (it == byname_.end() || it->second.empty())
        return nullptr;
    if (it->second.size() == 1)
        return it->second.front();
    // Names that repeat: the first in the list's order.
    for (const auto &row : rows_)
        if (row->name == name)
            return row.get();
    return nullptr;
}

const UserRow *UserList::FindUserItem(std::string_view name) const
{
    return Find(name);
}

int UserList::IndexOfRow(const UserRow *row) const
{
    for (size_t i = 0; i < rows_.size(); i++)
        if (rows_[i].get() == row)
            return static_cast<int>(i);
    return -1;
}

int UserList::IndexOf(std::string_view name) const
{
    const UserRow *row = Find(name);
    return row ? IndexOfRow(row) : -1;
}

void UserList::WriteCounts(UserRow &row)
{
    const UserInfo &u = row.info;
    row.columns[COL_SCORE] = std::to_string(u.score);
    row.columns[COL_LEVEL] = GetLevelTitle(u.score);
    row.columns[COL_GAMES] = std::to_string(u.games);
    row.columns[COL_RATE] = WinRate(u.wins, u.games);
    row.columns[COL_ESCAPES] = std::to_string(u.escapes);
}

int UserList::Add(const UserInfo &info, bool first)
{
    auto row = std::make_unique<UserRow>();
    row->info = info;
    row->name = BoundedName(info.name);
    row->image = info.rights > 0 ? IMAGE_MARKED : IMAGE_NONE;
    row->statusimage = IMAGE_LOBBY;
    row->faceimage = FixedFace(info.face, info.sex) + 3;
    row->columns[COL_NAME] = row->name;
    WriteCounts(*row);
    byname_[row->name].push_back(row.get());
    const int index = first ? 0 : Count();
    rows_.insert(rows_.begin() + index, std::move(row));
    if (view_)
        view_->RowInserted(index);
    return index;
}

bool UserList::Remove(std::string_view name)
{
    UserRow *row = Find(name);
    if (!row)
        return false;
    const int index = IndexOfRow(row);
    if (view_)
        view_->RowRemoved(index);
    auto &named = byname_[row->name];
    named.erase(std::find(named.begin(), named.end(), row));
    if (named.empty())
        byname_.erase(row->name);
    rows_.erase(rows_.begin() + index);
    return true;
}

const UserRow *UserList::Update(const UserInfo &info)
{
    UserRow *row = Find(BoundedName(info.name));
    if (!row)
        return nullptr;
    UserInfo &u = row->info;
    u.score = info.score;
    u.games = info.games;
    u.wins = info.wins;
    u.escapes = info.escapes;
    u.counter1 = info.counter1;
    u.counter2 = info.counter2;
    u.attable = info.attable;
    u.table = info.attable ? info.table : 0;
    u.seat = info.attable ? info.seat : 0;
    if (!u.attable)
        row->statusimage = IMAGE_LOBBY;
    WriteCounts(*row);
    Changed(row);
    return row;
}

bool UserList::SetStatus(std::string_view name, int image)
{
    UserRow *row = Find(name);
    if (!row)
        return false;
    if (row->statusimage != image) {
        row->statusimage = image;
        Changed(row);
    }
    return true;
}

void UserList::Changed(const UserRow *row)
{
    if (view_)
        view_->RowChanged(IndexOfRow(row));
}

void UserList::Clear()
{
    rows_.clear();
    byname_.clear();
    if (view_)
        view_->ListCleared();
}
