#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// One HTTP download at a time, from a URL into a file, on the thread that made the object; that
// thread's event loop must run meanwhile (Fetch runs one of its own). The body is written to the file
// as it arrives, every write checked, and the file is removed again whenever the download does not
// end whole: an HTTP error (a 404 body is no download), a connection cut short, a body shorter than
// its declared length, a failed write, a transfer that stalls past the time-out, one that outlasts
// its deadline, a body over the size limit, an abort. Whatever ends a download closes its connection
// at once: nothing more is read, and no more than kReadBuffer bytes of it are ever held in memory.
// A file left at the path after success is the complete body. Downloads use the system's web proxy
// settings, as the user's browser does.
class HttpGet {
public:
    enum class Result { Ok, Failed, Aborted };
    static constexpr int kTransferTimeoutMs = 30000;
    static constexpr int64_t kReadBuffer = 64 * 1024;

    HttpGet();
    // A download still running is aborted without a word to onFinished, and its file removed.
    ~HttpGet();
    HttpGet(const HttpGet &) = delete;
    HttpGet &operator=(const HttpGet &) = delete;

    // A transfer that receives nothing for this long fails.
    void SetTransferTimeout(int ms);
    // A download that has not ended this long after its start fails, however steadily it receives;
    // 0: no deadline.
    void SetDeadline(int ms);
    // A body larger than this fails as soon as it is known to be: by its declared length, before any
    // of it is read, or as it arrives; 0: no limit.
    void SetMaxBytes(int64_t bytes);

    // The server has answered (its headers arrived).
    std::function<void()> onConnect;
    // Bytes received so far and the declared total, -1 when the server declared none.
    std::function<void(int64_t received, int64_t total)> onProgress;
    // The download has ended; why says what failed. Called once for each started download.
    std::function<void(Result result, const std::string &why)> onFinished;

    // Starts a download. False, with no callback, when one is running already or the file cannot be
    // created (why tells). The file is made afresh: whatever stood at the path, a link included, is
    // replaced, never written through.
    bool Start(const std::string &url, const std::string &path, std::string *why = nullptr);
    // Ends the running download; onFinished hears Aborted.
    void Abort();
    bool Busy() const;

    // A whole download in a local event loop, for a thread that does nothing else; stop is asked
    // every 10 ms and aborts the download when it answers true.
    Result Fetch(const std::string &url, const std::string &path, const std::function<bool()> &stop,
                 std::string *why = nullptr);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
