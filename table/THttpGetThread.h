#pragma once
#include "platform/HttpGet.h"
#include "platform/WorkerThread.h"

#include <atomic>
#include <memory>
#include <string>

class AvatarQueue;
struct LoadAvatar;

// The thread that fetches the queued pictures, one at a time, newest first: each is downloaded to
// a temporary file beside its target, checked against its announced digest and only then renamed
// over the target, so a reader of the target finds either the old picture or the whole new one.
// A picture larger than any the game loads, or one still arriving at its deadline, is dropped, and
// the next row gets its turn. Failures are silent: the row is dropped and nothing is left behind (a
// rename that fails leaves the temporary file). The destructor stops the thread, aborting a download
// in flight, and waits for it; the queue must outlive the thread.
class THttpGetThread {
public:
    static constexpr int kDeadlineMs = 120000;

    explicit THttpGetThread(AvatarQueue &queue, int timeoutMs = HttpGet::kTransferTimeoutMs,
                            int deadlineMs = kDeadlineMs);
    ~THttpGetThread();
    THttpGetThread(const THttpGetThread &) = delete;
    THttpGetThread &operator=(const THttpGetThread &) = delete;

    // The temporary file of a row: its id in the target's folder.
    static std::string TempPath(const LoadAvatar &row);

private:
    void Execute();
    void Download(HttpGet &http, const LoadAvatar &row);

    AvatarQueue &queue;
    const int timeoutMs;
    const int deadlineMs;
    std::atomic<bool> avatarstop{false};
    std::unique_ptr<WorkerThread> thread;
};
