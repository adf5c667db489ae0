#pragma once
#include "screen/CachedPicture.h"

#include <cstdint>
#include <string>
#include <string_view>

// A one-line edit box on the game screen: names, accounts, passwords and chat lines. Text is GBK and
// holds at most 99 bytes, never half a character. The owning screen reads and writes text, mask,
// focused, visible, caret and color directly, and moves the focus between its boxes itself.
class CDxEdit {
public:
    static constexpr size_t kMaxLength = 99;

    explicit CDxEdit(std::string_view path);

    void SetPos(int px, int py);
    // The picture, then the text (or its stars) in "Arial" 12 from 5 pixels inside; while focused
    // with the caret. Text wider than the box shows its end and the caret, right-aligned.
    void Draw();
    // A press strictly inside focuses the box (true); elsewhere the focus stays as it was.
    bool MouseDown(int px, int py);
    // One typed byte while focused: Backspace removes the last character, other bytes are added while
    // they fit (a full box beeps once per refused character). Enter, Escape and other control bytes
    // but Tab are not the box's: false.
    bool KeyPress(uint8_t key);
    // The first max bytes at most, cut between characters.
    std::string GetText(size_t max) const;

    CachedPicture picture;
    int x = 0;
    int y = 0;
    uint8_t mask = 0;  // one "*" per byte instead of the text (passwords)
    uint8_t caret = 1; // blink phase: 1 shows the caret "|"; the caret timer flips it
    std::string text;
    uint8_t visible = 1;
    uint8_t focused = 0;
    uint32_t color = 0; // COLORREF
    int marginx = 5;
    int marginy = 5;

private:
    // The trail byte of a refused two-byte character is dropped too.
    uint8_t droptrail_ = 0;
    std::string shown_;
};
