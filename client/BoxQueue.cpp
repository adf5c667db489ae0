#include "client/BoxQueue.h"

#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"
#include "rules/CLog.h"

BoxQueue::BoxQueue(std::function<void(std::function<void()>)> post) : post_(std::move(post)) {}

void BoxQueue::Post(const std::string &what, std::function<void()> show)
{
    if (waiting_.size() >= kWaiting) {
        g_log.Trace("BoxQueue: %s dropped, %zu notifications wait already.", waiting_.front().what.c_str(),
                    waiting_.size());
        waiting_.pop_front();
    }
    waiting_.push_back({what, std::move(show)});
    Schedule();
}

void BoxQueue::PostBox(const std::string &text, const std::string &title, MessageBox::Icon icon,
                       std::function<void()> then)
{
    Post("box \"" + title + "\"", [this, text, title, icon, then = std::move(then)] {
        BoxPoster::PostBox(text, title, icon, then);
    });
}

void BoxQueue::Schedule()
{
    if (scheduled_ || showing_ || waiting_.empty())
        return;
    scheduled_ = true;
    // From the event loop, once no box or dialog is open.
    MessageBox::WhenNoneOpen([self = std::weak_ptr<BoxQueue *>(self_)] {
        if (auto queue = self.lock())
            (*queue)->post_([self] {
                if (auto queue = self.lock())
                    (*queue)->ShowNext();
            });
    });
}

void BoxQueue::ShowNext()
{
    scheduled_ = false;
    // A program that is ending for a failure shows its box alone.
    if (showing_ || waiting_.empty() || QuitRequest::Failing())
        return;
    // One opened since: the wait begins again.
    if (!MessageBox::NoneOpen())
        return Schedule();
    Item item = std::move(waiting_.front());
    waiting_.pop_front();
    showing_ = true;
    item.show();
    showing_ = false;
    Schedule();
}
