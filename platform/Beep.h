#pragma once
#include <functional>

// The desktop's default warning beep, as when an edit box is full. Often silent on X11.
void Beep();
// Replaces what Beep does (tests count the beeps); an empty handler restores the real one.
void SetBeepHandler(std::function<void()> handler);
