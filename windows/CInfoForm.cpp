#include "windows/CInfoForm.h"

#include "windows/CShowMessageForm.h"

CInfoForm *infoform = nullptr;

CInfoForm::CInfoForm(std::string_view backgroundPath, CMj *game) : CBitForm(backgroundPath, game, true)
{
    Centre();
}

void CInfoForm::Draw()
{
    CBitForm::Draw();
    DrawMessageText(text, x, y);
}

void CInfoForm::Show()
{
    infoformon = 1;
    Repaint();
}

void CInfoForm::Hide()
{
    infoformon = 0;
    Repaint();
}
