#include "table/UserList.h"

#include "windows/LevelTable.h"

UserRow *UserList::Find(std::string_view name) const
{
    if (name.size() > USERNAME_BYTES)
        return nullptr;
    const auto it = byname_.find(name);
    return it == byname_.end() ? nullptr : it->second.rows[it->second.gone].get();
}

const UserRow *UserList::FindUserItem(std::string_view name) const
{
    return Find(name);
}

int UserList::IndexOf(std::string_view name) const
{
    const UserRow *row = Find(name);
    return row ? order_.IndexOf(row) : -1;
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
    auto made = std::make_unique<UserRow>();
    UserRow *row = made.get();
    row->info = info;
    row->name = BoundedName(info.name);
    row->image = info.rights > 0 ? IMAGE_MARKED : IMAGE_NONE;
    row->statusimage = IMAGE_LOBBY;
    row->faceimage = FixedFace(info.face, info.sex) + 3;
    row->columns[COL_NAME] = row->name;
    WriteCounts(*row);
    Named &named = byname_[row->name];
    if (!first) {
        named.rows.push_back(std::move(made));
        order_.Append(row);
    } else {
        if (named.gone > 0)
            named.rows[--named.gone] = std::move(made);
        else
            named.rows.insert(named.rows.begin(), std::move(made));
        order_.Prepend(row);
    }
    const int index = first ? 0 : Count() - 1;
    if (view_)
        view_->RowInserted(index);
    return index;
}

bool UserList::Remove(std::string_view name)
{
    const auto it = byname_.find(name);
    if (it == byname_.end())
        return false;
    Named &named = it->second;
    const UserRow *row = named.rows[named.gone].get();
    if (view_)
        view_->RowRemoved(order_.IndexOf(row));
    order_.Remove(row);
    named.rows[named.gone++].reset();
    if (named.gone == named.rows.size())
        byname_.erase(it);
    else if (named.gone * 2 >= named.rows.size()) {
        named.rows.erase(named.rows.begin(), named.rows.begin() + static_cast<std::ptrdiff_t>(named.gone));
        named.gone = 0;
    }
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
        view_->RowChanged(order_.IndexOf(row));
}

void UserList::Clear()
{
    order_.Clear();
    byname_.clear();
    if (view_)
        view_->ListCleared();
}
