#include "platform/MessageBox.h"
#include "tests/screen/TableScreenFixture.h"
#include "windows/CHelpForm.h"
#include "windows/CInputNameDlg.h"
#include "windows/CModeForm.h"
#include "windows/CScoreForm.h"
#include "windows/CSetForm.h"
#include "windows/CShowMessageForm.h"
#include "windows/CWelComForm.h"

#include <filesystem>

// Leaving a local table: from the score screen, refused in a robot's turn, back to a file opened from
// elsewhere; a damaged slot; and the options' pace and full screen as the title menu opens them.
namespace {

// Bounds on the waits, far above what play needs (under a thousand ticks for an animated hand, a
// hundred to reach a turn), so that a game that never gets there fails here and soon.
constexpr int kHandTicks = 10000;
constexpr int kTurnTicks = 2000;

class LocalGame : public TableScreen {
protected:
    void SetUp() override
    {
        TableScreen::SetUp();
        MessageBox::SetHandler([this](const MessageBox::Box &box) {
            boxes.push_back(box.text);
            return MessageBox::ResultOk;
        });
    }
    void TearDown() override
    {
        MessageBox::SetHandler(nullptr);
        TableScreen::TearDown();
    }

    void Press(const CBitForm &screen, int button) { driver->Press(screen, button); }

    // From the title menu to the name screen of a new game in slot n.
    void NewGameInSlot(int n)
    {
        modeform->Show();
        Press(*modeform, CModeForm::GAME);
        if (curscreen == SCREEN_HELP)
            Press(*helpform, CHelpForm::CLOSE);
        ASSERT_EQ(curscreen, SCREEN_SLOTS);
        Press(*welcomform, CWelComForm::NEWGAME + n - 1);
        ASSERT_EQ(curscreen, SCREEN_NAME);
    }
    void TypeName(const std::string &utf8)
    {
        driver->Type(utf8);
        driver->Key(TableDriver::KeyEnter);
    }
    std::string Saved(const std::string &name) const { return folder.Read(name); }

    std::vector<std::string> boxes;
};

TEST_F(LocalGame, TheScoresExitKeepsTheGameAndALeaveThatCannotSaveStaysAtTheTable)
{
    NewGameInSlot(4);
    TypeName("Lan");
    ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::HandEnd, kHandTicks));
    Press(*scoreform, CScoreForm::EXIT);
    EXPECT_EQ(curscreen, SCREEN_SLOTS);
    EXPECT_EQ(Saved("Save/4.cmj").size(), 3392u);

    // In a robot's turn the game cannot be kept: the message says so and the table stays.
    Press(*welcomform, CWelComForm::LOAD + 3);
    ASSERT_TRUE(driver->RunUntil([](const CMj &m) { return m.gamestatus == 1 && m.curplayer == 2; }, kTurnTicks));
    mj->LeaveTable();
    EXPECT_EQ(curscreen, SCREEN_NONE);
    EXPECT_EQ(showmsgon, 1);
    EXPECT_EQ(showmessageform->text, "It's your turn to discard a tile then you can preserve the progress.");
    Press(*showmessageform, 0);

    // A game opened from elsewhere goes back where it came from; a damaged slot leaves the slots up.
    std::filesystem::create_directory(folder.Path() / "Away");
    const std::string slot = Saved("Save/4.cmj");
    folder.Write("Away/game.cmj", slot);
    ASSERT_TRUE(mj->LoadGame("Away/game.cmj"));
    ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::LocalTurn, kTurnTicks));
    mj->LeaveTable();
    EXPECT_EQ(curscreen, SCREEN_SLOTS);
    EXPECT_NE(Saved("Away/game.cmj"), slot);
    EXPECT_EQ(Saved("Save/4.cmj"), slot);
    folder.Write("Save/5.cmj", "damaged");
    welcomform->Show();
    Press(*welcomform, CWelComForm::LOAD + 4);
    EXPECT_EQ(curscreen, SCREEN_SLOTS);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(LocalGame, OptionsFromTheTitleMenuSetThePaceOfPlayAndTheFullScreen)
{
    modeform->Show();
    Press(*modeform, CModeForm::OPTIONS);
    CDxTrackBar &pace = *setform->slider[CSetForm::PACE];
    setform->MouseDown(pace.x0 + pace.position * pace.step + 2, pace.y + 2);
    setform->MouseMove(pace.x0 - 5, pace.y + 2);
    setform->MouseUp(pace.x0 - 5, pace.y + 2);
    const CBitCheckBox &full = *setform->checkbox[CSetForm::FULLSCREEN];
    setform->MouseDown(full.x + 5, full.y + 5);
    Press(*setform, CSetForm::APPLY);
    EXPECT_EQ(curscreen, SCREEN_MENU);
    EXPECT_TRUE(screen.IsFullScreen());

    driver->NewGame();
    ASSERT_TRUE(driver->RunUntil([this](const CMj &) { return clock.IsRunning(TIMER_CLAIMS); }, kTurnTicks));
    EXPECT_EQ(clock.Interval(TIMER_CLAIMS), 1200u);
}

} // namespace
