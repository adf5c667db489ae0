#include "windows/CInputNameDlg.h"

#include "platform/Profile.h"
#include "platform/Random.h"
#include "screen/Device.h"
#include "table/CMj.h"

#include <string>

CInputNameDlg *inputnamedlg = nullptr;

namespace {

constexpr uint8_t kTab = 9;
constexpr uint8_t kEnter = 13;
const char *const kIni = "SET.ini";
// SET.ini's Avatar keys, by seat.
const char *const kAvatarKeys[4] = {"SPlayer", "EPlayer", "NPlayer", "WPlayer"};
// Where each seat's avatar stands in the frame, and its two buttons relative to the screen.
constexpr Point kAvatarAt[4] = {{372, 342}, {548, 242}, {372, 164}, {194, 242}};
constexpr Point kPrevious[4] = {{341, 360}, {518, 255}, {342, 182}, {164, 254}};
constexpr Point kNext[4] = {{435, 360}, {613, 255}, {437, 182}, {259, 254}};

bool ValidAvatar(int n)
{
    return n >= 0 && n < CInputNameDlg::kAvatars;
}

} // namespace

CInputNameDlg::CInputNameDlg(std::string_view backgroundPath, CMj *game)
    : CBitForm(backgroundPath, game, true), nameedit(std::make_unique<CDxEdit>("Graphic\\InputName\\Edit.bmp")),
      avatarstrip("Graphic\\InputName\\djhzj.bmp", true)
{
    nameedit->focused = 1;
    nameedit->color = 0x000000;
    buttons.Add("Graphic\\InputName\\queding.bmp", "");
    for (int seat = 0; seat < 4; ++seat) {
        buttons.Add("Graphic\\InputName\\zyd.bmp", "");
        buttons.Add("Graphic\\InputName\\yyd.bmp", "");
    }
    Centre();
}

void CInputNameDlg::Draw()
{
    if (!lpDDSBack)
        return;
    if (background.Get())
        lpDDSBack->Blit(x, y, *background.Get(), background.rect, true);
    if (avatarstrip.Get())
        for (int seat = 0; seat < 4; ++seat)
            if (ValidAvatar(avatar[seat]))
                lpDDSBack->Blit(kAvatarAt[seat].x, kAvatarAt[seat].y, *avatarstrip.Get(),
                                {kAvatarSize * avatar[seat], 0, kAvatarSize * (avatar[seat] + 1), kAvatarSize}, true);
    buttons.DrawAll();
    nameedit->Draw();
}

void CInputNameDlg::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    nameedit->SetPos(px + 215, py + 498);
    buttons.SetPos(START, px + 450, py + 488);
    for (int seat = 0; seat < 4; ++seat) {
        buttons.SetPos(1 + 2 * seat, px + kPrevious[seat].x, py + kPrevious[seat].y);
        buttons.SetPos(2 + 2 * seat, px + kNext[seat].x, py + kNext[seat].y);
    }
}

void CInputNameDlg::Show()
{
    curscreen = SCREEN_NAME;
    Random::SeedWithTime();
    for (int &n : avatar)
        n = Random::Next() % kAvatars;
    // A seat without a kept avatar, or with a number outside the avatars, keeps the random one; a
    // missing key read as avatar 0 would give a first game four equal faces and three equal names.
    for (int seat = 0; seat < 4; ++seat) {
        const int kept = Profile::ReadInt(kIni, "Avatar", kAvatarKeys[seat], -1);
        if (ValidAvatar(kept))
            avatar[seat] = kept;
    }
    CopyAvatars();
    Repaint();
}

void CInputNameDlg::CopyAvatars()
{
    for (int seat = 0; seat < 4; ++seat) {
        CMjPlayer &p = owner->player[seat];
        p.avatarindex = avatar[seat];
        p.sex = CMjPlayer::SexOfAvatar(avatar[seat]);
    }
}

int CInputNameDlg::MouseDown(int px, int py)
{
    const int index = buttons.MouseDown(px, py);
    nameedit->MouseDown(px, py);
    Repaint();
    return index;
}

int CInputNameDlg::MouseUp(int px, int py)
{
    const int index = buttons.MouseUp(px, py);
    if (index == START) {
        StartGame();
    } else if (index > START) {
        int &n = avatar[(index - 1) / 2];
        const bool previous = index % 2 == 1;
        if (previous && n > 0)
            --n;
        else if (!previous && n < kAvatars - 1)
            ++n;
    }
    if (index >= 0) {
        CopyAvatars();
        Repaint();
    }
    return index;
}

void CInputNameDlg::KeyPress(uint8_t key)
{
    // A name is one line of text: Tab is no part of it.
    if (key == kTab)
        return;
    nameedit->KeyPress(key);
    if (key == kEnter)
        StartGame();
    else
        Repaint();
}

void CInputNameDlg::StartGame()
{
    owner->PlayMidi();
    // A local game has no minimum and no wild tile; the screen offers no rule to choose.
    minfan = 0;
    wildmode = 0;
    owner->wildrule = 2;
    Profile::Edit ini(kIni);
    for (int seat = 0; seat < 4; ++seat)
        ini.Set("Avatar", kAvatarKeys[seat], std::to_string(avatar[seat]));
    owner->CommitSettings(ini);
    curscreen = SCREEN_NONE;
    // At most a name's 20 bytes, cut between characters, and handed over terminated.
    const std::string name = nameedit->GetText(CMjPlayer::kNameSize);
    owner->SetPlayerName(name.c_str());
    owner->NewLocalGame();
}
