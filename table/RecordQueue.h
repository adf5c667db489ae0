#pragma once
#include "table/GameMsg.h"

#include <deque>
#include <functional>
#include <vector>

// The server's records in the order they came, each handled to its end before the next. A handler
// that animates (the dice, a flower) hands its frames to Play and returns: they run as steps on the
// timer service, so that input, paints, keep-alives and signals are served between them, and the
// records that come meanwhile wait here, in order, until the last step has run.
class RecordQueue {
public:
    // What a step asks for: the pause before what follows, and whether that is the same step again.
    struct Beat {
        unsigned pauseMs = 0;
        bool again = false;
    };
    using Step = std::function<Beat()>;

    // handle: a record's handler. caughtUp: every record taken has been handled.
    RecordQueue(unsigned timerId, std::function<void(const GameMsg &)> handle, std::function<void()> caughtUp);
    ~RecordQueue();
    RecordQueue(const RecordQueue &) = delete;
    RecordQueue &operator=(const RecordQueue &) = delete;

    // Handled now, unless an animation plays or records wait: then it waits behind them.
    void Take(const GameMsg &msg);
    // From a handler: the steps run from now on, the first at once.
    void Play(std::vector<Step> steps);
    // A record taken now would wait.
    bool Holding() const { return !steps_.empty() || !waiting_.empty(); }
    // The tick of the timer: the step due runs, and once the animation has ended the records that
    // waited for it are handled.
    void Tick();
    // Everything still to come is handled now, the pauses skipped; Hurrying is true meanwhile, and the
    // steps show no frame. The connection has ended: what it sent before its end goes first.
    void PlayOut();
    bool Hurrying() const { return hurrying_; }

private:
    // Runs steps until one asks for a pause (the timer then waits it out) or none is left.
    void RunSteps();
    void HandleWaiting();

    unsigned timerId_;
    std::function<void(const GameMsg &)> handle_;
    std::function<void()> caughtUp_;
    std::deque<Step> steps_;
    std::deque<GameMsg> waiting_;
    bool hurrying_ = false;
};
