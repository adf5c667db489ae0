#pragma once
#include "screen/CachedPicture.h"

#include <cstdint>
#include <string>
#include <string_view>

// A button drawn from one picture of five equal frames side by side: 0 normal, 1 hovered, 2 pressed
// while hovered (3 and 4 are never drawn). Drawn straight into the frame `lpDDSBack`.
class CBitButton {
public:
    static constexpr int kFrames = 5;

    explicit CBitButton(std::string_view path);

    void SetPos(int px, int py);
    void SetCaption(std::string_view text);
    int GetWidth() const { return picture.Width() / kFrames; }
    int GetHeight() const { return picture.Height(); }

    // Strictly inside on all four edges, and only while enabled and visible.
    bool HitTest(int px, int py) const;
    void Draw();
    // True when pressed on the button.
    bool MouseDown(int px, int py);
    // True when the hover state changed; entering plays the hover sound.
    bool MouseMove(int px, int py);
    // True for a click: pressed on the button and released on it. The press ends either way.
    bool MouseUp(int px, int py);

    CachedPicture picture;
    int x = 0;
    int y = 0;
    uint8_t hover = 0;
    uint8_t pressed = 0;
    std::string caption;
    uint8_t enabled = 1;
    uint8_t visible = 1;
    std::string tooltip;
};
