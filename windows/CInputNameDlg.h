#pragma once
#include "screen/CachedPicture.h"
#include "windows/CBitForm.h"
#include "windows/CDxEdit.h"

#include <cstdint>
#include <memory>
#include <string_view>

// Screen 8, over the table: the player types a name and picks the avatar of each of the four seats
// before a local game starts. Seats are 0 (the player, bottom), 1 right, 2 top, 3 left.
class CInputNameDlg : public CBitForm {
public:
    static constexpr int kAvatars = 12;
    static constexpr int kAvatarSize = 58;
    // Button 0 starts the game; each seat s has a previous (1 + 2s) and a next (2 + 2s) avatar button.
    enum Button { START = 0 };

    CInputNameDlg(std::string_view background, CMj *owner);

    // The background, the four avatars, the buttons, then the name box.
    void Draw() override;
    void SetPos(int px, int py) override;
    // Each seat's avatar is the one kept in SET.ini, or a random one where none valid is kept.
    void Show() override;
    // A press also gives the name box the focus. Always repaints.
    int MouseDown(int px, int py) override;
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    int MouseUp(int px, int py) override;
    // Every typed byte goes to the name box; Enter then starts the game.
    void KeyPress(uint8_t key) override;
    CDxEdit *FocusedEdit() override { return nameedit.get(); }

    std::unique_ptr<CDxEdit> nameedit;
    // Twelve avatars of kAvatarSize side by side.
    CachedPicture avatarstrip;
    int avatar[4] = {0, 1, 0, 1};

private:
    // The avatars and the sex they stand for go to the seats.
    void CopyAvatars();
    void StartGame();
};

extern CInputNameDlg *inputnamedlg;
