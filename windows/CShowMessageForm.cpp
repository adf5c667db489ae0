#include "windows/CShowMessageForm.h"

#include "platform/SurfaceText.h"
#include "screen/Device.h"

CShowMessageForm *showmessageform = nullptr;

namespace {

constexpr int kOk = 0;

} // namespace

void DrawMessageText(std::string_view text, int x, int y)
{
    if (lpDDSBack)
        DrawSurfaceText(*lpDDSBack, text, {x + 20, y + 15, x + 225, y + 50}, TextWordBreak,
                        {TextFont::Arial12, 0xFFFFFF});
}

CShowMessageForm::CShowMessageForm(std::string_view backgroundPath, CMj *game) : CBitForm(backgroundPath, game, true)
{
    buttons.Add("Graphic\\ShowMessage\\queding.bmp", "");
    Centre();
}

void CShowMessageForm::Draw()
{
    CBitForm::Draw();
    DrawMessageText(text, x, y);
}

void CShowMessageForm::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    buttons.SetPos(kOk, px + 80, py + 56);
}

void CShowMessageForm::Show()
{
    showmsgon = 1;
    Repaint();
}

void CShowMessageForm::Hide()
{
    showmsgon = 0;
    Repaint();
}


int CShowMessageForm::MouseUp(int px, int py)
{
    int index = buttons.MouseUp(px, py);
    if (index == kOk)
        Hide();
    return index;
}
