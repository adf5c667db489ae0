#include "table/RecordQueue.h"

#include "platform/TimerService.h"

RecordQueue::RecordQueue(unsigned timerId, std::function<void(const GameMsg &)> handle,
                         std::function<void()> caughtUp)
    : timerId_(timerId), handle_(std::move(handle)), caughtUp_(std::move(caughtUp))
{
}

RecordQueue::~RecordQueue()
{
    TimerService::Current().Stop(timerId_);
}

void RecordQueue::Take(const GameMsg &msg)
{
    if (Holding())
        waiting_.push_back(msg);
    else
        handle_(msg);
}

void RecordQueue::Play(std::vector<Step> steps)
{
    steps_.insert(steps_.end(), steps.begin(), steps.end());
    RunSteps();
}

void RecordQueue::RunSteps()
{
    while (!steps_.empty()) {
        const Beat beat = steps_.front()();
        if (!beat.again)
            steps_.pop_front();
        if (!steps_.empty() && beat.pauseMs > 0 && !hurrying_) {
            TimerService::Current().Start(timerId_, beat.pauseMs);
            return;
        }
    }
}

void RecordQueue::Tick()
{
    TimerService::Current().Stop(timerId_);
    RunSteps();
    if (steps_.empty())
        HandleWaiting();
}

void RecordQueue::HandleWaiting()
{
    while (steps_.empty() && !waiting_.empty()) {
        const GameMsg msg = waiting_.front();
        waiting_.pop_front();
        handle_(msg);
    }
    if (!Holding() && caughtUp_)
        caughtUp_();
}

void RecordQueue::PlayOut()
{
    if (!Holding())
        return;
    TimerService::Current().Stop(timerId_);
    hurrying_ = true;
    RunSteps();
    while (!waiting_.empty()) {
        const GameMsg msg = waiting_.front();
        waiting_.pop_front();
        handle_(msg);
        RunSteps();
    }
    hurrying_ = false;
}
