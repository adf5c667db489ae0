#include "tests/windows/WidgetFixture.h"
#include "windows/CBitCheckBox.h"
#include "windows/CBitForm.h"

namespace {

constexpr const char *kPanel = "Graphic\\NewStyle\\popup.bmp";
constexpr const char *kOption = "Graphic\\NewStyle\\option.bmp";

// The least a screen adds to the base.
class MenuScreen : public CBitForm {
public:
    MenuScreen() : CBitForm(kPanel, nullptr) {}
    void Show() override { curscreen = SCREEN_HELP; }
    int MouseDown(int px, int py) override { return buttons.MouseDown(px, py); }
    int MouseMove(int px, int py) override { return buttons.MouseMove(px, py); }
    int MouseUp(int px, int py) override { return buttons.MouseUp(px, py); }
};

using CBitFormTest = WidgetTest;

TEST_F(CBitFormTest, AScreenIsItsWholeBackgroundWithItsButtonsOver)
{
    MenuScreen menu;
    menu.SetPos(264, 96);
    std::unique_ptr<Surface> before = Snapshot();
    menu.Draw();
    std::unique_ptr<Surface> panel = Snapshot();
    // The background's see-through corners are copied too: screens are drawn opaque.
    EXPECT_EQ(CellMismatches(*Load(kPanel), {0, 0, 272, 330}, 264, 96, *before, false), 0);
    EXPECT_EQ(lpDDSBack->Pixel(264, 96), 0xF81Fu);

    menu.buttons.Add(kOption, "");
    menu.buttons.SetPos(0, 302, 198);
    menu.Draw();
    EXPECT_EQ(CellMismatches(*Load(kOption), {0, 0, 196, 44}, 302, 198, *panel), 0);
}

TEST_F(CBitFormTest, HidingAScreenGivesTheTableBack)
{
    MenuScreen menu;
    menu.Show();
    EXPECT_EQ(curscreen, SCREEN_HELP);
    menu.Hide();
    EXPECT_EQ(curscreen, SCREEN_NONE);
}

class CBitCheckBoxTest : public WidgetTest {
protected:
    static constexpr const char *kUnchecked = "Graphic\\chinull.bmp";
    static constexpr const char *kChecked = "Graphic\\chicancle.bmp";
};

TEST_F(CBitCheckBoxTest, StartsCheckedAndAClickTogglesItAndClicksEvenWithSoundOff)
{
    CBitCheckBox box(kUnchecked, kChecked);
    box.SetPos(100, 100);
    EXPECT_EQ(box.checked, 1);
    dxsound->SetSoundOn(false);
    const int w = box.checkedpicture.Width(), h = box.checkedpicture.Height();
    EXPECT_FALSE(box.MouseUp(100, 105));
    EXPECT_FALSE(box.MouseUp(100 + w, 105));
    EXPECT_FALSE(box.MouseUp(105, 100 + h));
    EXPECT_TRUE(sounds.empty());
    EXPECT_TRUE(box.MouseUp(101, 101));
    EXPECT_EQ(box.checked, 0);
    EXPECT_EQ(Heard("Wave\\check.wav"), 1);
    EXPECT_TRUE(box.MouseUp(100 + w - 1, 100 + h - 1));
    EXPECT_EQ(box.checked, 1);

    box.enabled = 0;
    EXPECT_FALSE(box.MouseUp(105, 105));
    box.enabled = 1;
    box.visible = 0;
    EXPECT_FALSE(box.MouseUp(105, 105));
    EXPECT_EQ(box.checked, 1);
    EXPECT_EQ(Heard("Wave\\check.wav"), 2);
}

TEST_F(CBitCheckBoxTest, ItShowsThePictureOfItsState)
{
    CBitCheckBox box(kUnchecked, kChecked);
    box.SetPos(100, 100);
    std::unique_ptr<Surface> before = Snapshot();
    for (uint8_t checked : {1, 0}) {
        *lpDDSBack = *before;
        box.checked = checked;
        box.Draw();
        std::unique_ptr<Surface> picture = Load(checked ? kChecked : kUnchecked);
        EXPECT_EQ(CellMismatches(*picture, picture->Bounds(), 100, 100, *before), 0) << int(checked);
    }
}

} // namespace
