#include "platform/CloseRequest.h"
#include "platform/Profile.h"
#include "platform/Random.h"
#include "tests/windows/GameScreenFixture.h"
#include "windows/CHelpForm.h"
#include "windows/CInputNameDlg.h"
#include "windows/CModeForm.h"
#include "windows/CNewGameDlg.h"
#include "windows/CSetForm.h"
#include "windows/CWelComForm.h"

#include <cstdlib>

// From the title menu through the saved-game slots and the name screen to a game.
namespace {

class TitleScreens : public GameScreenTest {
protected:
    void SetUp() override
    {
        GameScreenTest::SetUp();
        // The title tune, which the slots stop when play begins.
        std::filesystem::create_symlink(std::filesystem::path(std::getenv("LANTILE_DATA")) / "Wave" / "TinyGame.wav",
                                        ProgramFile("Wave/TinyGame.wav"));
        CloseRequest::SetHandler([this] { ++closes; });
        Random::Pin(77);
        Game();
    }
    void TearDown() override
    {
        Random::Unpin();
        CloseRequest::SetHandler(nullptr);
        GameScreenTest::TearDown();
    }

    static bool TunePlays() { return dxsound->Tune() && dxsound->Tune()->IsPlaying(); }
    static std::string Avatar(const char *key) { return std::to_string(Profile::ReadInt("SET.ini", "Avatar", key, -1)); }
    static void Type(const std::string &bytes)
    {
        for (char byte : bytes)
            inputnamedlg->KeyPress(static_cast<uint8_t>(byte));
    }

    int closes = 0;
};

TEST_F(TitleScreens, AnUntickedHelpStaysAwayAndExitClosesTheWindow)
{
    helpform->checkbox->checked = 0;
    modeform->Show();
    Click(*modeform, CModeForm::GAME);
    EXPECT_EQ(curscreen, SCREEN_SLOTS);
    modeform->Show();
    Click(*modeform, CModeForm::EXIT);
    EXPECT_EQ(closes, 1);
}

TEST_F(TitleScreens, ASlotInUseAsksBesideItAndConfirmingClearsTheTableAndStopsTheTune)
{
    welcomform->Show();
    for (int k = 0; k < CWelComForm::kSlots; ++k)
        EXPECT_FALSE(welcomform->buttons.Get(CWelComForm::LOAD + k)->enabled) << k;
    std::filesystem::create_directory(ProgramFile("Save"));
    WriteProgramFile("Save/3.cmj", "kept");
    welcomform->Show();
    const CBitButton &load = *welcomform->buttons.Get(CWelComForm::LOAD + 2);
    EXPECT_TRUE(load.enabled);
    EXPECT_EQ(load.caption, "file3");

    Click(*welcomform, CWelComForm::NEWGAME + 2);
    EXPECT_EQ(curscreen, SCREEN_NEWGAME);
    Click(*newgamedlg, CNewGameDlg::CANCEL);
    EXPECT_EQ(curscreen, SCREEN_SLOTS);
    EXPECT_TRUE(TunePlays());

    game->player[2].cardnum = 9;
    Click(*welcomform, CWelComForm::NEWGAME + 2);
    Click(*newgamedlg, CNewGameDlg::CONFIRM);
    EXPECT_EQ(curscreen, SCREEN_NAME);
    EXPECT_FALSE(TunePlays());
    EXPECT_EQ(game->player[2].cardnum, 0);
    EXPECT_EQ(game->savefile, "Save\\3.cmj");
}

TEST_F(TitleScreens, AvatarsComeFromTheSettingsOrAtRandomAndStopAtBothEnds)
{
    Profile::WriteString("SET.ini", "Avatar", "SPlayer", "6");
    Profile::WriteString("SET.ini", "Avatar", "EPlayer", "12");
    Profile::WriteString("SET.ini", "Avatar", "NPlayer", "5");
    Random::Pin(1);
    inputnamedlg->Show();
    Random::Pin(1);
    int random[4];
    for (int &n : random)
        n = Random::Next() % 12;
    // A number off the strip, and a missing key, leave the random avatar.
    EXPECT_EQ(inputnamedlg->avatar[0], 6);
    EXPECT_EQ(inputnamedlg->avatar[1], random[1]);
    EXPECT_EQ(inputnamedlg->avatar[2], 5);
    EXPECT_EQ(inputnamedlg->avatar[3], random[3]);
    EXPECT_EQ(game->player[0].sex, 1);
    EXPECT_EQ(game->player[2].sex, 0);
    EXPECT_EQ(game->player[1].avatarindex, random[1]);

    inputnamedlg->avatar[3] = 0;
    Click(*inputnamedlg, 7); // seat 3's previous, at 0
    EXPECT_EQ(inputnamedlg->avatar[3], 0);
    Click(*inputnamedlg, 8);
    EXPECT_EQ(inputnamedlg->avatar[3], 1);
    inputnamedlg->avatar[0] = 11;
    Click(*inputnamedlg, 2);
    EXPECT_EQ(inputnamedlg->avatar[0], 11);
    Click(*inputnamedlg, 6); // seat 2 from a woman's avatar to a man's
    EXPECT_EQ(game->player[2].avatarindex, 6);
    EXPECT_EQ(game->player[2].sex, 1);
}

// The pointer lit the button that opened another screen; when the screen comes back, the pointer has
// moved over the other one, and nothing of it stays lit.
TEST_F(TitleScreens, AScreenComesBackWithNoButtonLit)
{
    modeform->Show();
    const Surface plain = *lpDDSBack;
    auto [x, y] = Middle(*modeform, CModeForm::OPTIONS);
    modeform->MouseMove(x, y);
    ASSERT_TRUE(modeform->buttons.Get(CModeForm::OPTIONS)->hover);
    modeform->MouseDown(x, y);
    modeform->MouseUp(x, y);
    ASSERT_EQ(curscreen, SCREEN_OPTIONS);
    Click(*setform, CSetForm::APPLY);
    ASSERT_EQ(curscreen, SCREEN_MENU);
    EXPECT_EQ(Changed(plain, plain.Bounds()), 0) << "the title menu as it first showed";
}

TEST_F(TitleScreens, EnterStartsTheGameWithTheNameTypedCutBetweenCharacters)
{
    inputnamedlg->Show();
    game->OnTimer(TIMER_CARET);
    EXPECT_EQ(inputnamedlg->nameedit->caret, 0);
    // A name is one line: Tab goes nowhere.
    Type("ab\tcd");
    EXPECT_EQ(inputnamedlg->nameedit->text, "abcd");
    inputnamedlg->nameedit->text.clear();
    // Every other key reaches the box first; Enter is not the box's and starts the game.
    inputnamedlg->KeyPress('x');
    EXPECT_EQ(inputnamedlg->nameedit->text, "x");
    inputnamedlg->KeyPress(8);
    Type(std::string(19, 'a') + "中b\r");
    EXPECT_EQ(inputnamedlg->nameedit->text, std::string(19, 'a') + "中b");
    EXPECT_EQ(game->player[0].GetName(), std::string(19, 'a'));
    EXPECT_EQ(curscreen, SCREEN_NONE);
    EXPECT_EQ(game->gamestatus, 1);
    EXPECT_EQ(Avatar("SPlayer"), std::to_string(inputnamedlg->avatar[0]));
    EXPECT_EQ(Avatar("WPlayer"), std::to_string(inputnamedlg->avatar[3]));
    EXPECT_EQ(minfan, 0);

    inputnamedlg->Show();
    inputnamedlg->nameedit->text = std::string(25, 'n');
    inputnamedlg->KeyPress(13);
    EXPECT_EQ(game->player[0].GetName(), std::string(20, 'n'));
    inputnamedlg->Show();
    inputnamedlg->nameedit->text.clear();
    inputnamedlg->KeyPress(13);
    EXPECT_EQ(game->player[0].GetName(), "小兰");
}

} // namespace
