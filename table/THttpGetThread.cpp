#include "table/THttpGetThread.h"

#include "platform/FileMd5.h"
#include "screen/GifSurface.h"
#include "table/AvatarQueue.h"

#include <cstdio>
#include <filesystem>

THttpGetThread::THttpGetThread(AvatarQueue &q, int timeout, int deadline)
    : queue(q), timeoutMs(timeout), deadlineMs(deadline)
{
    thread = std::make_unique<WorkerThread>([this] { Execute(); });
}

THttpGetThread::~THttpGetThread()
{
    avatarstop = true;
    thread.reset();
}

std::string THttpGetThread::TempPath(const LoadAvatar &row)
{
    return (std::filesystem::path(row.path).parent_path() / (std::to_string(row.id) + ".tmp")).string();
}

void THttpGetThread::Execute()
{
    // Made here: the downloads run on this thread's own event loop.
    HttpGet http;
    http.SetTransferTimeout(timeoutMs);
    // A server trickling a picture would otherwise hold every other picture back.
    http.SetDeadline(deadlineMs);
    // Nothing larger is ever loaded: a server sending more fills no disk.
    http.SetMaxBytes(static_cast<int64_t>(kMaxGifBytes));
    while (!avatarstop) {
        LoadAvatar row;
        if (queue.TakeNewest(row))
            Download(http, row);
        else
            WorkerThread::RunEvents(10);
    }
}

void THttpGetThread::Download(HttpGet &http, const LoadAvatar &row)
{
    const std::string tmp = TempPath(row);
    if (http.Fetch("http://" + row.address, tmp, [this] { return avatarstop.load(); }) != HttpGet::Result::Ok)
        return;
    // The digest is compared as the server wrote it: upper-case digits only.
    if (FileMd5Hex(tmp) != row.md5) {
        std::remove(tmp.c_str());
        return;
    }
    std::rename(tmp.c_str(), row.path.c_str());
}
