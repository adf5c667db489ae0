#pragma once
#include "windows/CBitForm.h"

#include <string_view>

// Screen 7, over the saved-game slots beside the slot chosen: a new game would take the place of
// the game saved there. Confirm goes on to the name screen, cancel back to the slots.
class CNewGameDlg : public CBitForm {
public:
    enum Button { CONFIRM = 0, CANCEL = 1 };

    CNewGameDlg(std::string_view background, CMj *owner);

    void SetPos(int px, int py) override;
    void Show() override;
    int MouseDown(int px, int py) override { return ButtonsDown(px, py); }
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    int MouseUp(int px, int py) override;
};

extern CNewGameDlg *newgamedlg;
