#include "windows/CBitForm.h"

#include "screen/Device.h"
#include "table/CMj.h"

ScreenOnTop curscreen;
uint8_t showmsgon = 0;
uint8_t invitemsgon = 0;
uint8_t infoformon = 0;

ScreenOnTop &ScreenOnTop::operator=(int8_t id)
{
    if (id == id_)
        return *this;
    id_ = id;
    for (const auto &[who, watcher] : watchers_)
        watcher(id);
    return *this;
}

void ScreenOnTop::Watch(const void *who, std::function<void(int8_t id)> watcher)
{
    if (watcher)
        watchers_[who] = std::move(watcher);
    else
        watchers_.erase(who);
}

CBitForm::CBitForm(std::string_view backgroundPath, CMj *game, bool keyed)
    : background(backgroundPath, keyed), keyedbackground(keyed), owner(game)
{
}

CBitForm::~CBitForm() = default;

void CBitForm::Draw()
{
    if (lpDDSBack && background.Get())
        lpDDSBack->Blit(x, y, *background.Get(), background.rect, keyedbackground);
    buttons.DrawAll();
}

void CBitForm::Hide()
{
    curscreen = SCREEN_NONE;
    Repaint();
}

void CBitForm::Repaint()
{
    if (owner)
        owner->Paint();
}

void CBitForm::Centre()
{
    SetPos((kFrameWidth - background.Width()) / 2, (kFrameHeight - background.Height()) / 2);
}

int CBitForm::ButtonsDown(int px, int py)
{
    int index = buttons.MouseDown(px, py);
    if (index >= 0)
        Repaint();
    return index;
}

int CBitForm::ButtonsMove(int px, int py)
{
    int index = buttons.MouseMove(px, py);
    if (index >= 0)
        Repaint();
    return index;
}

void CBitForm::SetPos(int px, int py)
{
    x = px;
    y = py;
}
