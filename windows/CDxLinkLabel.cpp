#include "windows/CDxLinkLabel.h"

#include "platform/SurfaceText.h"
#include "screen/Device.h"

void CDxLinkLabel::Set(int x, int y, std::string_view caption, std::string_view address)
{
    text = caption;
    link = address;
    rect = MeasureSurfaceText(text, {x, y, x, y}, TextLeft, TextFont::IconTitle);
}

bool CDxLinkLabel::Contains(int x, int y) const
{
    return shown && x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

void CDxLinkLabel::Draw() const
{
    if (!shown || !lpDDSBack)
        return;
    TextStyle style{TextFont::IconTitle, ColorRefToRgb(color)};
    style.underline = hover != 0;
    SurfaceTextOut(*lpDDSBack, rect.left, rect.top, text, style);
}
