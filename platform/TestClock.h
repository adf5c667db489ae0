#pragma once
#include "platform/TimerService.h"

#include <cstdint>
#include <vector>

// A timer service on a clock that only moves when told: Advance fires every due tick in time order
// (ties in the order the timers were started), so a test steps a game exactly.
class TestClock : public TimerService {
public:
    void Start(unsigned id, unsigned intervalMs) override;
    void Stop(unsigned id) override;
    bool IsRunning(unsigned id) const override;
    // The clock moves on at once; ticks that fell due meanwhile fire at the next Advance or Step.
    void Sleep(unsigned ms) override;

    void Advance(uint64_t ms);
    // Advances to the next due tick and fires it; false when no timer runs.
    bool Step();
    uint64_t Now() const { return now_; }
    unsigned Interval(unsigned id) const;
    // Milliseconds spent asleep so far.
    uint64_t Slept() const { return slept_; }

private:
    struct Entry {
        unsigned id;
        unsigned interval;
        uint64_t due;
        uint64_t order;
    };
    // The timer's place in timers_; timers_.size() when it does not run.
    size_t IndexOf(unsigned id) const;
    Entry *NextDue(uint64_t limit);
    void Fire(Entry &e);

    // A game runs a handful of timers and a test steps through them tick by tick: a plain row, in no
    // order, is searched fastest.
    std::vector<Entry> timers_;
    uint64_t now_ = 0;
    uint64_t started_ = 0;
    uint64_t slept_ = 0;
};
