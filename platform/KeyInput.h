#pragma once
#include <string>
#include <string_view>

// The game's key codes for the toolkit's keys it reads (Backspace, Tab, Enter, Esc, Space, the
// paging and arrow keys, Delete, digits, letters and F1-F12); 0 for every other key.
int KeyCode(int toolkitKey);

// The bytes typed text gives the game: each character in GBK on its own, so that a character GBK
// lacks (an emoji) is dropped whole instead of becoming marks; of the control characters only
// Backspace, Tab, Enter and Esc pass (Ctrl+letter and the like would reach an edit box).
std::string TypedBytes(std::string_view utf8);
