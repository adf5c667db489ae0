#pragma once
#include "tests/kit/SessionScript.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QTcpServer;

// A stand-in game server (or proxy) on 127.0.0.1 that plays one session script per connection, step
// by step on the event loop, and stops at the first step that fails. The failure names the script
// line, the byte, the expected and the received value.
class ScriptServer {
public:
    ScriptServer();
    ~ScriptServer();
    ScriptServer(const ScriptServer &) = delete;
    ScriptServer &operator=(const ScriptServer &) = delete;

    // Port 0 takes a free port.
    bool Listen(uint16_t port = 0);
    uint16_t Port() const;
    // Queues a script for the next connection; false, with the reason, for a script it cannot read.
    bool Load(std::string_view text, std::string *error = nullptr);
    // Every connection replays the last script loaded.
    void SetLoop(bool loop) { loop_ = loop; }
    // Told of each connection's end of script: its number and the failure, empty when it passed.
    void OnSessionEnd(std::function<void(int, const std::string &)> report) { report_ = std::move(report); }

    // Every loaded script has been played to its end, and nothing failed.
    bool Done() const;
    bool Failed() const { return !failure_.empty(); }
    const std::string &Failure() const { return failure_; }
    // Every client record that an expect step took, in order (ignored ones too).
    const std::vector<std::vector<uint8_t>> &Received() const { return received_; }
    // When each of them was taken, in milliseconds of the system's steady clock (the same in every
    // process of the machine).
    const std::vector<int64_t> &ReceivedAt() const { return receivedAt_; }
    int Connections() const { return static_cast<int>(sessions_.size()); }

private:
    struct Session;
    void Accept();
    void End(const Session &s, const std::string &failure);
    void Took(const uint8_t *record);

    std::unique_ptr<QTcpServer> server_;
    std::deque<SessionScript> scripts_;
    SessionScript last_;
    bool loop_ = false;
    std::vector<std::unique_ptr<Session>> sessions_;
    std::vector<std::vector<uint8_t>> received_;
    std::vector<int64_t> receivedAt_;
    std::string failure_;
    int finished_ = 0;
    std::function<void(int, const std::string &)> report_;
};

// Runs the event loop until pred holds or ms have passed; answers pred.
bool RunUntil(const std::function<bool()> &pred, int ms);
// Runs the event loop until every call posted to it before has run, as a call posted behind them
// shows by running; false when that has not happened within ms.
bool RunPosted(int ms = 5000);
