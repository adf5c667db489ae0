#pragma once
#include "table/ServerRecords.h"

#include <cstddef>
#include <string>
#include <unordered_map>

// The users' pictures announced since the login, one per name: the first announcement of a name
// holds. Found by name, or by id (the first name announced with it), without a walk through them
// all, however many the server announces.
class KnownAvatars {
public:
    // False, keeping nothing, when the name was announced already.
    bool Add(const GetAvatar &rec);
    const GetAvatar *ByName(const std::string &name) const;
    GetAvatar *ById(int32_t id);
    size_t Size() const { return byname_.size(); }
    bool Empty() const { return byname_.empty(); }
    void Clear();

private:
    std::unordered_map<std::string, GetAvatar> byname_;
    std::unordered_map<int32_t, std::string> byid_;
};
