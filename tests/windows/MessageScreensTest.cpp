#include "platform/MessageBox.h"
#include "tests/windows/GameScreenFixture.h"
#include "windows/CHelpForm.h"
#include "windows/CInfoForm.h"
#include "windows/CInviteForm.h"
#include "windows/CInviteMessage.h"
#include "windows/CShowMessageForm.h"
#include "windows/InviteLinks.h"

#include <utility>
#include <vector>

namespace {

// The lobby, the server and the main window's list as the invitation screens see them.
class FakeLinks : public InviteLinks {
public:
    int SitDown(int table, int seat) override
    {
        sat.emplace_back(table, seat);
        return seatsLeft;
    }
    bool SelectedTableOpen() const override { return open; }
    void SendInvite(const std::string &user) override { sent.push_back(user); }
    void MoveInviteList(int x, int y) override { listAt = {x, y}; }
    std::optional<std::string> SelectedInvitee() const override { return selected; }

    int seatsLeft = 1;
    bool open = true;
    std::optional<std::string> selected;
    std::vector<std::pair<int, int>> sat;
    std::vector<std::string> sent;
    std::pair<int, int> listAt{-1, -1};
};

class MessageScreens : public GameScreenTest {
protected:
    void SetUp() override
    {
        GameScreenTest::SetUp();
        Game().invitelinks = &links;
    }
    // The frame with only a screen's background drawn, keyed, over what it held.
    static std::unique_ptr<Surface> Under(const Surface &before, const char *background, const CBitForm &form)
    {
        std::unique_ptr<Surface> under = std::make_unique<Surface>(before);
        std::unique_ptr<Surface> picture = Load(background);
        picture->SetColorKey(0xF81F);
        under->Blit(form.x, form.y, *picture, picture->Bounds(), true);
        return under;
    }

    FakeLinks links;
};

TEST_F(MessageScreens, ASecondMessageReplacesTheFirstAndOneOkClosesIt)
{
    curscreen = SCREEN_MENU;
    game->ShowMessage("Cannot save now.");
    game->ShowMessage("Some people went bankrupt,  Game is over.");
    EXPECT_EQ(showmsgon, 1);
    EXPECT_EQ(curscreen, SCREEN_MENU);
    EXPECT_EQ(showmessageform->text, "Some people went bankrupt,  Game is over.");

    // Centred, see-through at its corners, OK at (80, 56) from the corner.
    CShowMessageForm &box = *showmessageform;
    EXPECT_EQ(box.x, (800 - 245) / 2);
    EXPECT_EQ(box.y, (600 - 96) / 2);
    std::unique_ptr<Surface> before = Snapshot();
    box.Draw();
    // Beside the button.
    EXPECT_EQ(CellMismatches(*Load("Graphic\\ShowMessage\\background.bmp"), {0, 50, 80, 96}, box.x, box.y + 50, *before), 0);
    EXPECT_EQ(CellMismatches(*Load("Graphic\\ShowMessage\\queding.bmp"), {0, 0, 84, 28}, box.x + 80, box.y + 56,
                             *Under(*before, "Graphic\\ShowMessage\\background.bmp", box)),
              0);

    auto [okx, oky] = Middle(box, 0);
    EXPECT_TRUE(game->OverlayMouse(MouseAction::Down, okx, oky));
    EXPECT_TRUE(game->OverlayMouse(MouseAction::Up, okx, oky));
    EXPECT_EQ(showmsgon, 0);
    EXPECT_EQ(curscreen, SCREEN_MENU);
    EXPECT_FALSE(game->OverlayMouse(MouseAction::Down, okx, oky));
}

// Texts long enough for three lines wrap between the words, in white, inside their box.
TEST_F(MessageScreens, MessagesNoticesAndInvitationsAreWrittenInWhiteInsideTheirBox)
{
    const std::string notice = "The table you chose has just started, please choose another one or wait.";
    const std::string invite = "Robin invites you to table 18, where three players are waiting for a fourth.";
    const struct {
        CBitForm *form;
        std::string *text;
        const std::string &says;
        Rect inside; // from the form's corner
        int lines;   // at least this tall
    } boxes[] = {
        {showmessageform, &showmessageform->text, notice, {20, 15, 225, 50}, 24},
        {infoform, &infoform->text, notice, {20, 15, 225, 50}, 24},
        {invitemessage, &invitemessage->text, invite, {25, 18, 220, 100}, 28},
    };
    for (const auto &b : boxes) {
        *b.text = "";
        b.form->Draw();
        std::unique_ptr<Surface> blank = Snapshot();
        *b.text = b.says;
        b.form->Draw();
        Rect used = Extent(*blank);
        EXPECT_GE(used.left, b.form->x + b.inside.left);
        EXPECT_LE(used.right, b.form->x + b.inside.right);
        EXPECT_GE(used.top, b.form->y + b.inside.top);
        EXPECT_LE(used.bottom, b.form->y + b.inside.bottom);
        EXPECT_GT(used.bottom - used.top, b.lines) << "one line only";
        EXPECT_GT(Whites(used), 0);
    }
    infoform->Show();
    EXPECT_EQ(infoformon, 1);
    EXPECT_EQ(infoform->MouseDown(400, 300), 1);
    infoform->Hide();
    EXPECT_EQ(infoformon, 0);
}

TEST_F(MessageScreens, PressesUnderAnOverlayReachNothingElse)
{
    helpform->Show();
    invitemessage->Show();
    game->ShowMessage("Wait.");
    auto [ax, ay] = Middle(*invitemessage, CInviteMessage::ACCEPT);
    auto [nx, ny] = Middle(*helpform, CHelpForm::NEXT);
    for (auto [x, y] : {std::pair{ax, ay}, std::pair{nx, ny}})
        for (MouseAction action : {MouseAction::Move, MouseAction::Down, MouseAction::Up})
            EXPECT_TRUE(game->OverlayMouse(action, x, y));
    EXPECT_EQ(invitemessage->buttons.Get(CInviteMessage::ACCEPT)->hover, 0);
    EXPECT_TRUE(links.sat.empty());
    EXPECT_EQ(helpform->page, 0);
    EXPECT_EQ(showmsgon, 1);

    // With the message gone the invitation takes the mouse, still before the screen.
    showmsgon = 0;
    EXPECT_TRUE(game->OverlayMouse(MouseAction::Move, ax, ay));
    EXPECT_EQ(invitemessage->buttons.Get(CInviteMessage::ACCEPT)->hover, 1);
    EXPECT_TRUE(game->OverlayMouse(MouseAction::Down, ax, ay));
    EXPECT_TRUE(game->OverlayMouse(MouseAction::Up, ax, ay));
    EXPECT_EQ(links.sat.size(), 1u);
    EXPECT_FALSE(game->OverlayMouse(MouseAction::Down, nx, ny));
}

TEST_F(MessageScreens, AcceptingAnInvitationToAFullTableSaysSoAndDecliningAsksNothing)
{
    invitemessage->invitedtable = 17;
    invitemessage->text = "Robin invites you to table 18.";
    for (int seatsLeft : {1, 0}) {
        links.seatsLeft = seatsLeft;
        invitemessage->Show();
        Click(*invitemessage, CInviteMessage::ACCEPT);
        EXPECT_EQ(invitemsgon, 0);
    }
    ASSERT_EQ(links.sat.size(), 2u);
    EXPECT_EQ(links.sat[0], std::pair(17, -1));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "该桌已满员");
    EXPECT_EQ(boxes[0].title, "Info");
    EXPECT_EQ(boxes[0].icon, MessageBox::IconInformation);

    invitemessage->Show();
    Click(*invitemessage, CInviteMessage::DECLINE);
    EXPECT_EQ(invitemsgon, 0);
    EXPECT_EQ(links.sat.size(), 2u);

    // Without a lobby no table can be joined.
    game->invitelinks = nullptr;
    invitemessage->Show();
    Click(*invitemessage, CInviteMessage::ACCEPT);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(MessageScreens, TheInviteFormOffersInviteOnlyForAnOpenTableAndSendsOnlyShortNames)
{
    CInviteForm &form = *inviteform;
    game->netgame = 1;
    links.selected = "Robin";
    links.open = false;
    form.Show();
    EXPECT_EQ(curscreen, SCREEN_INVITE);
    EXPECT_EQ(links.listAt, std::pair(form.x + 12, form.y + 70));
    EXPECT_EQ(form.buttons.Get(CInviteForm::INVITE)->enabled, 0);
    Click(form, CInviteForm::INVITE);
    EXPECT_TRUE(links.sent.empty());

    links.open = true;
    form.Show();
    EXPECT_EQ(form.buttons.Get(CInviteForm::INVITE)->enabled, 1);
    // Twenty-one bytes, no row, or no online game: nothing is sent and the form stays.
    const std::string twentyOne = "名字太长的玩家ABCDEFG"; // 7 characters of two bytes, then 7 letters
    ASSERT_EQ(twentyOne.size(), 21u);
    for (std::optional<std::string> selected : {std::optional<std::string>(twentyOne), std::optional<std::string>()}) {
        links.selected = selected;
        Click(form, CInviteForm::INVITE);
    }
    game->netgame = 0;
    links.selected = "Robin";
    Click(form, CInviteForm::INVITE);
    EXPECT_TRUE(links.sent.empty());
    EXPECT_EQ(curscreen, SCREEN_INVITE);

    game->netgame = 1;
    links.selected = twentyOne.substr(0, 20);
    Click(form, CInviteForm::INVITE);
    ASSERT_EQ(links.sent.size(), 1u);
    EXPECT_EQ(links.sent[0], twentyOne.substr(0, 20));
    EXPECT_EQ(curscreen, SCREEN_NONE);

    // A table that filled meanwhile: the form closes without sending.
    form.Show();
    links.open = false;
    Click(form, CInviteForm::INVITE);
    EXPECT_EQ(links.sent.size(), 1u);
    EXPECT_EQ(curscreen, SCREEN_NONE);

    form.Show();
    Click(form, CInviteForm::CANCEL);
    EXPECT_EQ(curscreen, SCREEN_NONE);
}

} // namespace
