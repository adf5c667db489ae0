#pragma once
#include "table/GameMsg.h"

#include <cstring>

// Cuts the game server's byte stream into records. There is no header or length to go by: the stream
// is a run of 129-byte records. Each read takes at most 8,320 bytes, placed behind the bytes of an
// unfinished record left by the read before (the carry); whole records are handed on in stream order
// straight from the work buffer, and only the carry is ever moved.
class RecordFramer {
public:
    static constexpr int kReadSize = 8320;

    // How many bytes the next read may take, and where they go.
    int Room() const { return kReadSize - carry_; }
    uint8_t *ReadPlace() { return Bytes() + carry_; }

    // Takes the bytes just read into ReadPlace() and hands each whole record to take(record), which
    // answers false when the connection has ended: the rest of the buffer is then dropped.
    template <typename Take> void Cut(int received, Take &&take);

    void Clear() { carry_ = 0; }
    int Carry() const { return carry_; }

private:
    uint8_t *Bytes() { return reinterpret_cast<uint8_t *>(work_); }

    // Records start at multiples of 129 from the buffer's start, so the buffer is an array of them.
    GameMsg work_[(kReadSize + GameMsg::kSize - 1) / GameMsg::kSize];
    int carry_ = 0;
};

template <typename Take> void RecordFramer::Cut(int received, Take &&take)
{
    int total = carry_ + received;
    int whole = total / GameMsg::kSize;
    carry_ = 0;
    for (int i = 0; i < whole; i++)
        if (!take(static_cast<const GameMsg &>(work_[i])))
            return;
    int rest = total - whole * GameMsg::kSize;
    std::memmove(Bytes(), Bytes() + whole * GameMsg::kSize, static_cast<size_t>(rest));
    carry_ = rest;
}
