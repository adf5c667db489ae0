#pragma once
#include "table/LobbyRecords.h"

class UserList;

// The hundred tables of the entered room, as the server's records give them, six to a page of the
// lobby. Indexes outside 0-99 are refused everywhere: the lobby's last page has room for 102.
class TableStore {
public:
    static constexpr int kPerPage = 6;
    static constexpr int kPages = (kTableCount + kPerPage - 1) / kPerPage; // 17, the last one short

    TableStore() = default;

    // Keeps the record; each taken seat's face is its listed user's picture - 1, 0 for a user not
    // listed or a picture out of range. False for an index outside 0-99.
    bool SetTable(int index, const TableInfo &record, const UserList &users);
    // The table, or null (with a trace) outside 0-99.
    const TableInfo *GetTable(int index) const;
    // Every table empty and waiting.
    void ClearTables();
    // The seats free at a table that waits; -1 for a playing table or no table.
    int FreeSeats(int index) const;
    static bool IsTable(int index) { return index >= 0 && index < kTableCount; }
    static bool OnPage(int index, int page) { return index >= page * kPerPage && index < (page + 1) * kPerPage; }

private:
    TableInfo tables_[kTableCount] = {};
};
