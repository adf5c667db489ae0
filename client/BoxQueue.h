#pragma once
#include "table/BoxPoster.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>

// The notifications the main window shows in boxes of their own (server texts, notices, link
// notices, the update offer): one at a time, in the order they were posted. Each waits here until
// the one before it has closed and no other box or dialog of the player's is open, then runs from
// the event loop, never from inside another's loop. A flood neither nests loops nor buries the
// player: beyond kWaiting the oldest one still waiting is dropped, with a trace.
class BoxQueue : public BoxPoster {
public:
    static constexpr size_t kWaiting = 32;

    // post runs a call later from the event loop.
    explicit BoxQueue(std::function<void(std::function<void()>)> post);
    BoxQueue(const BoxQueue &) = delete;
    BoxQueue &operator=(const BoxQueue &) = delete;

    // show opens the box (and whatever follows it) and returns once it is closed; what names it in
    // the trace of a drop.
    void Post(const std::string &what, std::function<void()> show);
    // A plain box, and what follows it, as one notification.
    void PostBox(const std::string &text, const std::string &title, MessageBox::Icon icon,
                 std::function<void()> then) override;

private:
    struct Item {
        std::string what;
        std::function<void()> show;
    };
    void Schedule();
    void ShowNext();

    std::function<void(std::function<void()>)> post_;
    std::deque<Item> waiting_;
    bool showing_ = false;
    bool scheduled_ = false; // a call to ShowNext is posted, or waits for the boxes open to close
    // A call posted before the queue went finds it gone.
    std::shared_ptr<BoxQueue *> self_ = std::make_shared<BoxQueue *>(this);
};
