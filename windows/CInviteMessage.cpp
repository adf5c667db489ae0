#include "windows/CInviteMessage.h"

#include "platform/MessageBox.h"
#include "platform/SurfaceText.h"
#include "screen/Device.h"
#include "table/CMj.h"
#include "windows/InviteLinks.h"

CInviteMessage *invitemessage = nullptr;

CInviteMessage::CInviteMessage(std::string_view backgroundPath, CMj *game) : CBitForm(backgroundPath, game, true)
{
    buttons.Add("Graphic\\InviteMessage\\queding.bmp", "");
    buttons.Add("Graphic\\InviteMessage\\quxiao.bmp", "");
    Centre();
}

void CInviteMessage::Draw()
{
    CBitForm::Draw();
    if (lpDDSBack)
        DrawSurfaceText(*lpDDSBack, text, {x + 25, y + 18, x + 220, y + 100}, TextWordBreak,
                        {TextFont::Arial14Bold, 0xFFFFFF});
}

void CInviteMessage::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    buttons.SetPos(ACCEPT, px + 30, py + 72);
    buttons.SetPos(DECLINE, px + 130, py + 72);
}

void CInviteMessage::Show()
{
    invitemsgon = 1;
}

void CInviteMessage::Hide()
{
    invitemsgon = 0;
}

int CInviteMessage::MouseDown(int px, int py)
{
    int index = buttons.MouseDown(px, py);
    Repaint();
    return index;
}

int CInviteMessage::MouseUp(int px, int py)
{
    int index = buttons.MouseUp(px, py);
    if (index == ACCEPT) {
        Hide();
        InviteLinks *links = owner ? owner->invitelinks : nullptr;
        if (!links || links->SitDown(invitedtable, -1) < 1)
            MessageBox::Show("该桌已满员", "Info", MessageBox::IconInformation);
        Repaint();
    } else if (index == DECLINE) {
        Hide();
        Repaint();
    }
    return index;
}
