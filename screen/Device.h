#pragma once
#include "platform/FrameSink.h"
#include "platform/ResourceModule.h"
#include "screen/Sprite.h"

#include <cstdint>

// The display device shared by every drawing routine of the game screen. The window is both the
// device and the surface frames are shown on; there is no separate clipper, as a window only ever
// shows inside itself.
extern FrameSink *hMainWnd;      // the main window, set by whoever creates it
extern FrameSink *lpDD;          // the device while it is set up
extern FrameSink *lpDDSPrimary;  // where frames are shown
extern SurfaceSlot lpDDSBack;    // the 800 x 600 RGB565 frame every picture is drawn into
extern SurfaceSlot lpDDSSame;    // the frame converted to the screen's layout, when that is not RGB565

// 1 in full screen, 0 in a window.
extern uint8_t fullscreen;

// The window's screen layout: 1 RGB565, 2 another 16-bit layout, 4 24-bit, 5 32-bit, 0 none of these.
enum : uint8_t { FormatUnknown = 0, FormatRgb565 = 1, Format16 = 2, Format24 = 4, Format32 = 5 };
extern uint8_t pixelformat;

// The source colour key of every sprite, low and high always equal.
struct ColorKey {
    uint32_t low = 0;
    uint32_t high = 0;
};
extern ColorKey colorkey;

// Where a picture missing on disk is taken from: the program's own resources, or the resource bundle
// beside the program while a display-mode switch rebuilds every picture.
extern ResourceModule hResModule;

// 1 when the main window was started for an online game (no loading picture then).
extern uint8_t networkmode;

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;
