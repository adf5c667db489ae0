#include "table/AvatarQueue.h"

bool AvatarQueue::Append(const LoadAvatar &row)
{
    std::lock_guard<std::mutex> hold(avatarqueuelock);
    if (avatarqueuenum >= kUsable)
        return false;
    avatarqueue[avatarqueuenum++] = row;
    return true;
}

bool AvatarQueue::TakeNewest(LoadAvatar &row)
{
    std::lock_guard<std::mutex> hold(avatarqueuelock);
    if (avatarqueuenum == 0)
        return false;
    row = std::move(avatarqueue[--avatarqueuenum]);
    return true;
}

int AvatarQueue::Count() const
{
    std::lock_guard<std::mutex> hold(avatarqueuelock);
    return avatarqueuenum;
}
