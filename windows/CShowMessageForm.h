#pragma once
#include "windows/CBitForm.h"

#include <string>
#include <string_view>

// A message with an OK button over whatever is up, while showmsgon is set: refusals, errors and the
// end of a game. A second message replaces the first one's text, and one OK closes it.
class CShowMessageForm : public CBitForm {
public:
    CShowMessageForm(std::string_view background, CMj *owner);

    // The background, OK, then the text.
    void Draw() override;
    void SetPos(int px, int py) override;
    // Raises the flag; the screen on top stays where it is.
    void Show() override;
    void Hide() override;
    int MouseDown(int px, int py) override { return ButtonsDown(px, py); }
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    // OK takes the message away.
    int MouseUp(int px, int py) override;

    std::string text;
};

// A message's text in white, wrapped between words inside the box of a message screen whose corner
// is (x, y); the information notice writes its text the same way.
void DrawMessageText(std::string_view text, int x, int y);

extern CShowMessageForm *showmessageform;
