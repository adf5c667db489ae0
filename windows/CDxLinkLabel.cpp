#include "windows/CDxLinkLabel.h"

#include "platform/SurfaceText.h"

void CDxLinkLabel::Set(int x, int y, std::string_view caption, std::string_view address)
{
    text = caption;
    link = address;
    rect = MeasureSurfaceText(text, {x, y, x, y}, TextLeft, TextFont::IconTitle);
}
