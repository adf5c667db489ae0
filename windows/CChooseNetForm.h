#pragma once
#include "windows/CBitForm.h"

#include <string_view>

// Screen 18: one button per game server of the server list (at most five), and back to the title
// menu. The server chosen is the one the next login connects to.
class CChooseNetForm : public CBitForm {
public:
    static constexpr int kRows = 5;
    static constexpr int CLOSE = kRows;

    CChooseNetForm(std::string_view background, CMj *owner);

    // Each row of the list names its button and makes it usable; the buttons beyond it are blank
    // and take no clicks.
    void RefreshServers();
    // The buttons stand where they stand whatever the position.
    void SetPos(int px, int py) override;
    void Show() override;
    int MouseDown(int px, int py) override { return ButtonsDown(px, py); }
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    int MouseUp(int px, int py) override;
};

extern CChooseNetForm *choosenetform;
