#include "platform/TimerService.h"

#include "platform/TestClock.h"

namespace {
TimerService *g_current = nullptr;
} // namespace

TimerService &TimerService::Current()
{
    // Without an installed service (tools, tests that never tick) timers run on a clock nobody advances.
    static TestClock idle;
    return g_current ? *g_current : idle;
}

void TimerService::Install(TimerService *service)
{
    g_current = service;
}

void TimerService::Deliver(unsigned id)
{
    if (dispatching_ || !dispatcher_ || !IsRunning(id))
        return;
    dispatching_ = true;
    dispatcher_(id);
    dispatching_ = false;
}
