#include "table/BoxPoster.h"

void BoxPoster::PostBox(const std::string &text, const std::string &title, MessageBox::Icon icon,
                        std::function<void()> then)
{
    MessageBox::Show(text, title, icon);
    if (then)
        then();
}
