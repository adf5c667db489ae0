#pragma once
#include "platform/Surface.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text store of the chat windows: lines in a list make a page, pages make a list. A text is
// word-wrapped to the page's width (icon-title font) when it is added and keeps its own colour.

// One added text, drawn word-wrapped into its rectangle (frame coordinates).
class CChatLine {
public:
    void SetRect(int l, int t, int r, int b);
    // The line's own copy of the bytes; its top moves down by offset and it is height tall.
    void SetText(std::string_view bytes, int offset, int height);
    void Draw() const;

    uint32_t color = 0xFFFFFF; // COLORREF
    Rect rect;
    std::string text;
    uint8_t selected = 0;
};

class CChatLineList {
public:
    // A new line with the list's rectangle, appended.
    void Add(std::string_view text, int offset, int height, uint32_t color);
    void Clear();
    void SetRect(int l, int t, int r, int b);
    // The first line strictly around the point becomes the only one selected and its index is
    // returned; -1 when it already was, or when no line is there (the selection stays then).
    int HitTest(int x, int y);
    // A selected line's rectangle is filled first; then every line in its colour.
    void Draw() const;
    // The first selected line's bytes, with their length (the copy has no terminator).
    std::optional<std::string_view> SelectedText() const;

    std::vector<CChatLine> lines;
    Rect rect;
};

class CChatPage {
public:
    // An empty page over the rectangle.
    void SetRect(int l, int t, int r, int b);
    // False when the page already holds text and this one does not fit below it. An empty page
    // takes any text; one taller than the page is cut at its bottom.
    bool AddText(std::string_view text, uint32_t color);
    int HitTest(int x, int y) { return list.HitTest(x, y); }
    void Draw() const { list.Draw(); }
    std::optional<std::string_view> SelectedText() const { return list.SelectedText(); }

    CChatLineList list;
    int used = 0; // where the next line goes, from the page's top
    Rect rect;
};

// The pages of one window, holding the last kKeptLines texts: what a player scrolls back through of a
// busy room. The oldest page goes whole once the pages after it hold that many.
class CChatPageList {
public:
    static constexpr int kKeptLines = 2000;

    // The rectangle of pages made from now on.
    void SetRect(int l, int t, int r, int b);
    // The index of the page that took the text: the last page, or a new one after it.
    int AddText(std::string_view text, uint32_t color);
    // Below 0 the first page, from the count on the last; null when there is none.
    CChatPage *GetPage(int index) const;
    int Count() const { return static_cast<int>(pages_.size()); }
    // Pages outside 0..Count()-1 do not exist: -1, nothing drawn, no text.
    int HitTest(int x, int y, int page);
    void Draw(int page) const;
    std::optional<std::string_view> SelectedText(int page) const;
    void Clear();

    Rect rect;

private:
    CChatPage *Page(int index) const;

    std::vector<std::unique_ptr<CChatPage>> pages_;
    int lines_ = 0;
};
