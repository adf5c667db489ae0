#pragma once

class CBitForm;

// The in-game screens not declared with their own classes, each created once by the game object and
// reached through its pointer; null while a screen does not exist.
extern CBitForm *netroom; // 10

// The screen that stands for an id of curscreen; null for 0, for ids without a screen and for
// screens not made.
CBitForm *ScreenById(int id);
