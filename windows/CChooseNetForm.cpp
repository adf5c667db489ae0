#include "windows/CChooseNetForm.h"

#include "table/CMj.h"
#include "windows/CLoginForm.h"

#include <cstring>
#include <string>

CChooseNetForm *choosenetform = nullptr;

namespace {

constexpr int kRowX = 323;
constexpr int kRowY[CChooseNetForm::kRows] = {239, 286, 333, 380, 426};

} // namespace

CChooseNetForm::CChooseNetForm(std::string_view backgroundPath, CMj *game) : CBitForm(backgroundPath, game)
{
    for (int i = 0; i < kRows; ++i)
        buttons.Add("Graphic\\ChooseNetForm\\load.bmp", "");
    buttons.Add("Graphic\\LoadForm\\close.bmp", "");
    SetPos(0, 0);
    RefreshServers();
}

void CChooseNetForm::RefreshServers()
{
    for (int i = 0; i < kRows; ++i) {
        CBitButton &button = *buttons.Get(i);
        const bool listed = i < servercount;
        const ServerInfo &row = serverlist[i];
        button.SetCaption(listed ? std::string(row.name, strnlen(row.name, sizeof row.name)) : "");
        button.enabled = listed;
    }
}

void CChooseNetForm::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    for (int i = 0; i < kRows; ++i)
        buttons.SetPos(i, kRowX, kRowY[i]);
    buttons.SetPos(CLOSE, 312, 471);
}

void CChooseNetForm::Show()
{
    curscreen = SCREEN_SERVERS;
    Repaint();
}

int CChooseNetForm::MouseUp(int px, int py)
{
    int index = buttons.MouseUp(px, py);
    if (index >= 0 && index < kRows) {
        serverindex = index;
        loginform->Show();
    } else if (index == CLOSE) {
        // The title menu.
        curscreen = SCREEN_MENU;
        Repaint();
    }
    return index;
}
