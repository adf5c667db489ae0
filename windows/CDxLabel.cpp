#include "windows/CDxLabel.h"

#include "platform/SurfaceText.h"
#include "screen/Device.h"

void CDxLabel::SetRect(int x, int y, int w, int h)
{
    rect = {x, y, x + w, y + h};
}

void CDxLabel::Draw() const
{
    if (visible && lpDDSBack)
        DrawSurfaceText(*lpDDSBack, text, rect, TextLeft, {TextFont::IconTitle, ColorRefToRgb(color)});
}

void CDxLabel::Show(std::string_view shown)
{
    text = shown;
    visible = 1;
}
