#include "table/TableStore.h"

#include "rules/CLog.h"
#include "table/UserList.h"

#include <cstring>

bool TableStore::SetTable(int index, const TableInfo &record, const UserList &users)
{
    if (!IsTable(index)) {
        g_log.Trace("错误的桌子号 %d.", index);
        return false;
    }
    TableInfo &t = tables_[index];
    t = record;
    for (int seat = 0; seat < 4; seat++) {
        if (t.state[seat] == 0)
            continue;
        const UserRow *row = users.FindUserItem(BoundedName(t.name[seat]));
        const int face = row ? row->info.face - 1 : 0;
        t.face[seat] = face >= 0 && face <= 11 ? static_cast<uint8_t>(face) : 0;
    }
    return true;
}

const TableInfo *TableStore::GetTable(int index) const
{
    if (!IsTable(index)) {
        g_log.Trace("GetTable: no table %d.", index);
        return nullptr;
    }
    return &tables_[index];
}

void TableStore::ClearTables()
{
    for (TableInfo &t : tables_) {
        t.playing = 0;
        std::memset(t.state, 0, sizeof t.state);
    }
}

int TableStore::FreeSeats(int index) const
{
    if (!IsTable(index) || tables_[index].playing)
        return -1;
    int free = 0;
    for (uint8_t state : tables_[index].state)
        free += state == 0;
    return free;
}
