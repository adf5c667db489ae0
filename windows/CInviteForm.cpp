#include "windows/CInviteForm.h"

#include "table/CMj.h"
#include "windows/InviteLinks.h"

CInviteForm *inviteform = nullptr;

CInviteForm::CInviteForm(std::string_view backgroundPath, CMj *game) : CBitForm(backgroundPath, game, true)
{
    buttons.Add("Graphic\\InviteForm\\btinvite.bmp", "");
    buttons.Add("Graphic\\InviteForm\\btcancel.bmp", "");
    Centre();
}

InviteLinks *CInviteForm::Links() const
{
    return owner ? owner->invitelinks : nullptr;
}

void CInviteForm::PlaceList()
{
    if (InviteLinks *links = Links())
        links->MoveInviteList(x + 12, y + 70);
}

void CInviteForm::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    buttons.SetPos(INVITE, px + 143, py + 314);
    buttons.SetPos(CANCEL, px + 237, py + 314);
    PlaceList();
}

void CInviteForm::Show()
{
    InviteLinks *links = Links();
    buttons.Get(INVITE)->enabled = links && links->SelectedTableOpen();
    // The list may have come after the screen was placed.
    PlaceList();
    curscreen = SCREEN_INVITE;
    Repaint();
}

int CInviteForm::MouseUp(int px, int py)
{
    int index = buttons.MouseUp(px, py);
    if (index == INVITE)
        Invite();
    else if (index == CANCEL)
        Hide();
    return index;
}

void CInviteForm::Invite()
{
    InviteLinks *links = Links();
    std::optional<std::string> user = links ? links->SelectedInvitee() : std::nullopt;
    if (!user || user->size() > kMaxName || !owner->IsNetGame()) {
        Repaint();
        return;
    }
    // The table may have filled or started since the screen was shown.
    if (links->SelectedTableOpen())
        links->SendInvite(*user);
    Hide();
}
