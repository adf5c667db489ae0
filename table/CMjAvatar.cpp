// Users' pictures: the server's announcements, the choice of what to fetch and the queue that the
// download thread serves.
#include "table/CMj.h"

#include "platform/FileMd5.h"
#include "platform/Paths.h"
#include "rules/CLog.h"
#include "screen/GifSurface.h"
#include "table/THttpGetThread.h"
#include "windows/CNetRoom.h"

#include <filesystem>

namespace {

// A file is current when it holds exactly the announced picture. One larger than any picture the
// program loads is not read at all: its digest would cost the game its pace for nothing.
bool IsCurrent(const std::string &path, const std::string &md5)
{
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxGifBytes)
        return false;
    const std::string digest = FileMd5Hex(path);
    return !digest.empty() && digest == md5;
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
    if (!knownavatars.Add(rec))
        return;
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
    // Remembered even when the queue is full: it is not asked for again while the connection lasts.
    if (!requestedavatars.insert(rec.name).second)
        return false;
    if (!avatarqueue.Append({rec.id, rec.name, rec.md5, rec.address, path}))
        g_log.Trace("QueueAvatar: the queue is full, %s waits for the next login.", rec.name.c_str());
    return false;
}

bool CMj::CheckAvatar(int32_t id)
{
    const GetAvatar *known = knownavatars.ById(id);
    return known && QueueAvatar(*known);
}

std::string CMj::AvatarFile(int32_t id)
{
    const std::string path = AvatarPath(id);
    return CheckAvatar(id) && IsGifFileOk(path) ? path : std::string();
}

void CMj::StartAvatarThread()
{
    if (!avatarthread && fetchavatars)
        avatarthread = std::make_unique<THttpGetThread>(avatarqueue);
}
