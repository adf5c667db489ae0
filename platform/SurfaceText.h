#pragma once
#include "platform/Surface.h"

#include <string_view>

// Text drawn onto an RGB565 surface the way the game screen writes it: GBK text, the game's
// fonts, Chinese characters from a fallback font. Measuring follows the same line rules as drawing.
enum class TextFont {
    Arial12,     // "Arial", 12 pixels, normal weight
    Arial14Bold, // "Arial", 14 pixels, semi-bold, for headings
    IconTitle,   // the desktop's icon-title font
    Arial10,     // "Arial", 10 pixels, for a text its box holds only smaller
};

enum TextFlags : unsigned {
    TextLeft = 0,
    TextCentre = 1,
    TextRight = 2,
    TextVCentre = 4,     // centred between top and bottom
    TextWordBreak = 16,  // lines break between words to fit the width; otherwise only at line ends
};

// Colours of labels, lines and edit boxes are kept as Windows COLORREF values, 0x00BBGGRR; drawing
// takes 0x00RRGGBB.
constexpr uint32_t ColorRefToRgb(uint32_t colorref)
{
    return (colorref & 0xFF) << 16 | (colorref & 0xFF00) | (colorref >> 16 & 0xFF);
}

struct TextStyle {
    TextFont font = TextFont::Arial12;
    uint32_t color = 0xFFFFFF; // 0x00RRGGBB
    bool opaque = false;       // fill behind the text with the background colour
    uint32_t background = 0;   // 0x00RRGGBB
    bool underline = false;
};

// Draws into box (clipped to it) by flags.
void DrawSurfaceText(Surface &surface, std::string_view gbk, Rect box, unsigned flags, const TextStyle &style);
// The box the text takes when drawn from box's top-left corner: right and bottom are its extent.
Rect MeasureSurfaceText(std::string_view gbk, Rect box, unsigned flags, TextFont font);
// One line with its top-left corner at (x, y), unclipped.
void SurfaceTextOut(Surface &surface, int x, int y, std::string_view gbk, const TextStyle &style);
