#pragma once
#include "platform/Surface.h"

#include <cstdint>
#include <string>
#include <vector>

// What the game window passes on to its owner, in frame coordinates (800 x 600, whatever the
// window's size; points outside the frame may come while a button is held). Keys come as the game
// reads them: a key's code on its press, then the bytes it types (GBK), then its code on release.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;

    virtual void MouseDown(int x, int y, bool right) = 0;
    virtual void MouseMove(int x, int y) = 0;
    // Either button.
    virtual void MouseUp(int x, int y) = 0;
    // Key codes: 8 Backspace, 9 Tab, 13 Enter, 27 Esc, 32 Space, 33-36 PgUp PgDn End Home, 37-40
    // the arrows, 46 Delete, 48-57 the digits, 65-90 the letters, 112-123 F1-F12.
    virtual void KeyDown(int key) = 0;
    virtual void KeyUp(int key) = 0;
    // One typed byte: printable text and 8, 9, 13, 27.
    virtual void Char(uint8_t byte) = 0;
    // Where typed text would go now: true while an edit box has the focus, with the box in frame
    // coordinates (an input method places its candidates beside it).
    virtual bool TextInput(Rect &box) const = 0;
    // The window has been shown and painted for the first time.
    virtual void FirstShow() = 0;
    // The user closes the window; it closes after this returns.
    virtual void Close() = 0;
    // Files dropped on the window, as local paths in the file system's bytes; an item that is not a
    // local file comes as an empty path.
    virtual void Drop(const std::vector<std::string> &paths) = 0;
};
