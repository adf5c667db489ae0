#pragma once
#include "screen/CachedPicture.h"
#include "windows/CBitButton.h"
#include "windows/CChatPage.h"

#include <cstdint>
#include <optional>
#include <string_view>

// What both chat windows share: pages of chat text in a rectangle over a blended background, one page
// shown at a time, turned by an up and a down arrow. Owners set visible and clickable directly.
class ChatWindow {
public:
    ChatWindow(const ChatWindow &) = delete;
    ChatWindow &operator=(const ChatWindow &) = delete;

    // Wrapped to the window's width, its control bytes shown as spaces; the window turns to the page
    // that took it.
    void AddText(std::string_view text, uint32_t color);
    // The text rectangle; the arrows stand right of it, up at its top, down at its bottom.
    void SetPos(int l, int t, int r, int b);
    // Over a clickable window the line under the pointer is selected (true when it is a new one);
    // elsewhere the arrows' hover (true when one changed).
    bool MouseMove(int x, int y);
    bool MouseDown(int x, int y);
    // An arrow clicked turns one page, never past the first or the last (true when one was clicked).
    bool MouseUp(int x, int y);
    // Every page goes.
    void Clear();

    CChatPageList pages;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    CBitButton up;
    CBitButton down;
    CachedPicture background;
    uint8_t visible = 0;
    uint8_t clickable = 0; // lines follow the pointer only when set
    int curpage = -1;

protected:
    ChatWindow(std::string_view backgroundPath, std::string_view upPath, std::string_view downPath);
    ~ChatWindow() = default;

    bool Inside(int x, int y) const { return left < x && x < right && top < y && y < bottom; }
    void DrawBackground(int alpha);
    void DrawContent();
};

// The lobby's room chat, with a scroll column under its arrows.
class CDxChatWnd : public ChatWindow {
public:
    CDxChatWnd();

    void SetPos(int l, int t, int r, int b);
    // The background blended with alpha, the column, the arrows and the current page.
    void Draw(int alpha);

    int columntop = 0;
    int columnbottom = 0;
    int columnx = 0;

private:
    // Each window keeps its own: a picture shared through a static outlives the surface cache's
    // table when a window is still open as the program ends.
    CachedPicture columntile_{"Graphic\\NetForm\\barcenter.bmp", true};
};

// A chat window on the table: the table's chat and system lines, or the ready-made lines the player
// clicks to send.
class CDxGameChatWnd : public ChatWindow {
public:
    CDxGameChatWnd();

    // The background blended with alpha, the arrows and the current page.
    void Draw(int alpha);
    // The selected line of the page shown, when the point is strictly inside a visible, clickable
    // window; its bytes with their length (the copy has no terminator).
    std::optional<std::string_view> LineAt(int x, int y) const;
};
