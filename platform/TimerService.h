#pragma once
#include <functional>
#include <map>

// The window timers of the game: integer ids with an interval, whose ticks reach one dispatcher on
// the GUI thread, one at a time. Starting a running timer restarts it with the new interval;
// intervals below 10 ms run at 10 ms.
class TimerService {
public:
    using Dispatcher = std::function<void(unsigned id)>;

    static constexpr unsigned kMinInterval = 10;

    virtual ~TimerService() = default;
    virtual void Start(unsigned id, unsigned intervalMs) = 0;
    virtual void Stop(unsigned id) = 0;
    virtual bool IsRunning(unsigned id) const = 0;
    // Blocks the caller; the banner and the flights that wait for their arrival pace themselves with
    // it. No tick is delivered meanwhile (ticks never nest): a tick that fell due fires afterwards.
    virtual void Sleep(unsigned ms) = 0;

    void SetDispatcher(Dispatcher d) { dispatcher_ = std::move(d); }
    // Ticks of this id go to the handler instead of the dispatcher: timers of the program's own parts
    // outside the game (the connection's time-outs). An empty handler gives the id back.
    void SetHandler(unsigned id, std::function<void()> handler);

    // The service the game's timers use; the program installs the event-loop one, tests a clock.
    static TimerService &Current();
    static void Install(TimerService *service);

protected:
    // Delivers a tick unless one is being handled already (ticks never nest).
    void Deliver(unsigned id);

private:
    Dispatcher dispatcher_;
    std::map<unsigned, std::function<void()>> handlers_;
    bool dispatching_ = false;
};
