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

TEST_F(CBitFormTest, ACheckBoxStartsCheckedAndAClickTogglesItAndClicksEvenWithSoundOff)
{
    CBitCheckBox box("Graphic\\chinull.bmp", "Graphic\\chicancle.bmp"); // 500 x 18 each
    box.SetPos(100, 100);
    EXPECT_EQ(box.checked, 1);
    dxsound->SetSoundOn(false);
    EXPECT_FALSE(box.MouseUp(100, 105));
    EXPECT_FALSE(box.MouseUp(600, 105));
    EXPECT_FALSE(box.MouseUp(105, 118));
    EXPECT_TRUE(sounds.empty());
    EXPECT_TRUE(box.MouseUp(101, 101));
    EXPECT_EQ(box.checked, 0);
    EXPECT_EQ(Heard("Wave\\check.wav"), 1);
    box.enabled = 0;
    EXPECT_FALSE(box.MouseUp(105, 105));
    EXPECT_EQ(box.checked, 0);

    std::unique_ptr<Surface> before = Snapshot();
    box.Draw();
    EXPECT_EQ(CellMismatches(*Load("Graphic\\chinull.bmp"), {0, 0, 500, 18}, 100, 100, *before), 0);
}

} // namespace
