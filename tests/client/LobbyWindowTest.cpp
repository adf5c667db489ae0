// The lobby's native lists in the main window: where they stand, the user menu they open, joining
// the menu's user, and moving to another room.
#include "client/InviteList.h"
#include "client/LobbyLists.h"
#include "client/UserMenu.h"
#include "tests/client/ListedUser.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/ScriptRecord.h"
#include "windows/CInfoForm.h"
#include "windows/CNetRoom.h"

#include <QAction>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

namespace {

class LobbyWindow : public OnlineWindowTest {
protected:
    void SetUp() override
    {
        OnlineWindowTest::SetUp();
        CMj &m = Game();
        m.userlist.Add(ListedUser("me"), true);
        m.userlist.Add(ListedUser("张三").AtTable(3), false);
        m.userlist.Add(ListedUser("bob").AtTable(5), false);
        curscreen = SCREEN_LOBBY;
    }
    void TearDown() override
    {
        form->PopupMenu1()->hide();
        infoformon = 0;
        OnlineWindowTest::TearDown();
    }
    QModelIndex Row(const std::string &name)
    {
        QTreeView *list = form->Panel2()->ListView1;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            if (form->Panel2()->UserAt(i) == name)
                return list->model()->index(i, 0);
        return {};
    }
    void PressRow(const std::string &name)
    {
        QTreeView *list = form->Panel2()->ListView1;
        QCoreApplication::processEvents();
        // The row runs on past the narrow list: its start is under the pointer.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(30, list->visualRect(Row(name)).center().y()));
    }
    TUserMenu &Menu() { return *form->PopupMenu1(); }
};

TEST_F(LobbyWindow, TheListsStandOverTheFramesRightSideAndNeverTakeTheKeyboard)
{
    TLobbyLists *panel = form->Panel2();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(QRect(593, 96, 196, 333), panel->geometry());
    EXPECT_EQ(View(), panel->parentWidget());
    EXPECT_EQ(Qt::NoFocus, panel->ListView1->focusPolicy());
    EXPECT_EQ(Qt::NoFocus, panel->TreeView1->focusPolicy());
    // In full screen they stay over the same part of the scaled frame.
    form->Window().ShowFullScreen();
    QCoreApplication::processEvents();
    const double scale = std::min(View()->width() / 800.0, View()->height() / 600.0);
    const QPoint origin((View()->width() - 800 * scale) / 2, (View()->height() - 600 * scale) / 2);
    EXPECT_NEAR(origin.x() + 593 * scale, panel->x(), 1);
    EXPECT_NEAR(origin.y() + 96 * scale, panel->y(), 1);
    EXPECT_NEAR(196 * scale, panel->width(), 1);
    // The end of the connection takes them away with the lobby.
    Game().OnDisconnect();
    EXPECT_FALSE(panel->isVisible());
}

// The lists and the buttons the pointer lit follow the same change of screen: the lobby comes back
// with its lists and none of its buttons lit.
TEST_F(LobbyWindow, TheListsAndTheLitButtonFollowTheSameChangeOfScreen)
{
    CBitButton &button = *Game().lobby->buttons.Get(CNetRoom::SET);
    Move(Middle(button));
    ASSERT_TRUE(button.hover);
    curscreen = SCREEN_NONE;
    EXPECT_FALSE(form->Panel2()->isVisible());
    Game().lobby->Show();
    EXPECT_TRUE(form->Panel2()->isVisible());
    EXPECT_FALSE(button.hover);
}

// Records that put the table up while the lobby is shown take the lobby's lists away with it,
// whichever screen they change to.
TEST_F(LobbyWindow, TableRecordsArrivingOverTheLobbyLeaveNoListStanding)
{
    TLobbyLists *panel = form->Panel2();
    for (const char *line : {
             "12 1=2 3=[1,t(1s#1),0,0,2,t(2s#1),t(3s#1)]", // the discards of a restored hand
             "12 1=1 2=0 3=13 4=[t(1m#0),t(2m#0),t(3m#0),t(4s#0),t(5s#0),t(6s#0),t(7p#0),t(8p#0),t(9p#0),t(1z#0),"
             "t(1z#1),t(1z#2),t(2z#0)] 18=[13,13,13,13] 22=1 23=1 25=53", // its hand
             "10 2=1 3=0",                                               // a drawn hand's result
         }) {
        Game().lobby->Show();
        ASSERT_TRUE(panel->ListView1->isVisible() && panel->TreeView1->isVisible());
        std::string error;
        Game().OnGameMsg(ScriptRecord(line, &error));
        ASSERT_EQ(error, "");
        EXPECT_NE(curscreen, SCREEN_LOBBY) << line;
        EXPECT_FALSE(panel->ListView1->isVisible()) << line;
        EXPECT_FALSE(panel->TreeView1->isVisible()) << line;
    }
}

// The lists take a run of the server's records without showing each change, and show them once it
// has ended.
TEST_F(LobbyWindow, ARunOfRecordsChangesTheListsThatShowItOnceAtItsEnd)
{
    QTreeView *list = form->Panel2()->ListView1;
    const int rows = list->model()->rowCount();
    Game().BeginRecords();
    EXPECT_FALSE(list->updatesEnabled() || form->ListView2()->updatesEnabled());
    GameMsg add(SC_USER_INFO);
    add.Put(2, USER_ADD);
    add.PutText({3, 20}, "newcomer");
    Game().OnGameMsg(add);
    EXPECT_EQ(list->model()->rowCount(), rows + 1);
    Game().EndRecords();
    EXPECT_TRUE(list->updatesEnabled() && form->ListView2()->updatesEnabled());
}

TEST_F(LobbyWindow, AClickOnAUserOpensHisMenuWithWhereHeIsAndWhatMayBeDone)
{
    Game().myright = 1;
    PressRow("张三");
    ASSERT_TRUE(Menu().isVisible());
    EXPECT_EQ(QStringLiteral("正在第3桌等待"), Menu().N1->text());
    EXPECT_TRUE(Menu().N9->isEnabled() && Menu().N11->isEnabled());
    EXPECT_TRUE(Menu().Manager->menuAction()->isVisible());
    Menu().hide();

    PressRow("me");
    ASSERT_TRUE(Menu().isVisible());
    EXPECT_FALSE(Menu().N11->isEnabled());
    EXPECT_FALSE(Menu().Manager->menuAction()->isVisible());
    Menu().hide();

    infoformon = 1;
    PressRow("张三");
    EXPECT_FALSE(Menu().isVisible()) << "nothing while the player waits for the server";
}

TEST_F(LobbyWindow, JoinSitsAtTheTableOfTheUserTheMenuWasOpenedFor)
{
    PressRow("bob"); // the list's selection stays on bob
    Menu().hide();
    form->PrepareUserMenu("张三", 100, 200, false);
    ASSERT_TRUE(Menu().isVisible());
    Menu().N9->trigger();
    ASSERT_EQ(1u, link.sent.size());
    EXPECT_EQ(CS_SITDOWN, link.sent[0].Type());
    EXPECT_EQ(2, link.sent[0].Get(1)) << "table 3 of the menu's user, not bob's table 5";
    EXPECT_EQ(1, link.sent[0].Get(2)) << "the first free seat";
}

TEST_F(LobbyWindow, FromTheTableTheMenuOnlyAddressesThePlayerInTheChatLine)
{
    form->PrepareUserMenu("张三", 10, 10, true);
    ASSERT_TRUE(Menu().isVisible());
    EXPECT_TRUE(Menu().N14->isVisible());
    EXPECT_EQ(QStringLiteral("与张三交谈"), Menu().N14->text());
    for (QAction *hidden : {Menu().N10, Menu().N11, Menu().N1, Menu().N2, Menu().N9})
        EXPECT_FALSE(hidden->isVisible());
    Menu().N14->trigger();
    EXPECT_EQ("[张三],", Game().chatedit->text);
    form->PrepareUserMenu("nobody", 10, 10, true);
}

TEST_F(LobbyWindow, ADoubleClickOnAnotherRoomAsksForItUnlessThePlayerIsWaiting)
{
    CMj &m = Game();
    m.roomtree.AddServer("电信");
    for (int i = 0; i < 3; ++i)
        m.roomtree.AddRoom(i, "房间");
    m.lobby->room = 0;
    QTreeWidgetItem *server = form->Panel2()->TreeView1->topLevelItem(0);
    ASSERT_EQ(3, server->childCount());
    emit form->Panel2()->TreeView1->itemDoubleClicked(server->child(0), 0);
    emit form->Panel2()->TreeView1->itemDoubleClicked(server, 0);
    EXPECT_TRUE(link.sent.empty()) << "the room the player is in, and a server";
    emit form->Panel2()->TreeView1->itemDoubleClicked(server->child(2), 0);
    ASSERT_EQ(1u, link.sent.size());
    EXPECT_EQ(CS_ENTER_ROOM, link.sent[0].Type());
    EXPECT_EQ(2, link.sent[0].Get(1));
    EXPECT_TRUE(infoformon && infoform->text == "正在获取房间信息,请稍后...");

    emit form->Panel2()->TreeView1->itemDoubleClicked(server->child(1), 0);
    EXPECT_EQ(1u, link.sent.size());
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("正在等待服务器数据,请稍后进行该操作...", boxes[0].text);
}

} // namespace
