#include "platform/Profile.h"
#include "tests/windows/GameScreenFixture.h"
#include "windows/CModeForm.h"
#include "windows/CSetForm.h"

#include <cstdlib>

// The options: sliders that act while they move and are kept, switches that apply takes over.
namespace {

class Options : public GameScreenTest {
protected:
    void SetUp() override
    {
        GameScreenTest::SetUp();
        std::filesystem::create_symlink(std::filesystem::path(std::getenv("LANTILE_DATA")) / "Wave" / "TinyGame.wav",
                                        ProgramFile("Wave/TinyGame.wav"));
    }

    // The slider's thumb pressed and dragged to x.
    static void Drag(int which, int x)
    {
        const CDxTrackBar &bar = *setform->slider[which];
        const int left = bar.x0 + bar.position * bar.step;
        setform->MouseDown(left + 2, bar.y + 2);
        setform->MouseMove(x, bar.y + 2);
        setform->MouseUp(x, bar.y + 2);
    }
    static int Effects() { return dxsound->Effect(6)->Volume(); }
    static int Tune() { return dxsound->Tune()->Volume(); }
    static void Press(const CBitCheckBox &box)
    {
        setform->MouseDown(box.x + 5, box.y + 5);
        setform->MouseUp(box.x + 5, box.y + 5);
    }
};

TEST_F(Options, SlidersActAsTheyMoveAndAreKeptWithinTheirTrack)
{
    Game();
    ASSERT_TRUE(dxsound->Tune() && dxsound->Effect(6));
    EXPECT_EQ(Tune(), 0);
    const int x0 = setform->slider[0]->x0, x1 = setform->slider[0]->x1;
    Drag(CSetForm::SOUNDVOLUME, x0 - 5);
    EXPECT_EQ(Effects(), -5000);
    EXPECT_EQ(Tune(), 0); // the tune follows its own slider only
    Drag(CSetForm::SOUNDVOLUME, x1 + 5);
    EXPECT_EQ(Effects(), 0);
    Drag(CSetForm::MUSICVOLUME, x0 + 4 * 19 + 1);
    EXPECT_EQ(setform->slider[CSetForm::MUSICVOLUME]->position, 19);
    EXPECT_EQ(Tune(), -250);
    Drag(CSetForm::PACE, x0 - 5);
    EXPECT_EQ(game->robotpace, 1200);
    Drag(CSetForm::SOUNDVOLUME, x0 + 4 * 3 + 1);

    game.reset();
    EXPECT_EQ(Profile::ReadInt("SET.ini", "Volume", "Sound", -1), 3);
    EXPECT_EQ(Profile::ReadInt("SET.ini", "Volume", "Music", -1), 19);
    EXPECT_EQ(Profile::ReadInt("SET.ini", "Window", "Speed", -1), 0);
    Game();
    EXPECT_EQ(Effects(), -5000 + 3 * 250);
    EXPECT_EQ(Tune(), -250);
    EXPECT_EQ(game->robotpace, 1200);

    // A kept value off the track leaves the slider at its top.
    game.reset();
    Profile::WriteString("SET.ini", "Window", "Speed", "25");
    Profile::WriteString("SET.ini", "Volume", "Music", "-1");
    Game();
    EXPECT_EQ(game->robotpace, 200);
    EXPECT_EQ(Tune(), 0);
}

TEST_F(Options, ApplyTakesTheSwitchesOverAndReturnsWhereTheOptionsWereOpened)
{
    Game();
    modeform->Show();
    setform->Show();
    EXPECT_EQ(setform->checkbox[CSetForm::SOUND]->checked, 1);
    EXPECT_EQ(setform->checkbox[CSetForm::FULLSCREEN]->checked, 0);
    for (CSetForm::Box box : {CSetForm::ANIMATION, CSetForm::TIPS, CSetForm::MUSIC, CSetForm::SOUND})
        Press(*setform->checkbox[box]);
    EXPECT_EQ(Heard("Wave\\check.wav"), 4);
    // Nothing changes before apply.
    EXPECT_TRUE(game->IsSoundOn());
    Click(*setform, CSetForm::APPLY);
    EXPECT_EQ(curscreen, SCREEN_MENU);
    EXPECT_FALSE(game->IsAnimateOn());
    EXPECT_EQ(game->ShowTips, 0);
    EXPECT_FALSE(game->IsSoundOn());
    // The sound player is silent at once, not only after the next start.
    sounds.clear();
    game->PlayEffect(EFFECT_DISCARD);
    dxsound->PlayEffect(6);
    EXPECT_TRUE(sounds.empty());

    curscreen = SCREEN_NONE;
    setform->Show();
    EXPECT_EQ(setform->checkbox[CSetForm::SOUND]->checked, 0);
    Click(*setform, CSetForm::APPLY);
    EXPECT_EQ(curscreen, SCREEN_NONE);
}

} // namespace
