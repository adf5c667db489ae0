#pragma once
#include "platform/Profile.h"
#include "windows/CBitCheckBox.h"
#include "windows/CBitForm.h"
#include "windows/CDxTrackBar.h"

#include <cstdint>
#include <memory>
#include <string_view>

// Screen 2, the options, over the title menu or the table: five switches (animation, full screen,
// tool-tips, music, sound) that apply takes over, and three sliders (tune volume, sound volume, the
// robots' pace) that take effect as they move. The sliders are kept in SET.ini.
class CSetForm : public CBitForm {
public:
    enum Box { ANIMATION, FULLSCREEN, TIPS, MUSIC, SOUND, kBoxes };
    enum Slider { MUSICVOLUME, SOUNDVOLUME, PACE, kSliders };
    enum Button { APPLY = 0 };

    // Reads the sliders from SET.ini and sets the volumes and the pace from them.
    CSetForm(std::string_view background, CMj *owner);
    // The sliders, into the settings the game object writes as it ends.
    void WriteSettings(Profile::Edit &ini) const;

    // The background half see-through, the button, the boxes, the sliders.
    void Draw() override;
    void SetPos(int px, int py) override;
    // The boxes as the game has its options now; remembers the screen it opens over.
    void Show() override;
    // Back to the screen it was opened over.
    void Hide() override;
    // A press starts a slider's drag or toggles a box.
    int MouseDown(int px, int py) override;
    int MouseMove(int px, int py) override;
    int MouseUp(int px, int py) override;

    // Hundredths of a decibel for a volume slider's position: 0 at the top, -5000 at the bottom.
    static int Volume(int position);
    // Milliseconds between the robots' steps for the pace slider's position: 1200 at 0, 200 at 20.
    static int Pace(int position);

    std::unique_ptr<CBitCheckBox> checkbox[kBoxes];
    std::unique_ptr<CDxTrackBar> slider[kSliders];

private:
    // What a slider's position stands for, set where it takes effect.
    void ApplySlider(int which);
};

extern CSetForm *setform;
// The screen that was on top when the options screen was shown: from the title menu the menu stays
// dimmed behind it, from the table the table.
extern int8_t setformfrom;
