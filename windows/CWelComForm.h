#pragma once
#include "windows/CBitForm.h"

#include <cstdint>
#include <string>
#include <string_view>

// Screen 6, the saved-game slots, drawn alone: five slots, each with a new-game button and a load
// button captioned "file<n>" while "Save\<n>.cmj" exists. Play starts from here, and the looped
// title tune stops when the screen goes.
class CWelComForm : public CBitForm {
public:
    static constexpr int kSlots = 5;
    enum Button { NEWGAME = 0, CLOSE = 5, LOAD = 6 };

    CWelComForm(std::string_view background, CMj *owner);

    // The saved game of slot n (1-5), relative to the program folder.
    static std::string SlotFile(int n);
    // Which slots hold a game, and their load buttons to match.
    void RefreshSlots();
    // The table cleared and the name screen shown; the game will be kept in the slot chosen.
    void StartNewGame();

    void Show() override;
    // Back to the table, and the title tune stops.
    void Hide() override;
    int MouseDown(int px, int py) override { return ButtonsDown(px, py); }
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    int MouseUp(int px, int py) override;

    uint8_t slotexists[kSlots] = {};
};

extern CWelComForm *welcomform;
