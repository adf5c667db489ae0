#pragma once
#include "platform/Surface.h"

// Where finished 800 x 600 frames are shown: the game window, or a stand-in in tests.
class FrameSink {
public:
    virtual ~FrameSink() = default;

    // The layout of the screen's own pixels: frames in another layout are converted before showing.
    virtual PixelFormat ScreenFormat() const = 0;
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;

    // Shows the frame (800 x 600, RGB565 or the screen's layout). Lost when the shown surface was taken
    // away; Restore brings it back.
    virtual DrawResult Present(const Surface &frame) = 0;
    virtual DrawResult Restore() = 0;

    // Full screen scales the frame to the whole screen; no display mode is changed.
    virtual void ShowFullScreen() = 0;
    // A window of the frame's size centred on the screen, with or without its caption and border.
    virtual void ShowWindowed(bool caption) = 0;
    virtual bool IsFullScreen() const = 0;
};
