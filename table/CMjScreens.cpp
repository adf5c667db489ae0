// The in-game screens the game object owns, and the overlays' first claim on the mouse.
#include "table/CMj.h"

#include "windows/CChooseNetForm.h"
#include "windows/CHelpForm.h"
#include "windows/CInfoForm.h"
#include "windows/CInputNameDlg.h"
#include "windows/CInviteForm.h"
#include "windows/CInviteMessage.h"
#include "windows/CLoginForm.h"
#include "windows/CModeForm.h"
#include "windows/CNetRoom.h"
#include "windows/CNewGameDlg.h"
#include "windows/CRegForm.h"
#include "windows/CScoreForm.h"
#include "windows/CSetForm.h"
#include "windows/CShowMessageForm.h"
#include "windows/CWelComForm.h"
#include "windows/Screens.h"

void CMj::CreateScreens()
{
    scoreform = new CScoreForm("Graphic\\ScoreForm\\background.bmp", this);
    welcomform = new CWelComForm("Graphic\\LoadForm\\background.bmp", this);
    setform = new CSetForm("Graphic\\OptionForm\\background.bmp", this);
    newgamedlg = new CNewGameDlg("Graphic\\MessageBox\\background.bmp", this);
    inputnamedlg = new CInputNameDlg("Graphic\\InputName\\background.bmp", this);
    modeform = new CModeForm("Graphic\\ModeForm\\background.bmp", this);
    loginform = new CLoginForm("Graphic\\LoginForm\\background.bmp", this);
    regform = new CRegForm("Graphic\\RegForm\\background.bmp", this);
    showmessageform = new CShowMessageForm("Graphic\\ShowMessage\\background.bmp", this);
    inviteform = new CInviteForm("Graphic\\InviteForm\\background.bmp", this);
    invitemessage = new CInviteMessage("Graphic\\InviteMessage\\background.bmp", this);
    helpform = new CHelpForm("Graphic\\HelpForm\\background.bmp", this);
    infoform = new CInfoForm("Graphic\\ShowMessage\\background.bmp", this);
    choosenetform = new CChooseNetForm("Graphic\\ChooseNetForm\\background.bmp", this);
    lobby = std::make_unique<CNetRoom>("Graphic\\NetForm\\Room.bmp", this);
    netroom = lobby.get();
}

namespace {

template <typename Screen> void Destroy(Screen *&screen)
{
    delete screen;
    screen = nullptr;
}

} // namespace

void CMj::DeleteScreens()
{
    // In the order they were made; the options, the login (its proxy) and the help (its box) write
    // to SET.ini as they go.
    Destroy(scoreform);
    Destroy(welcomform);
    Destroy(setform);
    Destroy(newgamedlg);
    Destroy(inputnamedlg);
    Destroy(modeform);
    Destroy(loginform);
    Destroy(regform);
    Destroy(showmessageform);
    Destroy(inviteform);
    Destroy(invitemessage);
    Destroy(helpform);
    Destroy(infoform);
    Destroy(choosenetform);
    netroom = nullptr;
    lobby.reset(); // writes the filters
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
