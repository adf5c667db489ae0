// The lobby's native lists over the game's models: rows as the records change them, the order of
// header clicks, the rows' colours, and what a press and a double click hand on.
#include "client/FormText.h"
#include "client/InviteList.h"
#include "client/LobbyLists.h"
#include "client/UserTableModel.h"
#include "tests/client/ListedUser.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/LobbyFlood.h"
#include "tests/kit/ScriptServer.h"
#include "tests/kit/ScriptServerThread.h"

#include <QHeaderView>
#include <QTreeView>
#include <QTreeWidget>

namespace {

UserInfo User(const char *name, int32_t score, int8_t rights = 0)
{
    return ListedUser(name).Score(score).Games(4, 1).Rights(rights);
}

std::vector<std::string> Shown(const QAbstractItemModel &model)
{
    std::vector<std::string> names;
    for (int i = 0; i < model.rowCount(); ++i)
        names.push_back(FromUi(model.index(i, 3).data().toString()));
    return names;
}

using Names = std::vector<std::string>;

Names Invitees(const TInviteList &list)
{
    Names names;
    for (int i = 0; i < list.model()->rowCount(); ++i)
        names.push_back(FromUi(list.model()->index(i, 0).data().toString()));
    return names;
}

class LobbyListsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        model = std::make_unique<UserTableModel>(users, [] { return std::string("me"); });
        lists = std::make_unique<TLobbyLists>(*model, rooms);
    }
    void TearDown() override
    {
        lists.reset();
        model.reset();
        MainWindowTest::TearDown();
    }
    QVariant Cell(int row, int column, int role) const { return model->index(row, column).data(role); }

    UserList users;
    RoomTree rooms;
    std::unique_ptr<UserTableModel> model;
    std::unique_ptr<TLobbyLists> lists;
};

TEST_F(LobbyListsTest, RowsFollowTheRecordsInTheirColoursAndAHeaderClickOrdersThem)
{
    users.Add(User("bob", 300), false);
    users.Add(User("op", 100, 1), false);
    users.Add(User("me", 200), true);
    users.Add(User("amy", 500), false);
    QTreeView *list = lists->ListView1;
    ASSERT_EQ(list->model(), model.get());
    EXPECT_EQ((Names{"me", "bob", "op", "amy"}), Shown(*model));
    EXPECT_EQ(QColor(0x94, 0xBA, 0xD6), Cell(0, 4, Qt::BackgroundRole).value<QColor>());
    EXPECT_EQ(QColor(Qt::white), Cell(0, 3, Qt::ForegroundRole).value<QColor>());
    EXPECT_EQ(QColor(Qt::red), Cell(2, 3, Qt::ForegroundRole).value<QColor>());
    EXPECT_FALSE(Cell(1, 3, Qt::BackgroundRole).isValid());
    EXPECT_TRUE(Cell(0, 0, Qt::DecorationRole).value<QIcon>().isNull() &&
                !Cell(2, 0, Qt::DecorationRole).value<QIcon>().isNull())
        << "the mark of rights";
    EXPECT_EQ(QStringLiteral("总局数"), model->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString());

    // A header click orders the rows and shows its direction on that header alone.
    auto icon = [&](int column) { return model->headerData(column, Qt::Horizontal, Qt::DecorationRole).value<QIcon>(); };
    EXPECT_TRUE(icon(0).isNull() && icon(4).isNull()) << "no order before a click";
    list->header()->sectionClicked(4);
    list->header()->sectionClicked(4);
    EXPECT_EQ((Names{"me", "op", "amy", "bob"}), Shown(*model));
    list->header()->sectionClicked(3);
    EXPECT_TRUE(icon(4).isNull() && !icon(3).isNull());

    // A newcomer joins at the end, a leaver goes, a change is written into its own row.
    users.Add(User("cat", 50), false);
    EXPECT_EQ("cat", Shown(*model).back());
    users.Remove("bob");
    EXPECT_EQ(4, model->rowCount());
    users.Update(User("amy", 999));
    EXPECT_EQ((Names{"me", "op", "amy", "cat"}), Shown(*model));
    EXPECT_EQ(QStringLiteral("999"), Cell(2, 4, Qt::DisplayRole).toString());
    users.Clear();
    EXPECT_EQ(0, model->rowCount());
}

TEST_F(LobbyListsTest, APressNamesItsUserAndADoubleClickNamesTheRoomByItsPlace)
{
    users.Add(User("me", 1), true);
    users.Add(User("张三", 1), false);
    std::vector<std::string> pressed;
    lists->onUserPressed = [&](const std::string &name, QPoint) { pressed.push_back(name); };
    lists->ListView1->pressed(model->index(1, 3));
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

// ListView2 is the same model's rows of the users at no table: every record that changes the user
// list reaches it as the one row it touched, and its selection stays with its user.
TEST_F(LobbyListsTest, TheInviteListShowsTheUsersAtNoTableFromTheSameRowsAsTheUserList)
{
    users.Add(ListedUser("me").AtTable(3), true);
    users.Add(User("bob", 300), false);
    users.Add(ListedUser("张三").Score(40).AtTable(5), false);
    users.Add(User("op", 100, 1), false);
    TInviteList invite(*model);
    ASSERT_EQ(&invite.Filter(), invite.model());
    ASSERT_EQ(model.get(), invite.Filter().sourceModel()) << "one model under both lists";
    EXPECT_EQ((Names{"bob", "op"}), Invitees(invite));
    Names headers;
    for (int c = 0; c < invite.model()->columnCount(); ++c)
        headers.push_back(FromUi(invite.model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()));
    EXPECT_EQ((Names{"姓名", "积分", "等级", "总局数", "和牌率"}), headers);
    EXPECT_EQ(QStringLiteral("25%"), invite.model()->index(0, 4).data().toString());
    EXPECT_EQ(Cell(3, 5, Qt::DisplayRole), invite.model()->index(1, 2).data()) << "the level as the user list says";
    EXPECT_EQ(Cell(3, 3, Qt::ForegroundRole), invite.model()->index(1, 0).data(Qt::ForegroundRole));

    int resets = 0;
    std::vector<std::pair<int, int>> changed;
    QObject::connect(model.get(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(model.get(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &from, const QModelIndex &to) { changed.push_back({from.row(), to.row()}); });
    invite.selectRow(1);
    EXPECT_EQ(std::optional<std::string>("op"), invite.SelectedInvitee());
    // 张三 leaves his table, a newcomer arrives, bob sits down: each a row of its own.
    users.Update(ListedUser("张三").Score(40));
    users.Add(User("amy", 500), false);
    users.Update(ListedUser("bob").Score(300).AtTable(2));
    EXPECT_EQ((Names{"张三", "op", "amy"}), Invitees(invite));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{2, 2}, {1, 1}}), changed);
    EXPECT_EQ(0, resets);
    // A header click of the user list orders this list too, the selection staying on its user.
    lists->ListView1->header()->sectionClicked(4);
    EXPECT_EQ((Names{"op", "张三", "amy"}), Invitees(invite)) << "rights first, then the score rising";
    EXPECT_EQ(std::optional<std::string>("op"), invite.SelectedInvitee());
    users.Remove("op");
    EXPECT_EQ((Names{"张三", "amy"}), Invitees(invite));
    EXPECT_EQ(std::nullopt, invite.SelectedInvitee());
    users.Clear();
    EXPECT_EQ(0, invite.model()->rowCount());
}

// A server that lists names twice: each of 30 seated users is added again, removed and added again,
// then tables seat them and updates change them.
using RepeatedNames = MainWindowTest;

TEST_F(RepeatedNames, EachNameStandsOnTwoRowsAndEveryChangeReachesTheFirstOfThem)
{
    constexpr int kUsers = 30;
    std::mt19937 rng(3);
    std::vector<GameMsg> room = LobbyFlood::Room("alice", kUsers, rng);
    room.push_back(LobbyFlood::PrivateLine("filled"));
    std::vector<GameMsg> repeats = LobbyFlood::Repeats(3 * kUsers + 3000, kUsers, rng);
    repeats.push_back(LobbyFlood::PrivateLine("after"));
    ScriptServerThread server(LobbyFlood::Script("alice", "pw", {room, repeats}));
    ASSERT_NE(server.Port(), 0) << server.Stop().failure;
    OpenAtTitle();
    LogIn(server.Port());
    ASSERT_TRUE(RunUntil([&] { return form->FindTalk("filled") != nullptr; }, 60000));
    Game().netlink->SendPacket(GameMsg(CS_ROOM_CHAT));
    ASSERT_TRUE(RunUntil([&] { return form->FindTalk("after") != nullptr; }, 120000));

    const UserList &users = Game().userlist;
    ASSERT_EQ(users.Count(), 1 + 2 * kUsers);
    for (int k = 0; k < kUsers; k++) {
        const std::string name = LobbyFlood::Name(k);
        const UserRow &first = users.Row(1 + k), &second = users.Row(1 + kUsers + k);
        ASSERT_TRUE(first.name == name && second.name == name && users.FindUserItem(name) == &first) << k;
        EXPECT_EQ(second.statusimage, IMAGE_LOBBY) << "tables seat the first row of " << name;
    }
    const QAbstractItemModel &shown = *form->Panel2()->ListView1->model();
    ASSERT_EQ(shown.rowCount(), users.Count());
    for (int i = 0; i < users.Count(); i++)
        EXPECT_EQ(FromUi(shown.index(i, 3).data().toString()), users.Row(i).name) << i;
    Game().netlink->CloseGameLink();
    EXPECT_EQ(server.Stop().failure, "");
}

} // namespace
