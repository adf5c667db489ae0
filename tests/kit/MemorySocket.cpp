#include "tests/kit/MemorySocket.h"

#include <algorithm>
#include <cstring>

void MemorySocket::Open(const std::string &host, int port)
{
    host_ = host;
    port_ = port;
    active_ = true;
    connected_ = false;
    owesRead_ = false;
    inbox_.clear();
    readPos_ = 0;
    queued_.clear();
}

void MemorySocket::Close()
{
    owesDisconnect_ = owesDisconnect_ || connected_;
    active_ = connected_ = false;
    queued_.clear();
}

void MemorySocket::DeliverQueued()
{
    while (owesRead_ || owesDisconnect_) {
        if (owesRead_) {
            owesRead_ = false;
            if (BytesAvailable() > 0)
                RaiseRead();
        } else {
            owesDisconnect_ = false;
            RaiseDisconnect();
        }
    }
}

int64_t MemorySocket::Read(uint8_t *into, int64_t max)
{
    auto n = static_cast<size_t>(std::max<int64_t>(0, std::min<int64_t>(max, BytesAvailable())));
    if (readChunk_ > 0)
        n = std::min(n, readChunk_);
    std::memcpy(into, inbox_.data() + readPos_, n);
    readPos_ += n;
    if (readPos_ == inbox_.size()) {
        inbox_.clear();
        readPos_ = 0;
    }
    return static_cast<int64_t>(n);
}

int64_t MemorySocket::Write(const uint8_t *data, int64_t size)
{
    if (!connected_)
        return -1;
    // Like the system's socket, bytes go out as soon as they can, flushed or not.
    std::vector<uint8_t> &to = stalled_ ? queued_ : written_;
    to.insert(to.end(), data, data + size);
    return size;
}

void MemorySocket::Accept()
{
    connected_ = true;
    RaiseConnect();
}

void MemorySocket::Feed(const uint8_t *data, size_t size)
{
    inbox_.insert(inbox_.end(), data, data + size);
    RaiseRead();
}

void MemorySocket::ServerCloses()
{
    // A connection ends once: one the client closed already has told its end, or owes it.
    const bool ends = connected_ || owesDisconnect_;
    active_ = connected_ = false;
    owesDisconnect_ = false;
    if (ends)
        RaiseDisconnect();
}

void MemorySocket::Fail(ErrorKind kind)
{
    active_ = connected_ = false;
    RaiseError(kind);
}
