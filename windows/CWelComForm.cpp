#include "windows/CWelComForm.h"

#include "platform/Paths.h"
#include "rules/CLog.h"
#include "screen/CDxSound.h"
#include "table/CMj.h"
#include "windows/CInputNameDlg.h"
#include "windows/CModeForm.h"
#include "windows/CNewGameDlg.h"

CWelComForm *welcomform = nullptr;

namespace {

constexpr int kNewGameX = 462;
constexpr int kLoadX = 292;

// The confirmation stands beside slot k (0-4).
constexpr int kConfirmX = 312;
constexpr int ConfirmY(int k)
{
    return 132 + 46 * k;
}

} // namespace

CWelComForm::CWelComForm(std::string_view backgroundPath, CMj *game) : CBitForm(backgroundPath, game)
{
    for (int k = 0; k < kSlots; ++k)
        buttons.Add("Graphic\\LoadForm\\newgame.bmp", "");
    buttons.Add("Graphic\\LoadForm\\close.bmp", "");
    for (int k = 0; k < kSlots; ++k)
        buttons.Add("Graphic\\LoadForm\\load.bmp", "");
    for (int k = 0; k < kSlots; ++k) {
        buttons.SetPos(NEWGAME + k, kNewGameX, 239 + 48 * k);
        buttons.SetPos(LOAD + k, kLoadX, 241 + 46 * k);
    }
    buttons.SetPos(CLOSE, 312, 471);
    RefreshSlots();
}

std::string CWelComForm::SlotFile(int n)
{
    return "Save\\" + std::to_string(n) + ".cmj";
}

void CWelComForm::RefreshSlots()
{
    for (int n = 1; n <= kSlots; ++n) {
        const bool exists = Paths::Exists(SlotFile(n));
        slotexists[n - 1] = exists;
        CBitButton *load = buttons.Get(LOAD + n - 1);
        load->enabled = exists;
        load->SetCaption(exists ? "file" + std::to_string(n) : "");
    }
}

void CWelComForm::StartNewGame()
{
    curscreen = SCREEN_NONE;
    Hide();
    owner->ResetTable();
    Repaint();
    inputnamedlg->Show();
}

void CWelComForm::Show()
{
    // A file may have come or gone since the slots were last looked at.
    RefreshSlots();
    curscreen = SCREEN_SLOTS;
    Repaint();
}

void CWelComForm::Hide()
{
    CBitForm::Hide();
    if (dxsound)
        dxsound->StopLoop();
    if (owner->IsMusicOn()) {
        owner->PlayMidi();
        g_log.Trace("PlayMidi ok.\n");
    }
}

int CWelComForm::MouseUp(int px, int py)
{
    const int index = buttons.MouseUp(px, py);
    if (index >= NEWGAME && index < NEWGAME + kSlots) {
        const int k = index - NEWGAME;
        owner->savefile = SlotFile(k + 1);
        if (slotexists[k]) {
            newgamedlg->SetPos(kConfirmX, ConfirmY(k));
            newgamedlg->Show();
        } else {
            StartNewGame();
        }
    } else if (index == CLOSE) {
        modeform->Show();
    } else if (index >= LOAD && index < LOAD + kSlots) {
        if (owner->LoadGame(SlotFile(index - LOAD + 1))) {
            curscreen = SCREEN_NONE;
            Hide();
        }
        Repaint();
    }
    return index;
}
