#pragma once
#include "platform/Profile.h"
#include "windows/CBitCheckBox.h"
#include "windows/CBitForm.h"

#include <cstdint>
#include <memory>
#include <string_view>

// Screen 15, drawn alone: ten pages of help, each a picture, with a button per page, next and
// previous (both wrap round), close, and a box that says whether the help shows when a game is
// started from the title menu. It opens over any screen and returns to it.
class CHelpForm : public CBitForm {
public:
    static constexpr int kPages = 10;
    enum Button { NEXT = 10, CLOSE = 11, PREV = 12 };

    // The background stands for page 0. The box is checked when SET.ini's Window/ShowHelp is 1
    // (the default, so that a first-time player sees the help).
    CHelpForm(std::string_view background, CMj *owner);
    // The box as Window/ShowHelp, into the settings the game object writes as it ends.
    void WriteSettings(Profile::Edit &ini) const;

    // The background and buttons, then the box.
    void Draw() override;
    void SetPos(int px, int py) override;
    // Remembers the screen it opens over, unless the help is already on top.
    void Show() override;
    void Hide() override;
    // The box toggles on the press. Returns -1.
    int MouseDown(int px, int py) override;
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    int MouseUp(int px, int py) override;

    int page = 0;
    std::unique_ptr<CBitCheckBox> checkbox;

private:
    // Loads page p's picture in place of the background.
    void ShowPage(int p);
};

extern CHelpForm *helpform;
// The screen the help returns to.
extern int8_t helpprevscreen;
