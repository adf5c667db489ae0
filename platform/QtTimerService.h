#pragma once
#include "platform/TimerService.h"

#include <QObject>
#include <map>

// Timers on the toolkit's event loop: ticks arrive on the GUI thread.
class QtTimerService : public QObject, public TimerService {
    Q_OBJECT
public:
    void Start(unsigned id, unsigned intervalMs) override;
    void Stop(unsigned id) override;
    bool IsRunning(unsigned id) const override;
    void Sleep(unsigned ms) override;

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    std::map<unsigned, int> qtIds_;  // our id -> toolkit timer id
    std::map<int, unsigned> ourIds_; // toolkit timer id -> our id
};
