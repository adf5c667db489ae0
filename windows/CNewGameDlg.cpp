#include "windows/CNewGameDlg.h"

#include "windows/CWelComForm.h"

CNewGameDlg *newgamedlg = nullptr;

CNewGameDlg::CNewGameDlg(std::string_view backgroundPath, CMj *game) : CBitForm(backgroundPath, game, true)
{
    buttons.Add("Graphic\\MessageBox\\queding.bmp", "");
    buttons.Add("Graphic\\MessageBox\\quxiao.bmp", "");
}

void CNewGameDlg::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    buttons.SetPos(CONFIRM, px + 28, py + 63);
    buttons.SetPos(CANCEL, px + 148, py + 63);
}

void CNewGameDlg::Show()
{
    curscreen = SCREEN_NEWGAME;
    Repaint();
}

int CNewGameDlg::MouseUp(int px, int py)
{
    const int index = buttons.MouseUp(px, py);
    if (index == CONFIRM) {
        // As for an empty slot: the slots go (and the title tune with them) and the table is cleared.
        welcomform->StartNewGame();
    } else if (index == CANCEL) {
        curscreen = SCREEN_SLOTS;
        Repaint();
    }
    return index;
}
