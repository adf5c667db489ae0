#include "windows/CSetForm.h"

#include "platform/Profile.h"
#include "rules/CLog.h"
#include "screen/CDxSound.h"
#include "screen/Device.h"
#include "table/CMj.h"

#include <string>

CSetForm *setform = nullptr;
int8_t setformfrom = SCREEN_NONE;

namespace {

const char *const kIni = "SET.ini";

struct SliderPlace {
    const char *section;
    const char *key;
    int y;
};
// Each slider's SET.ini key and the height of its track.
constexpr SliderPlace kSliderPlaces[CSetForm::kSliders] = {
    {"Volume", "Music", 119}, {"Volume", "Sound", 165}, {"Window", "Speed", 213}};
constexpr int kTrackLeft = 83;
constexpr int kTrackRight = 175;
// Each box's place, by Box; the animation box has a plate of its own beside the full-screen and tips
// boxes, off the volume plates.
constexpr Point kBoxPlaces[CSetForm::kBoxes] = {{52, 262}, {163, 247}, {163, 278}, {197, 100}, {197, 148}};
// The order in which a press tries the boxes.
constexpr CSetForm::Box kPressOrder[] = {CSetForm::ANIMATION, CSetForm::TIPS, CSetForm::FULLSCREEN, CSetForm::MUSIC,
                                         CSetForm::SOUND};

} // namespace

int CSetForm::Volume(int position)
{
    return 5000 / CDxTrackBar::kSteps * position - 5000;
}

int CSetForm::Pace(int position)
{
    return (CDxTrackBar::kSteps - position) * 50 + 200;
}

CSetForm::CSetForm(std::string_view backgroundPath, CMj *game) : CBitForm(backgroundPath, game, true)
{
    for (auto &box : checkbox)
        box = std::make_unique<CBitCheckBox>("Graphic\\OptionForm\\checkbox1.bmp", "Graphic\\OptionForm\\checkbox2.bmp");
    for (auto &bar : slider)
        bar = std::make_unique<CDxTrackBar>("Graphic\\OptionForm\\key.bmp");
    buttons.Add("Graphic\\OptionForm\\Restart.bmp", "");
    Centre();
    // A kept value outside the track leaves the slider at its top.
    for (int i = 0; i < kSliders; ++i) {
        const int kept = Profile::ReadInt(kIni, kSliderPlaces[i].section, kSliderPlaces[i].key, CDxTrackBar::kSteps);
        if (kept >= 0 && kept < CDxTrackBar::kSteps)
            slider[i]->position = kept;
    }
    if (!dxsound)
        g_log.Trace("dxsound == NULL %d\n", 0);
    for (int i = 0; i < kSliders; ++i)
        ApplySlider(i);
}

void CSetForm::WriteSettings(Profile::Edit &ini) const
{
    for (int i = 0; i < kSliders; ++i)
        ini.Set(kSliderPlaces[i].section, kSliderPlaces[i].key, std::to_string(slider[i]->position));
}

void CSetForm::ApplySlider(int which)
{
    const int position = slider[which]->position;
    switch (which) {
    case MUSICVOLUME:
        if (AudioBuffer *tune = dxsound ? dxsound->Tune() : nullptr)
            tune->SetVolume(Volume(position));
        break;
    case SOUNDVOLUME:
        if (dxsound)
            dxsound->SetVolume(Volume(position));
        break;
    case PACE:
        owner->robotpace = Pace(position);
        break;
    default:
        break;
    }
}

void CSetForm::Draw()
{
    // Opaque: what stands beneath would show through the controls' texts.
    if (background.Get())
        lpDDSBack->Blit(x, y, *background.Get(), background.rect, true);
    buttons.DrawAll();
    for (auto &box : checkbox)
        box->Draw();
    for (auto &bar : slider)
        bar->Draw();
}

void CSetForm::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    buttons.SetPos(APPLY, px + 80, py + 305);
    for (int i = 0; i < kBoxes; ++i)
        checkbox[i]->SetPos(px + kBoxPlaces[i].x, py + kBoxPlaces[i].y);
    for (int i = 0; i < kSliders; ++i)
        slider[i]->SetRange(px + kTrackLeft, px + kTrackRight, py + kSliderPlaces[i].y);
}

void CSetForm::Show()
{
    checkbox[ANIMATION]->checked = owner->IsAnimateOn();
    checkbox[FULLSCREEN]->checked = owner->draw.windowed == 0;
    checkbox[TIPS]->checked = owner->ShowTips != 0;
    checkbox[MUSIC]->checked = owner->IsMusicOn();
    checkbox[SOUND]->checked = owner->IsSoundOn();
    setformfrom = curscreen;
    curscreen = SCREEN_OPTIONS;
    Repaint();
}

void CSetForm::Hide()
{
    curscreen = setformfrom;
    Repaint();
}

int CSetForm::MouseDown(int px, int py)
{
    for (auto &bar : slider)
        bar->MouseDown(px, py);
    const int index = ButtonsDown(px, py);
    for (Box box : kPressOrder)
        if (checkbox[box]->MouseUp(px, py)) {
            Repaint();
            break;
        }
    return index;
}

int CSetForm::MouseMove(int px, int py)
{
    const int index = buttons.MouseMove(px, py);
    bool changed = index >= 0;
    for (int i = 0; i < kSliders; ++i)
        if (slider[i]->MouseMove(px, py)) {
            ApplySlider(i);
            changed = true;
        }
    if (changed)
        Repaint();
    return index;
}

int CSetForm::MouseUp(int px, int py)
{
    for (auto &bar : slider)
        bar->MouseUp(px, py);
    const int index = buttons.MouseUp(px, py);
    if (index != APPLY)
        return index;
    owner->SetAnimateOn(checkbox[ANIMATION]->checked);
    owner->ShowTips = checkbox[TIPS]->checked;
    owner->SetMusicOn(checkbox[MUSIC]->checked);
    owner->SetSoundOn(checkbox[SOUND]->checked);
    if (dxsound) {
        // The player reads its own switch only at start otherwise, and would go on sounding.
        dxsound->SetSoundOn(checkbox[SOUND]->checked);
        dxsound->voiceon = owner->yuyin;
    }
    if (checkbox[FULLSCREEN]->checked != (owner->draw.windowed == 0))
        owner->draw.ToggleFullScreen();
    Hide();
    return index;
}
