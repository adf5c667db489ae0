#pragma once
#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <vector>

class QThread;

// The scripted server on a thread of its own, as a real server is a process of its own: it writes as
// fast as the connection takes its bytes whatever the test's thread is doing, so that a flood waits
// in the system while the program is busy, not in the server's event loop behind the program's.
class ScriptServerThread {
public:
    // What the server did, once it has stopped.
    struct Outcome {
        bool done = false;    // every step matched
        std::string failure;  // else the first that did not, or why it never listened
        std::vector<std::vector<uint8_t>> received;
        std::vector<int64_t> receivedAt; // steady-clock milliseconds, as ScriptServer::ReceivedAt
    };

    explicit ScriptServerThread(const std::string &script);
    ~ScriptServerThread();
    ScriptServerThread(const ScriptServerThread &) = delete;
    ScriptServerThread &operator=(const ScriptServerThread &) = delete;

    // The port it listens on; 0 when the script could not be read or no port taken.
    uint16_t Port() const { return port_; }
    // Stops the server (once) and answers what it did.
    const Outcome &Stop();

private:
    void Run(const std::string &script, std::promise<uint16_t> listening);

    std::atomic<bool> stop_{false};
    uint16_t port_ = 0;
    Outcome outcome_;
    std::unique_ptr<QThread> thread_;
};
