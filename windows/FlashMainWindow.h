#pragma once

class FrameSink;

// Calls the player back when the program is not in front (an invitation, a hand that starts or
// ends, a private message): the window's taskbar entry flashes until the program is brought
// forward. Nothing happens while the program is active and its window is not minimised.
void FlashMainWindow(FrameSink *window);
