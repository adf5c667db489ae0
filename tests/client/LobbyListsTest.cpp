// The lobby's native lists over the game's models: rows as the records change them, the order of
// header clicks, the rows' colours, and what a press and a double click hand on.
#include "client/FormText.h"
#include "client/LobbyLists.h"
#include "tests/client/ListedUser.h"
#include "tests/client/MainWindowFixture.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace {

UserInfo User(const char *name, int32_t score, int8_t rights = 0)
{
    return ListedUser(name).Score(score).Games(4, 1).Rights(rights);
}

std::vector<std::string> Shown(const QTreeWidget *list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names.push_back(FromUi(list->topLevelItem(i)->text(3)));
    return names;
}

using Names = std::vector<std::string>;

class LobbyListsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        lists = std::make_unique<TLobbyLists>(users, rooms, [] { return std::string("me"); });
    }
    void TearDown() override
    {
        lists.reset();
        MainWindowTest::TearDown();
    }
    UserList users;
    RoomTree rooms;
    std::unique_ptr<TLobbyLists> lists;
};

TEST_F(LobbyListsTest, RowsFollowTheRecordsInTheirColoursAndAHeaderClickOrdersThem)
{
    users.Add(User("bob", 300), false);
    users.Add(User("op", 100, 1), false);
    users.Add(User("me", 200), true);
    users.Add(User("amy", 500), false);
    QTreeWidget *list = lists->ListView1;
    EXPECT_EQ((Names{"me", "bob", "op", "amy"}), Shown(list));
    const QTreeWidgetItem *own = list->topLevelItem(0);
    EXPECT_EQ(QColor(0x94, 0xBA, 0xD6), own->background(4).color());
    EXPECT_EQ(QColor(Qt::white), own->foreground(3).color());
    EXPECT_EQ(QColor(Qt::red), list->topLevelItem(2)->foreground(3).color());
    EXPECT_EQ(Qt::NoBrush, list->topLevelItem(1)->background(3).style());
    EXPECT_TRUE(own->icon(0).isNull() && !list->topLevelItem(2)->icon(0).isNull()) << "the mark of rights";

    // A header click orders the rows and shows its direction on that header alone.
    list->header()->sectionClicked(4);
    list->header()->sectionClicked(4);
    EXPECT_EQ((Names{"me", "op", "amy", "bob"}), Shown(list));
    list->header()->sectionClicked(3);
    EXPECT_TRUE(list->headerItem()->icon(4).isNull() && !list->headerItem()->icon(3).isNull());

    // A newcomer joins at the end, a leaver goes, a change is written into its own row.
    users.Add(User("cat", 50), false);
    EXPECT_EQ("cat", Shown(list).back());
    users.Remove("bob");
    EXPECT_EQ(4, list->topLevelItemCount());
    users.Update(User("amy", 999));
    EXPECT_EQ((Names{"me", "op", "amy", "cat"}), Shown(list));
    EXPECT_EQ(QStringLiteral("999"), list->topLevelItem(2)->text(4));
    users.Clear();
    EXPECT_EQ(0, list->topLevelItemCount());
}

TEST_F(LobbyListsTest, APressNamesItsUserAndADoubleClickNamesTheRoomByItsPlace)
{
    users.Add(User("me", 1), true);
    users.Add(User("张三", 1), false);
    std::vector<std::string> pressed;
    lists->onUserPressed = [&](const std::string &name, QPoint) { pressed.push_back(name); };
    lists->ListView1->itemPressed(lists->ListView1->topLevelItem(1), 3);
    EXPECT_EQ(Names{"张三"}, pressed);

    rooms.AddServer("电信");
    rooms.AddRoom(0, "新手房");
    rooms.AddRoom(1, "高手房");
    rooms.SetRoomUsers(1, 12);
    rooms.Expand();
    ASSERT_EQ(1, lists->TreeView1->topLevelItemCount());
    QTreeWidgetItem *server = lists->TreeView1->topLevelItem(0);
    ASSERT_EQ(2, server->childCount());
    EXPECT_TRUE(server->isExpanded());
    EXPECT_EQ(QStringLiteral("高手房(12人)"), server->child(1)->text(0));
    std::vector<std::pair<int, int>> clicked;
    lists->onNodeDoubleClicked = [&](int level, int index) { clicked.push_back({level, index}); };
    lists->TreeView1->itemDoubleClicked(server->child(1), 0);
    lists->TreeView1->itemDoubleClicked(server, 0);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 1}, {0, 0}}), clicked);
}

} // namespace
