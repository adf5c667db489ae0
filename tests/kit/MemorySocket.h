#pragma once
#include "platform/NetSocket.h"

#include <string>
#include <vector>

// A connection with nothing behind it: the test plays the server (connects, hands over bytes,
// closes, fails) and reads what the client wrote. Stalled, it takes nothing for sending, like a
// server that stopped reading. A Close that owes a Disconnect, and a read asked for later, wait
// until DeliverQueued, as the event loop would.
class MemorySocket : public NetSocket {
public:
    void Open(const std::string &host, int port) override;
    void Close() override;
    bool IsActive() const override { return active_; }
    bool IsConnected() const override { return connected_; }
    int64_t BytesAvailable() const override { return static_cast<int64_t>(inbox_.size() - readPos_); }
    int64_t Read(uint8_t *into, int64_t max) override;
    int64_t Write(const uint8_t *data, int64_t size) override;
    int64_t BytesToWrite() const override { return static_cast<int64_t>(queued_.size()); }
    void Flush() override {}
    void ReadLater() override { owesRead_ = true; }

    // The server's side.
    void Accept();
    // Bytes arrive and the client is told; ReadChunk caps what one Read hands over (0: no cap).
    void Feed(const uint8_t *data, size_t size);
    void Feed(const std::vector<uint8_t> &bytes) { Feed(bytes.data(), bytes.size()); }
    void SetReadChunk(size_t chunk) { readChunk_ = chunk; }
    void ServerCloses();
    void Fail(ErrorKind kind);
    void SetStalled(bool stalled) { stalled_ = stalled; }
    // Runs what the event loop owes, until it owes nothing.
    void DeliverQueued();

    const std::string &Host() const { return host_; }
    int Port() const { return port_; }
    // Every byte the client wrote that was taken, in order.
    const std::vector<uint8_t> &Written() const { return written_; }
    void ClearWritten() { written_.clear(); }

private:
    std::string host_;
    int port_ = 0;
    bool active_ = false;
    bool connected_ = false;
    bool stalled_ = false;
    bool owesDisconnect_ = false;
    bool owesRead_ = false;
    size_t readChunk_ = 0;
    std::vector<uint8_t> inbox_;
    size_t readPos_ = 0;
    std::vector<uint8_t> queued_;
    std::vector<uint8_t> written_;
};
