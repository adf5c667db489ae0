#pragma once
#include "platform/MessageBox.h"

#include <functional>
#include <string>

// Where the boxes go that the server, the connection or a timer raises, unlike a box that answers
// the player's own click. The main window keeps them in its one queue, so that none opens inside
// another's loop; this default, for a game or a connection with no window, shows each at once.
class BoxPoster {
public:
    virtual ~BoxPoster() = default;
    // The box (GBK), then `then`, if given, once it has closed: what follows a box waits for it.
    virtual void PostBox(const std::string &text, const std::string &title, MessageBox::Icon icon,
                         std::function<void()> then);
};
