// Users' pictures: the server's announcements, the choice of what to fetch and the queue that the
// download thread serves.
#include "table/CMj.h"

#include "platform/FileMd5.h"
#include "platform/Paths.h"
#include "rules/CLog.h"
#include "screen/GifSurface.h"
#include "table/THttpGetThread.h"
#include "windows/CNetRoom.h"

#include <algorithm>

namespace {

// A file is current when it holds exactly the announced picture.
bool IsCurrent(const std::string &path, const std::string &md5)
{
    const std::string digest = FileMd5Hex(path);
    return !digest.empty() && digest == md5;
}

const GetAvatar *FindByName(const std::vector<GetAvatar> &list, const std::string &name)
{
    auto it = std::find_if(list.begin(), list.end(), [&](const GetAvatar &a) { return a.name == name; });
    return it == list.end() ? nullptr : &*it;
}

} // namespace

std::string CMj::AvatarPath(int32_t id)
{
    return Paths::Resolve("Avatar\\" + std::to_string(id) + ".gif");
}

void CMj::OnAvatarInfo(const GameMsg &msg)
{
    const AvatarInfo info = ReadAvatarInfo(msg);
    const GetAvatar &rec = info.avatar;
    if (info.isdefault) {
        // The default pictures are renewed whenever the server has another one; they are not
        // remembered as requested.
        const std::string path = Paths::Resolve(info.male ? "male.gif" : "female.gif");
        if (!IsCurrent(path, rec.md5))
            avatarqueue.Append({rec.id, rec.name, rec.md5, rec.address, path});
        return;
    }
    if (FindByName(knownavatars, rec.name))
        return;
    knownavatars.push_back(rec);
    // Other users' pictures are fetched when something first shows them.
    if (rec.name != myaccount)
        return;
    if ((IsCurrent(AvatarPath(rec.id), rec.md5) || QueueAvatar(rec)) && IsGifFileOk(AvatarPath(rec.id)) && lobby)
        lobby->LoadAvatar(true);
}

bool CMj::QueueAvatar(const GetAvatar &rec)
{
    const std::string path = AvatarPath(rec.id);
    if (IsCurrent(path, rec.md5))
        return true;
    if (FindByName(requestedavatars, rec.name))
        return false;
    // Remembered even when the queue is full: it is not asked for again while the connection lasts.
    requestedavatars.push_back(rec);
    if (!avatarqueue.Append({rec.id, rec.name, rec.md5, rec.address, path}))
        g_log.Trace("QueueAvatar: the queue is full, %s waits for the next login.", rec.name.c_str());
    return false;
}

bool CMj::CheckAvatar(int32_t id)
{
    auto it = std::find_if(knownavatars.begin(), knownavatars.end(), [&](const GetAvatar &a) { return a.id == id; });
    if (it == knownavatars.end())
        return false;
    return QueueAvatar(*it);
}

std::string CMj::AvatarFile(int32_t id)
{
    const std::string path = AvatarPath(id);
    return CheckAvatar(id) && IsGifFileOk(path) ? path : std::string();
}

void CMj::StartAvatarThread()
{
    if (!avatarthread && fetchavatars)
        avatarthread = std::make_unique<THttpGetThread>(avatarqueue, avatartimeoutms);
}
