#pragma once
#include <cstdint>

class CBitForm;

// The in-game screens not declared with their own classes, each created once by the game object and
// reached through its pointer; null while a screen does not exist.
extern CBitForm *scoreform;       // 1
extern CBitForm *setform;         // 2
extern CBitForm *welcomform;      // 6
extern CBitForm *newgamedlg;      // 7
extern CBitForm *inputnamedlg;    // 8
extern CBitForm *netroom;         // 10
extern CBitForm *modeform;        // 11

// The screen that was on top when the options screen was shown: from the title menu the menu stays
// dimmed behind it, from the table the table.
extern int8_t setformfrom;

// The screen that stands for an id of curscreen; null for 0, for ids without a screen and for
// screens not made.
CBitForm *ScreenById(int id);
