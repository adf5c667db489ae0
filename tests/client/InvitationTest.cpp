// Invitations from the main window: the player at an online table invites a user picked in the main
// window's list of users at no table, and every way from the invitation screen takes the list away.
// (An invitation accepted in the lobby is played in a real X server: tests/scripts/invitations.sh.)
#include "client/FormText.h"
#include "client/InviteList.h"
#include "tests/client/ListedUser.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/ScriptRecord.h"
#include "windows/CInviteForm.h"
#include "windows/CNetRoom.h"
#include "windows/CScoreForm.h"

#include <functional>

namespace {

class Invitations : public OnlineWindowTest {
protected:
    void SetUp() override
    {
        OnlineWindowTest::SetUp();
        CMj &m = Game();
        m.userlist.Add(ListedUser("me").AtTable(3), true);
        m.userlist.Add(ListedUser("张三").Score(80).AtTable(5), false);
        m.userlist.Add(ListedUser("amy").Score(120).Games(10, 4), false);
        m.userlist.Add(ListedUser("bob"), false);
    }
    TInviteList &List() { return *form->ListView2(); }
    std::vector<std::string> Listed()
    {
        std::vector<std::string> names;
        for (int row = 0; row < List().model()->rowCount(); ++row)
            names.push_back(FromUi(List().model()->index(row, 0).data().toString()));
        return names;
    }
    // A click on a user's row of the list, as the player makes it.
    void PickInList(const std::string &name)
    {
        QCoreApplication::processEvents();
        for (int row = 0; row < List().model()->rowCount(); ++row)
            if (FromUi(List().model()->index(row, 0).data().toString()) == name)
                QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, List().visualRect(List().model()->index(row, 0)).center());
    }
    // The player sits at table 3 (index 2) of the room, waiting for more players.
    void SeatedAtTable()
    {
        CMj &m = Game();
        m.lobby->Show();
        ASSERT_EQ(1, m.lobby->SitDown(2, -1));
        link.sent.clear();
        m.OnGameMsg(ScriptRecord("9 3=1 4=0 6=1 9=0"));
        ASSERT_EQ(SCREEN_NONE, curscreen);
        m.tablebuttons.Get(BTN_INVITE)->visible = 1;
    }
};

TEST_F(Invitations, AtTheTableInviteListsTheUsersAtNoTableAndSendsTheOnePicked)
{
    EXPECT_EQ(&Game(), &form->Game());
    EXPECT_EQ(form.get(), Game().invitelinks) << "set when the window is made";
    EXPECT_FALSE(List().isVisible());
    EXPECT_EQ(0, List().model()->rowCount()) << "a hidden list follows no record of the room";
    EXPECT_EQ(QRect(23, 43, 306, 238), List().geometry());
    SeatedAtTable();
    Click(ButtonCentre(BTN_INVITE));
    ASSERT_EQ(SCREEN_INVITE, curscreen);
    EXPECT_TRUE(List().isVisible());
    EXPECT_EQ(QRect(inviteform->x + 12, inviteform->y + 70, 306, 238), List().geometry());
    EXPECT_EQ((std::vector<std::string>{"amy", "bob"}), Listed());
    EXPECT_EQ(QStringLiteral("40%"), List().model()->index(0, 4).data().toString());
    EXPECT_EQ(1, inviteform->buttons.Get(CInviteForm::INVITE)->enabled);

    // Nothing picked: the screen stays. Then amy, picked with the mouse.
    Press(*inviteform, CInviteForm::INVITE);
    EXPECT_TRUE(link.sent.empty());
    EXPECT_EQ(SCREEN_INVITE, curscreen);
    PickInList("amy");
    Press(*inviteform, CInviteForm::INVITE);
    ASSERT_EQ(1u, link.sent.size());
    EXPECT_EQ(CS_INVITE, link.sent[0].Type());
    EXPECT_EQ("amy", link.sent[0].GetText({1, 20}));
    EXPECT_EQ(SCREEN_NONE, curscreen);
    EXPECT_FALSE(List().isVisible());

    // With all four seats taken there is no one to invite to it.
    TableInfo full{};
    for (uint8_t &seat : full.state)
        seat = 1;
    Game().lobby->SetTable(2, full);
    Click(ButtonCentre(BTN_INVITE));
    EXPECT_EQ(0, inviteform->buttons.Get(CInviteForm::INVITE)->enabled);
}

TEST_F(Invitations, EveryWayFromTheInvitationScreenTakesTheListAway)
{
    CMj &m = Game();
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"the table reset", [&] { m.ResetTable(); }},
        {"the score screen", [] { scoreform->Show(); }},
        {"the lobby", [&] { m.lobby->Show(); }},
        {"a refused seat", [&] { m.OnGameMsg(ScriptRecord("103 1:\"no\"")); }},
        {"the online start", [&] { m.NetStart(); }},
        {"the connection's end", [&] { m.OnDisconnect(); }},
    };
    for (const auto &[name, way] : ways) {
        inviteform->Show();
        ASSERT_TRUE(List().isVisible());
        way();
        EXPECT_FALSE(List().isVisible()) << name;
    }
}

} // namespace
