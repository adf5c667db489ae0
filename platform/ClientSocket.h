#pragma once
#include "platform/NetSocket.h"

#include <memory>

class QTcpSocket;
class TimerService;

// A client connection on the toolkit's TCP socket. A connection still being made after the time-out
// ends with ErrorConnect; the time-out runs on the timer service, so a test clock steps it. At most
// kReadBuffer received bytes wait in the program: the rest of a flood waits in the system, which
// holds the sender back.
class ClientSocket : public NetSocket {
public:
    static constexpr int64_t kReadBuffer = 64 * 1024;

    ClientSocket(unsigned timeoutTimerId, unsigned timeoutMs);
    ~ClientSocket() override;
    ClientSocket(const ClientSocket &) = delete;
    ClientSocket &operator=(const ClientSocket &) = delete;

    // Opening while a connection is active ends that one silently. What is no host name (NotAHost)
    // fails as a name that cannot be found, from the event loop as a lookup does.
    void Open(const std::string &host, int port) override;
    void Close() override;
    bool IsActive() const override;
    bool IsConnected() const override;
    int64_t BytesAvailable() const override;
    int64_t Read(uint8_t *into, int64_t max) override;
    int64_t Write(const uint8_t *data, int64_t size) override;
    int64_t BytesToWrite() const override;
    void Flush() override;
    void ReadLater() override;

private:
    void OnSocketError(int error);
    void OnTimeout();
    // Ends the connection without the toolkit's own end signals: the caller reports the end.
    void Abort();

    std::unique_ptr<QTcpSocket> socket_;
    TimerService &timers_;
    unsigned timerId_;
    unsigned timeoutMs_;
    bool linked_ = false;  // the current connection was made
    bool badhost_ = false; // the current attempt will fail as a lookup
};
