#include "windows/CDxTrackBar.h"

#include "screen/Device.h"
#include "windows/TileColumn.h"

#include <algorithm>

CDxTrackBar::CDxTrackBar(std::string_view thumbPath) : thumb(thumbPath, true), hitheight(thumb.Height()) {}

void CDxTrackBar::SetRange(int left, int right, int top)
{
    x0 = left;
    x1 = right;
    y = top;
    // A thumb too wide for its track gets no step: it stays at the track's start and takes no drag.
    step = std::max((x1 - x0 - thumb.Width()) / kSteps, 0);
}

bool CDxTrackBar::MouseDown(int px, int py)
{
    const int left = x0 + position * step;
    dragging = left < px && px < left + thumb.Width() && y < py && py < y + hitheight;
    return dragging;
}

bool CDxTrackBar::MouseMove(int px, int)
{
    if (!dragging || step <= 0)
        return false;
    int wanted = position;
    if (x0 < px && px < x1)
        wanted = std::min((px - x0) / step, kSteps);
    else if (px < x0)
        wanted = 0;
    else if (px > x1)
        wanted = kSteps;
    if (wanted == position)
        return false;
    position = wanted;
    return true;
}

bool CDxTrackBar::MouseUp(int, int)
{
    dragging = 0;
    return true;
}

void CDxTrackBar::Draw()
{
    if (lpDDSBack && thumb.Get())
        lpDDSBack->Blit(x0 + position * step, y, *thumb.Get(), thumb.rect, true);
}

CDxTrackBar2::CDxTrackBar2(std::string_view thumbPath, std::string_view upPath, std::string_view downPath)
    : tile("Graphic\\NetForm\\barcenter.bmp", true)
{
    buttons.Add(thumbPath, "");
    buttons.Add(upPath, "");
    buttons.Add(downPath, "");
}

void CDxTrackBar2::SetRange(int x, int top, int bottom)
{
    thumbx = x - 1;
    tracktop = top;
    tracklength = bottom - top - buttons.Get(kThumb)->GetHeight();
    step = tracklength / kMax;
    buttons.SetPos(kThumb, x, top);
    columntop = top;
    columnbottom = bottom;
    columnx = thumbx;
}

int CDxTrackBar2::ThumbY() const
{
    if (position >= kMax)
        return tracktop + tracklength;
    if (position > 0)
        return position * step + tracktop;
    return tracktop;
}

void CDxTrackBar2::MoveTo(int newPosition)
{
    position = newPosition;
    buttons.SetPos(kThumb, thumbx, ThumbY());
}

bool CDxTrackBar2::MouseDown(int px, int py)
{
    const int hit = buttons.MouseDown(px, py);
    dragging = hit == kThumb;
    return hit >= 0;
}

bool CDxTrackBar2::MouseMove(int px, int py)
{
    if (!dragging)
        return buttons.MouseMove(px, py) >= 0;
    if (step <= 0)
        return false;
    int wanted = position;
    if (tracktop < py && py < tracktop + tracklength)
        wanted = std::min((py - tracktop) / step, kMax);
    else if (py < tracktop)
        wanted = 0;
    else if (py > tracktop + tracklength)
        wanted = kMax;
    if (wanted == position)
        return false;
    MoveTo(wanted);
    return true;
}

bool CDxTrackBar2::MouseUp(int px, int py)
{
    dragging = 0;
    const int clicked = buttons.MouseUp(px, py);
    if (clicked == kUp)
        position = std::max(position - 1, 0);
    else if (clicked == kDown)
        position = std::min(position + 1, kMax);
    return clicked >= 0;
}

void CDxTrackBar2::Draw()
{
    DrawTileColumn(tile, columnx, columntop, columnbottom);
    MoveTo(position);
    buttons.DrawAll();
}
