#pragma once
#include "platform/Surface.h"

#include <cstdint>
#include <string>
#include <string_view>

// A status line: text in the icon-title font, left and top in its rectangle, breaking only where the
// text has line ends. The owning screen sets text, visible and color directly.
class CDxLabel {
public:
    void SetRect(int x, int y, int w, int h);
    void Draw() const;
    // The text, made visible.
    void Show(std::string_view shown);

    std::string text;
    uint8_t visible = 1;
    uint32_t color = 0; // COLORREF
    Rect rect;
};
