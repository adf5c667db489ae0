#include "windows/CBitButton.h"

#include "platform/SurfaceText.h"
#include "screen/CDxSound.h"
#include "screen/Device.h"
#include "screen/FrameBlend.h"

namespace {

constexpr int kHoverEffect = 6;
constexpr int kDisabledAlpha = 50;
constexpr int kToolTipRise = 16;

} // namespace

CBitButton::CBitButton(std::string_view path) : picture(path, true) {}

void CBitButton::SetPos(int px, int py)
{
    x = px;
    y = py;
}

void CBitButton::SetCaption(std::string_view text)
{
    caption = text;
}

bool CBitButton::HitTest(int px, int py) const
{
    return enabled && visible && x < px && px < x + GetWidth() && y < py && py < y + GetHeight();
}

void CBitButton::Draw()
{
    if (!visible || !lpDDSBack)
        return;
    const int w = GetWidth();
    if (!enabled) {
        GAlphaBlend(picture.Get(), x, y, 0, 0, w, GetHeight(), kDisabledAlpha);
    } else if (picture.Get()) {
        const int frame = pressed && hover ? 2 : hover;
        lpDDSBack->Blit(x, y, *picture.Get(), {frame * w, 0, (frame + 1) * w, GetHeight()}, true);
    }
    // Empty texts draw nothing: most buttons have neither caption nor tip. A caption stands in the
    // middle of its button, clear of the border.
    if (!caption.empty())
        DrawSurfaceText(*lpDDSBack, caption, {x, y, x + w, y + GetHeight()}, TextCentre | TextVCentre,
                        {TextFont::IconTitle, 0xFFFFFF});
    // Near the frame's top the tip would not fit above the button.
    if (hover && y - kToolTipRise > 0 && !tooltip.empty())
        SurfaceTextOut(*lpDDSBack, x, y - kToolTipRise, tooltip, {TextFont::IconTitle, 0x000000, true, 0xFFFFFF});
}

bool CBitButton::MouseDown(int px, int py)
{
    if (!HitTest(px, py))
        return false;
    pressed = 1;
    return true;
}

bool CBitButton::MouseMove(int px, int py)
{
    if (!enabled || !visible)
        return false;
    if (HitTest(px, py)) {
        if (hover)
            return false;
        if (dxsound)
            dxsound->PlayEffect(kHoverEffect);
        hover = 1;
        return true;
    }
    if (!hover)
        return false;
    hover = 0;
    return true;
}

bool CBitButton::MouseUp(int px, int py)
{
    if (!enabled || !visible)
        return false;
    const bool click = pressed && HitTest(px, py);
    pressed = 0;
    return click;
}
