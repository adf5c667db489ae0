#include "table/TalkGate.h"

#include "platform/TimerService.h"

TalkGate::TalkGate() : timers_(TimerService::Current())
{
    timers_.SetHandler(kTimerId, [this] {
        timers_.Stop(kTimerId);
        open_ = true;
    });
}

TalkGate::~TalkGate()
{
    timers_.Stop(kTimerId);
    timers_.SetHandler(kTimerId, nullptr);
}

void TalkGate::Close()
{
    open_ = false;
    timers_.Start(kTimerId, kClosedMs);
}
