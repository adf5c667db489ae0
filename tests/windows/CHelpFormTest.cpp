#include "platform/Profile.h"
#include "screen/SurfaceCache.h"
#include "tests/windows/GameScreenFixture.h"
#include "windows/CHelpForm.h"

namespace {

class CHelpFormTest : public GameScreenTest {
protected:
    static std::string Shown() { return surfacepath[FindSurfaceEntry(helpform->background.surface)]; }
    static std::string ShowHelpWritten() { return std::to_string(Profile::ReadInt("SET.ini", "Window", "ShowHelp", -1)); }
};

TEST_F(CHelpFormTest, NextAndPreviousWrapRoundAndEveryPageShowsItsPicture)
{
    Game();
    CHelpForm &help = *helpform;
    helpform->Show();
    Click(help, CHelpForm::NEXT);
    EXPECT_EQ(help.page, 1);
    EXPECT_EQ(Shown(), "Graphic\\HelpForm\\2.bmp");
    for (int i = 0; i < 9; ++i)
        Click(help, CHelpForm::NEXT);
    EXPECT_EQ(help.page, 0);
    EXPECT_EQ(Shown(), "Graphic\\HelpForm\\1.bmp");
    Click(help, CHelpForm::PREV);
    EXPECT_EQ(help.page, 9);
    EXPECT_EQ(Shown(), "Graphic\\HelpForm\\10.bmp");
    Click(help, 2);
    EXPECT_EQ(help.page, 2);
    EXPECT_EQ(Shown(), "Graphic\\HelpForm\\3.bmp");
    EXPECT_EQ(curscreen, SCREEN_HELP);
}

TEST_F(CHelpFormTest, HelpReturnsToTheScreenThatOpenedIt)
{
    Game();
    for (int8_t opener : {int8_t(SCREEN_MENU), int8_t(SCREEN_NONE)}) {
        curscreen = opener;
        helpform->Show();
        EXPECT_EQ(curscreen, SCREEN_HELP);
        // Asked again while up, it still knows its way back.
        helpform->Show();
        Click(*helpform, CHelpForm::CLOSE);
        EXPECT_EQ(curscreen, opener);
    }
}

TEST_F(CHelpFormTest, TheBoxTogglesOnThePressAndIsKeptInTheSettings)
{
    // A first run: no settings, the box is checked.
    Game();
    EXPECT_EQ(helpform->checkbox->checked, 1);
    helpform->Show();
    helpform->MouseDown(100, 517);
    EXPECT_EQ(helpform->checkbox->checked, 0);
    EXPECT_EQ(Heard("Wave\\check.wav"), 1);
    helpform->MouseUp(100, 517);
    EXPECT_EQ(helpform->checkbox->checked, 0);
    game.reset();
    EXPECT_EQ(ShowHelpWritten(), "0");

    Game();
    EXPECT_EQ(helpform->checkbox->checked, 0);
    helpform->MouseDown(100, 517);
    game.reset();
    EXPECT_EQ(ShowHelpWritten(), "1");

    // Only 1 checks the box.
    Profile::WriteString("SET.ini", "Window", "ShowHelp", "2");
    Game();
    EXPECT_EQ(helpform->checkbox->checked, 0);
}

} // namespace
