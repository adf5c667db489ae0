// Invitations in the main window, both ways: an invitation from the server accepted in the lobby, and
// the player at an online table inviting a user picked in the main window's list of users at no table.
#include "client/FormText.h"
#include "client/InviteList.h"
#include "tests/client/ListedUser.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/ScriptRecord.h"
#include "windows/CInviteForm.h"
#include "windows/CInviteMessage.h"
#include "windows/CNetRoom.h"
#include "windows/CScoreForm.h"

#include <QHeaderView>
#include <functional>

namespace {

GameMsg Invite(int table, const char *from)
{
    GameMsg msg(SC_INVITE);
    msg.Put(1, static_cast<uint8_t>(table));
    msg.PutText({3, USERNAME_BYTES}, from);
    return msg;
}

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

TEST_F(Invitations, AnAcceptedInvitationAsksForASeatAtThatTableAndAFullOneSaysSo)
{
    CMj &m = Game();
    m.lobby->Show();
    m.OnGameMsg(Invite(4, "张三"));
    ASSERT_EQ(1, invitemsgon);
    EXPECT_EQ("张三 邀请您到第5桌游戏", invitemessage->text);
    Press(*invitemessage, CInviteMessage::ACCEPT);
    EXPECT_EQ(0, invitemsgon);
    ASSERT_EQ(1u, link.sent.size());
    EXPECT_EQ(CS_SITDOWN, link.sent[0].Type());
    EXPECT_EQ(4, link.sent[0].Get(1));
    EXPECT_EQ(1, link.sent[0].Get(2)) << "the first free seat";
    EXPECT_TRUE(boxes.empty());

    // The server refuses; later an invitation to a table that has filled meanwhile.
    m.OnGameMsg(ScriptRecord("103 1:\"该座位已经有人了\""));
    TableInfo full{};
    for (uint8_t &seat : full.state)
        seat = 1;
    m.lobby->SetTable(4, full);
    m.OnGameMsg(Invite(4, "张三"));
    ASSERT_EQ(1, invitemsgon);
    Press(*invitemessage, CInviteMessage::ACCEPT);
    EXPECT_EQ(1u, link.sent.size());
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ("该桌已满员", boxes.back().text);
}

TEST_F(Invitations, AtTheTableInviteListsTheUsersAtNoTableAndSendsTheOnePicked)
{
    EXPECT_EQ(&Game(), &form->Game());
    EXPECT_EQ(form.get(), Game().invitelinks) << "set when the window is made";
    EXPECT_FALSE(List().isVisible());
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
