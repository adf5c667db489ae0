#pragma once
#include "windows/CBitForm.h"

#include <string>
#include <string_view>

// A notice without buttons over whatever is up while infoformon is set: the player waits for the
// server's answer. It takes no input; the lobby ignores presses while it is up.
class CInfoForm : public CBitForm {
public:
    CInfoForm(std::string_view background, CMj *owner);

    // The background, then the text as a message writes it.
    void Draw() override;
    void Show() override;
    void Hide() override;
    int MouseDown(int, int) override { return 1; }
    int MouseMove(int, int) override { return 1; }
    int MouseUp(int, int) override { return 1; }

    std::string text;
};

extern CInfoForm *infoform;
