#include "windows/CBitCheckBox.h"

#include "platform/SurfaceText.h"
#include "screen/CDxSound.h"
#include "screen/Device.h"

CBitCheckBox::CBitCheckBox(std::string_view unchecked, std::string_view checked)
    : checkedpicture(checked, true), uncheckedpicture(unchecked, true)
{
}

void CBitCheckBox::SetPos(int px, int py)
{
    x = px;
    y = py;
}

void CBitCheckBox::Draw()
{
    if (!visible || !lpDDSBack)
        return;
    const CachedPicture &shown = checked ? checkedpicture : uncheckedpicture;
    if (shown.Get())
        lpDDSBack->Blit(x, y, *shown.Get(), shown.rect, true);
    // Enabled or not, the box looks the same; the caption is in the plain black of text.
    SurfaceTextOut(*lpDDSBack, x + checkedpicture.Width() + 4, y + 4, caption, {TextFont::IconTitle, 0x000000});
}

bool CBitCheckBox::MouseUp(int px, int py)
{
    if (!enabled || !visible || px <= x || px >= x + checkedpicture.Width() || py <= y ||
        py >= y + checkedpicture.Height())
        return false;
    if (dxsound)
        dxsound->PlayWave("Wave\\check.wav");
    checked = !checked;
    return true;
}
