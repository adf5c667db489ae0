#include "windows/CBitForm.h"

#include "screen/Device.h"
#include "table/CMj.h"

int8_t curscreen = SCREEN_NONE;
uint8_t showmsgon = 0;
uint8_t invitemsgon = 0;
uint8_t infoformon = 0;

CBitForm::CBitForm(std::string_view backgroundPath, CMj *game) : background(backgroundPath, false), owner(game) {}

CBitForm::~CBitForm() = default;

void CBitForm::Draw()
{
    if (lpDDSBack && background.Get())
        lpDDSBack->Blit(x, y, *background.Get(), background.rect, false);
    buttons.DrawAll();
}

void CBitForm::Hide()
{
    curscreen = SCREEN_NONE;
    if (owner)
        owner->Paint();
}

void CBitForm::SetPos(int px, int py)
{
    x = px;
    y = py;
}
