#include "windows/Screens.h"

#include "windows/CBitForm.h"
#include "windows/CChooseNetForm.h"
#include "windows/CHelpForm.h"
#include "windows/CInputNameDlg.h"
#include "windows/CInviteForm.h"
#include "windows/CLoginForm.h"
#include "windows/CModeForm.h"
#include "windows/CNewGameDlg.h"
#include "windows/CRegForm.h"
#include "windows/CScoreForm.h"
#include "windows/CSetForm.h"
#include "windows/CWelComForm.h"

CBitForm *netroom = nullptr;

CBitForm *ScreenById(int id)
{
    switch (id) {
    case SCREEN_SCORE: return scoreform;
    case SCREEN_OPTIONS: return setform;
    case SCREEN_SLOTS: return welcomform;
    case SCREEN_NEWGAME: return newgamedlg;
    case SCREEN_NAME: return inputnamedlg;
    case SCREEN_LOBBY: return netroom;
    case SCREEN_MENU: return modeform;
    case SCREEN_LOGIN: return loginform;
    case SCREEN_REGISTER: return regform;
    case SCREEN_INVITE: return inviteform;
    case SCREEN_HELP: return helpform;
    case SCREEN_SERVERS: return choosenetform;
    default: return nullptr;
    }
}
