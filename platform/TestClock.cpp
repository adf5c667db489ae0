#include "platform/TestClock.h"

#include <algorithm>

void TestClock::Start(unsigned id, unsigned intervalMs)
{
    unsigned interval = std::max(intervalMs, kMinInterval);
    timers_[id] = Entry{interval, now_ + interval, started_++};
}

void TestClock::Stop(unsigned id)
{
    timers_.erase(id);
}

bool TestClock::IsRunning(unsigned id) const
{
    return timers_.count(id) != 0;
}

void TestClock::Sleep(unsigned ms)
{
    now_ += ms;
    slept_ += ms;
}

unsigned TestClock::Interval(unsigned id) const
{
    auto it = timers_.find(id);
    return it == timers_.end() ? 0 : it->second.interval;
}

bool TestClock::NextDue(unsigned *id, uint64_t limit) const
{
    const Entry *best = nullptr;
    for (const auto &[tid, e] : timers_) {
        if (e.due > limit)
            continue;
        if (!best || e.due < best->due || (e.due == best->due && e.order < best->order)) {
            best = &e;
            *id = tid;
        }
    }
    return best != nullptr;
}

void TestClock::Fire(unsigned id)
{
    Entry &e = timers_[id];
    now_ = std::max(now_, e.due);
    e.due = now_ + e.interval;
    Deliver(id);
}

void TestClock::Advance(uint64_t ms)
{
    uint64_t until = now_ + ms;
    unsigned id;
    while (NextDue(&id, until))
        Fire(id);
    now_ = until;
}

bool TestClock::Step()
{
    unsigned id;
    if (!NextDue(&id, UINT64_MAX))
        return false;
    Fire(id);
    return true;
}
