#include "windows/CBitButtonArray.h"

void CBitButtonArray::Add(std::string_view path, std::string_view caption)
{
    if (count_ >= kMaxButtons)
        return;
    auto button = std::make_unique<CBitButton>(path);
    button->SetCaption(caption);
    buttons_[count_++] = std::move(button);
}

void CBitButtonArray::SetPos(int index, int x, int y)
{
    if (CBitButton *button = Get(index))
        button->SetPos(x, y);
}

CBitButton *CBitButtonArray::Get(int index) const
{
    return index >= 0 && index < count_ ? buttons_[index].get() : nullptr;
}

void CBitButtonArray::DrawAll()
{
    for (int i = 0; i < count_; ++i)
        buttons_[i]->Draw();
}

void CBitButtonArray::ClearHover()
{
    for (int i = 0; i < count_; ++i)
        buttons_[i]->hover = 0;
}

int CBitButtonArray::MouseDown(int x, int y)
{
    for (int i = 0; i < count_; ++i)
        if (buttons_[i]->MouseDown(x, y))
            return i;
    return -1;
}

int CBitButtonArray::MouseMove(int x, int y)
{
    for (int i = 0; i < count_; ++i)
        if (buttons_[i]->MouseMove(x, y))
            return i;
    return -1;
}

int CBitButtonArray::MouseUp(int x, int y)
{
    int clicked = -1;
    for (int i = 0; i < count_; ++i)
        if (buttons_[i]->MouseUp(x, y))
            clicked = i;
    return clicked;
}
