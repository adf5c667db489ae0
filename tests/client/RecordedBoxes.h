#pragma once
#include "platform/MessageBox.h"

#include <vector>

// Every message box shown while it lives, kept instead of shown and answered with `answer`.
struct RecordedBoxes : std::vector<MessageBox::Box> {
    RecordedBoxes()
    {
        MessageBox::SetHandler([this](const MessageBox::Box &box) {
            push_back(box);
            return answer;
        });
    }
    ~RecordedBoxes() { MessageBox::SetHandler(nullptr); }
    RecordedBoxes(const RecordedBoxes &) = delete;
    RecordedBoxes &operator=(const RecordedBoxes &) = delete;

    int answer = MessageBox::ResultOk;
};
