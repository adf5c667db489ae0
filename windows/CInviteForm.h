#pragma once
#include "windows/CBitForm.h"

#include <string_view>

class InviteLinks;

// Screen 14, over the table: the seated player picks a user from the main window's list, which
// stands inside the drawn frame, and invites that user to the own table.
class CInviteForm : public CBitForm {
public:
    enum Button { INVITE = 0, CANCEL = 1 };
    // The longest name an invitation carries, in bytes.
    static constexpr size_t kMaxName = 20;

    CInviteForm(std::string_view background, CMj *owner);

    void SetPos(int px, int py) override;
    // Invite is offered only while the own table has room and is not playing.
    void Show() override;
    int MouseDown(int px, int py) override { return ButtonsDown(px, py); }
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    int MouseUp(int px, int py) override;

private:
    InviteLinks *Links() const;
    // The list stands at (x + 12, y + 70).
    void PlaceList();
    void Invite();
};

extern CInviteForm *inviteform;
