#pragma once
#include "windows/CBitForm.h"

#include <cstdint>
#include <string>
#include <string_view>

// An invitation to a table received from the server, with accept and decline, over whatever is up
// while invitemsgon is set.
class CInviteMessage : public CBitForm {
public:
    enum Button { ACCEPT = 0, DECLINE = 1 };

    CInviteMessage(std::string_view background, CMj *owner);

    // The background, the buttons, then the text.
    void Draw() override;
    void SetPos(int px, int py) override;
    // The flag alone: the record handler that raises it repaints.
    void Show() override;
    void Hide() override;
    int MouseDown(int px, int py) override;
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    // Accept sits the player down at the invited table, or says the table is full; decline only
    // takes the invitation away.
    int MouseUp(int px, int py) override;

    std::string text;
    int32_t invitedtable = 0; // as the server gave it; the lobby checks it
};

extern CInviteMessage *invitemessage;
