#pragma once
#include "table/LobbyRecords.h"

// A user of the room as the server's records list him, built up field by field.
struct ListedUser {
    explicit ListedUser(const char *name)
    {
        PutName(info.name, name);
        info.face = 1;
    }
    ListedUser &Score(int32_t score)
    {
        info.score = score;
        return *this;
    }
    ListedUser &Games(int32_t games, int32_t wins)
    {
        info.games = games;
        info.wins = wins;
        return *this;
    }
    // At the table of that number, counted from 1.
    ListedUser &AtTable(int table)
    {
        info.attable = 1;
        info.table = static_cast<uint8_t>(table);
        return *this;
    }
    ListedUser &Rights(int8_t rights)
    {
        info.rights = rights;
        return *this;
    }
    operator const UserInfo &() const { return info; }

    UserInfo info{};
};
