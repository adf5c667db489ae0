#include "windows/CModeForm.h"

#include "platform/CloseRequest.h"
#include "windows/CChooseNetForm.h"
#include "windows/CHelpForm.h"
#include "windows/CSetForm.h"
#include "windows/CWelComForm.h"

CModeForm *modeform = nullptr;

namespace {

constexpr int kButtonX = 311;
// Online play heads the column, a step above the local game.
constexpr int kButtonY[] = {351, 251, 206, 300, 156};

} // namespace

CModeForm::CModeForm(std::string_view backgroundPath, CMj *game) : CBitForm(backgroundPath, game)
{
    for (const char *name : {"btexit", "btnet", "btgame", "bthome", "btonline"})
        buttons.Add(std::string("Graphic\\ModeForm\\") + name + ".bmp", "");
    SetPos(0, 0);
}

void CModeForm::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    for (int i = 0; i < static_cast<int>(std::size(kButtonY)); ++i)
        buttons.SetPos(i, kButtonX, kButtonY[i]);
}

void CModeForm::Show()
{
    curscreen = SCREEN_MENU;
    Repaint();
}

int CModeForm::MouseUp(int px, int py)
{
    const int index = buttons.MouseUp(px, py);
    switch (index) {
    case EXIT:
        CloseRequest::Post();
        break;
    case OPTIONS:
        setform->Show();
        break;
    case GAME:
        // The help opens over the slots for as long as its box asks for it.
        welcomform->Show();
        if (helpform->checkbox->checked)
            helpform->Show();
        break;
    case HELP:
        Repaint();
        helpform->Show();
        break;
    case ONLINE:
        choosenetform->Show();
        break;
    default:
        break;
    }
    return index;
}
