#include "platform/CMjTimer.h"

#include "platform/TimerService.h"

CMjTimer::~CMjTimer()
{
    TimerService::Current().Stop(id);
}

void CMjTimer::SetEnabled(bool on)
{
    enabled = on;
    if (on)
        TimerService::Current().Start(id, interval);
    else
        TimerService::Current().Stop(id);
}
