#include "windows/CHelpForm.h"

#include "platform/Profile.h"
#include "screen/SurfaceCache.h"

#include <string>

CHelpForm *helpform = nullptr;
int8_t helpprevscreen = SCREEN_NONE;

namespace {

// The page buttons stand in a column, in two groups.
constexpr int kPageButtonX = 124;
constexpr int kPageButtonY[CHelpForm::kPages] = {265, 284, 304, 321, 371, 389, 407, 426, 445, 464};

const char *const kIni = "SET.ini";

std::string PagePicture(int p)
{
    return "Graphic\\HelpForm\\" + std::to_string(p + 1) + ".bmp";
}

} // namespace

CHelpForm::CHelpForm(std::string_view backgroundPath, CMj *game)
    : CBitForm(backgroundPath, game),
      checkbox(std::make_unique<CBitCheckBox>("Graphic\\HelpForm\\checkbox1.bmp", "Graphic\\HelpForm\\checkbox2.bmp"))
{
    for (int p = 0; p < kPages; ++p)
        buttons.Add("Graphic\\HelpForm\\bt" + std::to_string(p + 1) + ".bmp", "");
    buttons.Add("Graphic\\HelpForm\\next.bmp", "");
    buttons.Add("Graphic\\HelpForm\\close.bmp", "");
    buttons.Add("Graphic\\HelpForm\\prev.bmp", "");
    checkbox->checked = Profile::ReadInt(kIni, "Window", "ShowHelp", 1) == 1;
    SetPos(0, 0);
}

void CHelpForm::WriteSettings(Profile::Edit &ini) const
{
    ini.Set("Window", "ShowHelp", checkbox->checked ? "1" : "0");
}

void CHelpForm::Draw()
{
    CBitForm::Draw();
    checkbox->Draw();
}

void CHelpForm::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    for (int p = 0; p < kPages; ++p)
        buttons.SetPos(p, px + kPageButtonX, py + kPageButtonY[p]);
    buttons.SetPos(NEXT, px + 668, py + 532);
    buttons.SetPos(CLOSE, px + 703, py + 6);
    buttons.SetPos(PREV, px + 587, py + 532);
    checkbox->SetPos(px + 85, py + 507);
}

void CHelpForm::Show()
{
    // Remembering the help itself would leave no way out.
    if (curscreen != SCREEN_HELP)
        helpprevscreen = curscreen;
    curscreen = SCREEN_HELP;
    Repaint();
}

void CHelpForm::Hide()
{
    curscreen = helpprevscreen;
    Repaint();
}

int CHelpForm::MouseDown(int px, int py)
{
    bool pressed = buttons.MouseDown(px, py) >= 0;
    bool toggled = checkbox->MouseUp(px, py);
    if (pressed || toggled)
        Repaint();
    return -1;
}

int CHelpForm::MouseUp(int px, int py)
{
    int index = buttons.MouseUp(px, py);
    if (index >= 0 && index < kPages) {
        if (index != page)
            ShowPage(index);
    } else if (index == NEXT) {
        ShowPage((page + 1) % kPages);
    } else if (index == PREV) {
        ShowPage((page + kPages - 1) % kPages);
    } else if (index == CLOSE) {
        Hide();
    }
    return index;
}

void CHelpForm::ShowPage(int p)
{
    page = p;
    GReloadSurface(PagePicture(p), background.surface, background.rect);
    Repaint();
}
