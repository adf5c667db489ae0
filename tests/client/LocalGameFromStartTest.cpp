#include "screen/CDxSound.h"
#include "tests/client/MainWindowFixture.h"
#include "windows/CHelpForm.h"
#include "windows/CInputNameDlg.h"
#include "windows/CModeForm.h"
#include "windows/CScoreForm.h"
#include "windows/CWelComForm.h"

#include <QKeyEvent>

// A local game as a player meets it in the window, from the title menu the program opens on.
namespace {

class LocalGameFromStart : public MainWindowTest {};

TEST_F(LocalGameFromStart, FromTheTitleMenuToAWonHandAndBackIntoItsSlot)
{
    CMj &m = OpenAtTitle();
    ASSERT_EQ(curscreen, SCREEN_MENU);
    Press(*modeform, CModeForm::GAME);
    ASSERT_EQ(curscreen, SCREEN_HELP) << "a first game shows the help over the slots";
    Press(*helpform, CHelpForm::CLOSE);
    ASSERT_EQ(curscreen, SCREEN_SLOTS);
    Press(*welcomform, CWelComForm::NEWGAME + 1);
    ASSERT_EQ(curscreen, SCREEN_NAME);
    QTest::keyClicks(View(), "Test");
    QTest::keyClick(View(), Qt::Key_Return);
    EXPECT_EQ(curscreen, SCREEN_NONE);
    EXPECT_EQ(m.player[0].GetName(), "Test");
    EXPECT_NE(folder.Read("SET.ini").find("SPlayer="), std::string::npos);
    EXPECT_FALSE(dxsound->Tune()->IsPlaying());
    for (int seat = 0; seat < 4; ++seat) {
        const std::string picture = "\\" + std::to_string(inputnamedlg->avatar[seat] + 1) + ".gif";
        EXPECT_TRUE(avatarname[seat].ends_with(picture)) << avatarname[seat];
    }

    // Robots play every seat to a won hand; drawn hands are replayed.
    for (;;) {
        ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::HandEnd));
        ASSERT_EQ(curscreen, SCREEN_SCORE);
        if (scoreform->winner >= 0)
            break;
        Press(*scoreform, CScoreForm::REPLAY);
    }
    Press(*scoreform, CScoreForm::REPLAY);
    EXPECT_EQ(curscreen, SCREEN_NONE);
    ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::Deal));

    // Leaving at the player's turn keeps the game in its slot; the slot gives it back.
    ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::LocalTurn));
    QTest::keyClick(View(), Qt::Key_Escape);
    Click(ButtonCentre(BTN_BACK));
    const std::string saved = folder.Read("Save/2.cmj");
    EXPECT_EQ(saved.size(), 3392u);
    ASSERT_EQ(curscreen, SCREEN_SLOTS);
    EXPECT_EQ(welcomform->buttons.Get(CWelComForm::LOAD + 1)->caption, "file2");
    m.NewLocalGame();
    Press(*welcomform, CWelComForm::LOAD + 1);
    EXPECT_EQ(curscreen, SCREEN_NONE);
    const auto again = m.Snapshot().Bytes();
    EXPECT_EQ(std::string(again.begin(), again.end()), saved);
}

TEST_F(LocalGameFromStart, HoldingSpaceHidesTheScoresAndOnlyItsReleaseBringsThemBack)
{
    Open();
    scoreform->Show();
    QTest::keyPress(View(), Qt::Key_Space);
    EXPECT_EQ(scoreform->panelshown, 0);
    // A held key repeats as releases and presses; those releases are not the key let go.
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
    QCoreApplication::sendEvent(View(), &repeated);
    EXPECT_EQ(scoreform->panelshown, 0);
    QTest::keyRelease(View(), Qt::Key_Space);
    EXPECT_EQ(scoreform->panelshown, 1);
}

} // namespace
