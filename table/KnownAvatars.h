#pragma once
#include "table/ServerRecords.h"

#include <string>
#include <unordered_map>

// The users' pictures announced since the login, one per name: the first announcement of a name
// holds. Found by id (the first name announced with it) without a walk through them all, however
// many the server announces.
class KnownAvatars {
public:
    // False, keeping nothing, when the name was announced already.
    bool Add(const GetAvatar &rec);
    GetAvatar *ById(int32_t id);
    void Clear();

private:
    std::unordered_map<std::string, GetAvatar> byname_;
    std::unordered_map<int32_t, std::string> byid_;
};
