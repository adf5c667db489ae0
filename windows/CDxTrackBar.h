#pragma once
#include "screen/CachedPicture.h"
#include "windows/CBitButtonArray.h"

#include <cstdint>
#include <string_view>

// A horizontal slider: a thumb dragged along a track that the screen's background draws, in 20
// steps (volume, robot pace). The screen reads and writes position directly.
class CDxTrackBar {
public:
    static constexpr int kSteps = 20;

    explicit CDxTrackBar(std::string_view thumbPath);

    // The track from x0 to x1 at height y; called before the slider takes mouse input.
    void SetRange(int left, int right, int top);
    // A press strictly on the thumb starts a drag (true).
    bool MouseDown(int px, int py);
    // While dragging: true when the position changed. A track too short for 20 steps takes no drag.
    bool MouseMove(int px, int py);
    bool MouseUp(int px, int py);
    void Draw();

    CachedPicture thumb;
    int step = 0; // pixels per position
    int x0 = 0;
    int x1 = 0;
    int y = 0;
    int hitheight = 0;
    int position = kSteps;
    uint8_t dragging = 0;
};

// The lobby's vertical page bar: a column of tiles with a thumb (button 0) dragged between an up
// arrow (button 1) and a down arrow (button 2), for pages 0-16. The owner reads position as the page
// and may write it.
class CDxTrackBar2 {
public:
    static constexpr int kMax = 16;
    static constexpr int kThumb = 0;
    static constexpr int kUp = 1;
    static constexpr int kDown = 2;

    CDxTrackBar2(std::string_view thumbPath, std::string_view upPath, std::string_view downPath);

    // The thumb at x, moving from top to bottom less its own height.
    void SetRange(int x, int top, int bottom);
    // The thumb's top for the current position.
    int ThumbY() const;
    // Each true when something changed or a button was hit; the arrows move one page, within 0-16.
    bool MouseDown(int px, int py);
    bool MouseMove(int px, int py);
    bool MouseUp(int px, int py);
    void Draw();

    CachedPicture tile;
    int step = 0; // pixels per position
    CBitButtonArray buttons;
    int thumbx = 0;
    int tracktop = 0;
    int tracklength = 0;
    int position = 0;
    uint8_t dragging = 0;

    // The tile column, one for the class (the lobby has one page bar).
    static inline int columntop = 0;
    static inline int columnbottom = 0;
    static inline int columnx = 0;

private:
    void MoveTo(int newPosition);
};
