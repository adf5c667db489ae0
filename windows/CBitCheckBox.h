#pragma once
#include "screen/CachedPicture.h"

#include <cstdint>
#include <string>
#include <string_view>

// A check box drawn from two pictures, checked at construction. The owning screen reads and writes
// checked and caption directly.
class CBitCheckBox {
public:
    CBitCheckBox(std::string_view unchecked, std::string_view checked);

    void SetPos(int px, int py);
    void Draw();
    // A click strictly inside the checked picture's size toggles the box and clicks, even with the
    // game's sound switched off; true when it toggled.
    bool MouseUp(int px, int py);

    CachedPicture checkedpicture;
    CachedPicture uncheckedpicture;
    int x = 0;
    int y = 0;
    uint8_t enabled = 1;
    uint8_t visible = 1;
    uint8_t checked = 1;
    std::string caption;
};
