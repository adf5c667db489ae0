#pragma once
#include <cstdint>

// The bytes of one connection, as a handshake on it needs them: what is waiting, taking some of it,
// and handing bytes over for sending. Never blocks.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    virtual int64_t BytesAvailable() const = 0;
    // Takes at most max waiting bytes; returns how many it took (0 when none wait, -1 when closed).
    virtual int64_t Read(uint8_t *into, int64_t max) = 0;
    // Queues bytes for sending; returns how many were taken (-1 when the connection is not open).
    virtual int64_t Write(const uint8_t *data, int64_t size) = 0;
};
