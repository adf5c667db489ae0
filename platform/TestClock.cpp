#include "platform/TestClock.h"

#include <algorithm>

size_t TestClock::IndexOf(unsigned id) const
{
    size_t i = 0;
    while (i < timers_.size() && timers_[i].id != id)
        i++;
    return i;
}

void TestClock::Start(unsigned id, unsigned intervalMs)
{
    unsigned interval = std::max(intervalMs, kMinInterval);
    Entry started{id, interval, now_ + interval, started_++};
    const size_t i = IndexOf(id);
    if (i < timers_.size())
        timers_[i] = started;
    else
        timers_.push_back(started);
}

void TestClock::Stop(unsigned id)
{
    const size_t i = IndexOf(id);
    if (i < timers_.size()) {
        timers_[i] = timers_.back();
        timers_.pop_back();
    }
}

bool TestClock::IsRunning(unsigned id) const
{
    return IndexOf(id) < timers_.size();
}

void TestClock::Sleep(unsigned ms)
{
    now_ += ms;
    slept_ += ms;
}

unsigned TestClock::Interval(unsigned id) const
{
    const size_t i = IndexOf(id);
    return i < timers_.size() ? timers_[i].interval : 0;
}

// The earliest tick due by limit; of ticks due together, the timer started first.
TestClock::Entry *TestClock::NextDue(uint64_t limit)
{
    Entry *best = nullptr;
    for (Entry &e : timers_)
        if (e.due <= limit && (!best || e.due < best->due || (e.due == best->due && e.order < best->order)))
            best = &e;
    return best;
}

// The entry may move once the tick is delivered: the handler starts and stops timers.
void TestClock::Fire(Entry &e)
{
    now_ = std::max(now_, e.due);
    e.due = now_ + e.interval;
    Deliver(e.id);
}

void TestClock::Advance(uint64_t ms)
{
    uint64_t until = now_ + ms;
    while (Entry *e = NextDue(until))
        Fire(*e);
    now_ = until;
}

bool TestClock::Step()
{
    Entry *e = NextDue(UINT64_MAX);
    if (!e)
        return false;
    Fire(*e);
    return true;
}
