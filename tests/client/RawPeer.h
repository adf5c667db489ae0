#pragma once
#include <cstdint>
#include <vector>

// A plain listening socket on 127.0.0.1 for the ends of a connection the scripted server cannot
// play: a peer that stops reading (a small receive buffer, nothing taken until Drain), and a
// listener whose queue is full so that a connection to it is never made.
class RawPeer {
public:
    explicit RawPeer(int backlog = 4, int receiveBuffer = 0);
    ~RawPeer();
    RawPeer(const RawPeer &) = delete;
    RawPeer &operator=(const RawPeer &) = delete;

    uint16_t Port() const { return port_; }
    // Opens connections of its own to the listener until its queue is full.
    void FillQueue();
    // Takes the waiting connection, if any, and whatever has arrived on it.
    const std::vector<uint8_t> &Drain();

private:
    int listener_ = -1;
    int peer_ = -1;
    uint16_t port_ = 0;
    std::vector<int> fillers_;
    std::vector<uint8_t> received_;
};
