// The in-game screens the game object owns, and the overlays' first claim on the mouse.
#include "table/CMj.h"

#include "windows/CChooseNetForm.h"
#include "windows/CHelpForm.h"
#include "windows/CInfoForm.h"
#include "windows/CInviteForm.h"
#include "windows/CInviteMessage.h"
#include "windows/CLoginForm.h"
#include "windows/CRegForm.h"
#include "windows/CShowMessageForm.h"

void CMj::CreateScreens()
{
    loginform = new CLoginForm("Graphic\\LoginForm\\background.bmp", this);
    regform = new CRegForm("Graphic\\RegForm\\background.bmp", this);
    showmessageform = new CShowMessageForm("Graphic\\ShowMessage\\background.bmp", this);
    inviteform = new CInviteForm("Graphic\\InviteForm\\background.bmp", this);
    invitemessage = new CInviteMessage("Graphic\\InviteMessage\\background.bmp", this);
    helpform = new CHelpForm("Graphic\\HelpForm\\background.bmp", this);
    infoform = new CInfoForm("Graphic\\ShowMessage\\background.bmp", this);
    choosenetform = new CChooseNetForm("Graphic\\ChooseNetForm\\background.bmp", this);
}

void CMj::DeleteScreens()
{
    // In the order they were made; the login writes its proxy and the help its box to SET.ini as
    // they go.
    delete loginform;
    loginform = nullptr;
    delete regform;
    regform = nullptr;
    delete showmessageform;
    showmessageform = nullptr;
    delete inviteform;
    inviteform = nullptr;
    delete invitemessage;
    invitemessage = nullptr;
    delete helpform;
    helpform = nullptr;
    delete infoform;
    infoform = nullptr;
    delete choosenetform;
    choosenetform = nullptr;
    showmsgon = invitemsgon = infoformon = 0;
}

void CMj::ShowMessage(const std::string &text)
{
    showmessageform->text = text;
    showmessageform->Show();
}

bool CMj::OverlayMouse(MouseAction action, int x, int y)
{
    CBitForm *overlay = showmsgon ? static_cast<CBitForm *>(showmessageform)
                        : invitemsgon ? static_cast<CBitForm *>(invitemessage)
                                      : nullptr;
    if (!overlay)
        return false;
    switch (action) {
    case MouseAction::Down:
        overlay->MouseDown(x, y);
        break;
    case MouseAction::Move:
        overlay->MouseMove(x, y);
        break;
    case MouseAction::Up:
        overlay->MouseUp(x, y);
        break;
    }
    return true;
}
