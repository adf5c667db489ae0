#pragma once

// A game timer: remembers its id, interval and whether it asked the timer service to run.
class CMjTimer {
public:
    CMjTimer() = default;
    ~CMjTimer();
    CMjTimer(const CMjTimer &) = delete;
    CMjTimer &operator=(const CMjTimer &) = delete;

    void SetEnabled(bool enabled);
    bool GetEnabled() const { return enabled != 0; }

    unsigned interval = 1000;
    unsigned id = 0;
    unsigned char enabled = 0;
};
