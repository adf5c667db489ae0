#include "platform/QtTimerService.h"

#include "platform/TerminationSignals.h"

#include <QThread>
#include <QTimerEvent>
#include <algorithm>

void QtTimerService::Start(unsigned id, unsigned intervalMs)
{
    Stop(id);
    int qtId = startTimer(static_cast<int>(std::max(intervalMs, kMinInterval)), Qt::PreciseTimer);
    qtIds_[id] = qtId;
    ourIds_[qtId] = id;
}

void QtTimerService::Stop(unsigned id)
{
    auto it = qtIds_.find(id);
    if (it == qtIds_.end())
        return;
    killTimer(it->second);
    ourIds_.erase(it->second);
    qtIds_.erase(it);
}

bool QtTimerService::IsRunning(unsigned id) const
{
    return qtIds_.count(id) != 0;
}

void QtTimerService::Sleep(unsigned ms)
{
    // A program asked to end finishes its animation at once.
    if (!TerminationSignals::Pending())
        QThread::msleep(ms);
}

void QtTimerService::timerEvent(QTimerEvent *event)
{
    auto it = ourIds_.find(event->timerId());
    if (it != ourIds_.end())
        Deliver(it->second);
}
