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

void TimerService::SetHandler(unsigned id, std::function<void()> handler)
{
    if (handler)
        handlers_[id] = std::move(handler);
    else
        handlers_.erase(id);
}

void TimerService::Deliver(unsigned id)
{
    if (dispatching_ || !IsRunning(id))
        return;
    auto own = handlers_.find(id);
    // A copy: the handler may give its id back while it runs.
    std::function<void()> handler = own != handlers_.end() ? own->second : nullptr;
    if (!handler && !dispatcher_)
        return;
    dispatching_ = true;
    if (handler)
        handler();
    else
        dispatcher_(id);
    dispatching_ = false;
}
