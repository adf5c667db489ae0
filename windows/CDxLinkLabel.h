#pragma once
#include "platform/Surface.h"

#include <cstdint>
#include <string>
#include <string_view>

// A caption with a web address; the game object holds ten and shows two at a time in turn. It is
// drawn in its colour, underlined while the pointer is over it.
class CDxLinkLabel {
public:
    // Places the caption at (x, y); its rectangle reaches as far as the caption does in the
    // icon-title font.
    void Set(int x, int y, std::string_view caption, std::string_view address);
    // A shown label holds the point.
    bool Contains(int x, int y) const;
    void Draw() const;

    std::string text;
    std::string link;
    uint8_t shown = 1;
    uint32_t color = 0; // COLORREF
    Rect rect;
    uint8_t hover = 0;
};
