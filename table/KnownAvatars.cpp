#include "table/KnownAvatars.h"

bool KnownAvatars::Add(const GetAvatar &rec)
{
    if (!byname_.emplace(rec.name, rec).second)
        return false;
    byid_.emplace(rec.id, rec.name);
    return true;
}

GetAvatar *KnownAvatars::ById(int32_t id)
{
    auto it = byid_.find(id);
    return it == byid_.end() ? nullptr : &byname_.at(it->second);
}

void KnownAvatars::Clear()
{
    byname_.clear();
    byid_.clear();
}
