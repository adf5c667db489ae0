#pragma once
#include "windows/CBitForm.h"

#include <string_view>

// Screen 11, the title menu, drawn alone: a local game (the saved-game slots), the options, the
// help, the way out of the program, and online play (the choice of game server, then the login).
// Its buttons stand at fixed points of the frame.
class CModeForm : public CBitForm {
public:
    enum Button { EXIT = 0, OPTIONS = 1, GAME = 2, HELP = 3, ONLINE = 4 };

    CModeForm(std::string_view background, CMj *owner);

    void SetPos(int px, int py) override;
    void Show() override;
    // The menu is left only by showing another screen.
    void Hide() override {}
    int MouseDown(int px, int py) override { return ButtonsDown(px, py); }
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    int MouseUp(int px, int py) override;
};

extern CModeForm *modeform;
