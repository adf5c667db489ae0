#pragma once

class TimerService;

// The flood gate of public chat: once a line is sent, the next may follow only three seconds later.
// The table's chat and the lobby's room chat share the one gate.
class TalkGate {
public:
    // Its timer id, beside the game's own timers.
    static constexpr unsigned kTimerId = 250;
    static constexpr unsigned kClosedMs = 3000;

    TalkGate();
    ~TalkGate();
    TalkGate(const TalkGate &) = delete;
    TalkGate &operator=(const TalkGate &) = delete;

    bool IsOpen() const { return open_; }
    // A line was sent: the gate stays shut for kClosedMs.
    void Close();

private:
    TimerService &timers_;
    bool open_ = true;
};
