// The lobby's records read into values, and the user list, the room tree and the tables they fill.
#include "table/RoomTree.h"
#include "table/TableStore.h"
#include "table/UserList.h"
#include "tests/kit/ScriptRecord.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

GameMsg Record(std::string_view line)
{
    std::string error;
    GameMsg m = ScriptRecord(line, &error);
    EXPECT_EQ(error, "") << line;
    return m;
}

UserInfo User(std::string_view line)
{
    UserRecord r;
    EXPECT_EQ(ReadUserRecord(Record(line), &r), nullptr) << line;
    return r.info;
}

UserInfo Named(const char *name, int face = 1)
{
    UserInfo u{};
    PutName(u.name, name);
    u.face = face;
    return u;
}

// Records what a view of the list is told.
struct RecordingView : UserListView {
    void RowInserted(int row) override { calls += "+" + std::to_string(row); }
    void RowRemoved(int row) override { calls += "-" + std::to_string(row); }
    void RowChanged(int row) override { calls += "~" + std::to_string(row); }
    void ListCleared() override { calls += "0"; }
    std::string calls;
};

} // namespace

TEST(LobbyRecords, AUserRecordKeepsItsCountsAndAFullNameWithinTwentyBytes)
{
    const UserInfo u = User("104 2=1 3:\"abcdefghijklmnopqrst\" 23:i32=-5 27=1 28:i32=7 32:i32=3 36:i32=11 "
                            "40:i32=2 44:i32=12 51=2 52:i32=9001 66=5 101=1 102=8 103=3 104=77");
    EXPECT_EQ(BoundedName(u.name), "abcdefghijklmnopqrst");
    EXPECT_TRUE(NameIs(u.name, "abcdefghijklmnopqrst"));
    EXPECT_FALSE(NameIs(u.name, "abcdefghijklmnopqrstu"));
    EXPECT_EQ(u.score, -5);
    EXPECT_EQ(u.sex, 1);
    EXPECT_EQ(u.games, 7);
    EXPECT_EQ(u.wins, 3);
    EXPECT_EQ(u.counter1, 11);
    EXPECT_EQ(u.escapes, 2);
    EXPECT_EQ(u.counter2, 12);
    EXPECT_EQ(u.rights, 2);
    EXPECT_EQ(u.userid, 9001);
    EXPECT_EQ(u.face, 5);
    EXPECT_EQ(u.attable, 1);
    EXPECT_EQ(u.table, 8);
    EXPECT_EQ(u.seat, 3);
}

TEST(LobbyRecords, AFaceThatIsNoPictureBecomesTheDefaultOfTheSex)
{
    // {face byte, sex, face kept}
    const int cases[][3] = {{0, 1, 7}, {13, 1, 7}, {13, 0, 1}, {0, 0, 1}, {12, 1, 12}, {1, 0, 1}};
    for (const auto &c : cases)
        EXPECT_EQ(FixedFace(c[0], static_cast<uint8_t>(c[1])), c[2]) << c[0] << " " << c[1];
}

TEST(LobbyRecords, RecordsThatNameNothingAreRefused)
{
    UserRecord user;
    EXPECT_NE(ReadUserRecord(Record("104 2=0 3:\"a\""), &user), nullptr);
    EXPECT_NE(ReadUserRecord(Record("104 2=4 3:\"a\""), &user), nullptr);
    TableRecord table;
    EXPECT_NE(ReadTableRecord(Record("101 3=100"), &table), nullptr);
    EXPECT_EQ(ReadTableRecord(Record("101 2=1 3=99 4:\"x\" 92=1 96=1"), &table), nullptr);
    EXPECT_EQ(table.index, 99);
    EXPECT_FALSE(table.repaint);
    EXPECT_EQ(table.info.ready[0], 1);
    EXPECT_EQ(table.info.playing, 1);
}

TEST(LobbyRecords, TheWinRateIsWholePercentAndNeverOverflows)
{
    EXPECT_EQ(WinRate(0, 0), "0%");
    EXPECT_EQ(WinRate(5, -1), "0%");
    EXPECT_EQ(WinRate(3, 7), "42%");
    EXPECT_EQ(WinRate(1, 1), "100%");
    EXPECT_EQ(WinRate(INT_MAX, INT_MAX), "100%");
    EXPECT_EQ(WinRate(30000000, 60000000), "50%");
    EXPECT_EQ(WinRate(-3, 7), "-42%");
}

TEST(UserListModel, AViewIsToldWhereEachRowGoes)
{
    UserList list;
    RecordingView view;
    list.SetView(&view);
    list.Add(Named("bob"), false);
    list.Add(Named("carol"), false);
    list.Add(Named("me"), true);
    EXPECT_EQ(view.calls, "+0+1+0");
    EXPECT_EQ(list.Row(0).name, "me");
    EXPECT_EQ(list.Row(2).name, "carol");
    EXPECT_EQ(list.Row(1).columns[0] + list.Row(1).columns[1], "") << "the picture columns have no text";
}

TEST(UserListModel, RemovesAndUpdatesFindTheFirstRowOfTheName)
{
    UserList list;
    list.Add(Named("ann", 3), false);
    list.Add(Named("twin", 4), false);
    list.Add(Named("twin", 5), false);
    RecordingView view;
    list.SetView(&view);

    UserInfo update = Named("twin", 9);
    update.score = 120;
    update.games = 4;
    update.wins = 1;
    update.escapes = 6;
    update.attable = 1;
    update.table = 3;
    update.seat = 2;
    update.rights = 2;
    const UserRow *row = list.Update(update);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(list.IndexOf("twin"), 1);
    EXPECT_EQ(row->info.face, 4) << "the face stays";
    EXPECT_EQ(row->info.rights, 0) << "the rights stay";
    EXPECT_EQ(row->columns[COL_SCORE], "120");
    EXPECT_EQ(row->columns[COL_RATE], "25%");
    EXPECT_EQ(row->columns[COL_ESCAPES], "6");
    EXPECT_EQ(row->info.table, 3);
    EXPECT_TRUE(list.SetStatus("twin", IMAGE_READY));
    update.attable = 0;
    EXPECT_EQ(list.Update(update)->statusimage, IMAGE_LOBBY) << "leaving the table";
    EXPECT_EQ(list.Row(1).info.table, 0);

    EXPECT_TRUE(list.Remove("twin"));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Row(1).info.face, 5) << "the second twin stays";
    EXPECT_EQ(list.FindUserItem("twin"), &list.Row(1));
    EXPECT_TRUE(list.Remove("twin"));
    EXPECT_FALSE(list.Remove("twin"));
    EXPECT_EQ(list.FindUserItem("twin"), nullptr);
    EXPECT_EQ(list.Update(Named("nobody")), nullptr);
    EXPECT_FALSE(list.SetStatus("nobody", IMAGE_SEATED));
    EXPECT_EQ(view.calls, "~1~1~1-1-1");

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.FindUserItem("ann"), nullptr);
}

TEST(RoomTreeModel, RoomsHangUnderTheServerWithTheirUsersInTheCaption)
{
    RoomTree tree;
    EXPECT_FALSE(tree.AddRoom(0, "early")) << "no server node yet";
    EXPECT_FALSE(tree.SetServerUsers(5));
    EXPECT_FALSE(tree.SetRoomUsers(0, 5));
    EXPECT_TRUE(tree.Rows().empty());

    tree.AddServer("server");
    EXPECT_TRUE(tree.AddRoom(0, "新手"));
    EXPECT_TRUE(tree.AddRoom(1, "高手"));
    EXPECT_TRUE(tree.SetServerUsers(12));
    EXPECT_TRUE(tree.SetRoomUsers(1, 7));
    EXPECT_FALSE(tree.SetRoomUsers(2, 1)) << "a room that is not there";
    EXPECT_FALSE(tree.SetRoomUsers(-1, 1));
    tree.MarkEntered(1);

    const RoomNode &top = *tree.Top();
    EXPECT_EQ(top.caption, "server(12人)");
    EXPECT_EQ(top.image, IMAGE_SERVER);
    ASSERT_EQ(top.children.size(), 2u);
    EXPECT_EQ(top.children[0].caption, "新手");
    EXPECT_EQ(top.children[0].image, IMAGE_ROOM);
    EXPECT_EQ(top.children[1].caption, "高手(7人)");
    EXPECT_EQ(top.children[1].image, IMAGE_ENTERED);
    EXPECT_EQ(top.children[1].info.room, 1);
    ASSERT_EQ(tree.Rows().size(), 2u);
    EXPECT_EQ(tree.Rows()[1].users, "7");
    EXPECT_EQ(tree.Rows()[0].users, "0");

    tree.Clear();
    EXPECT_EQ(tree.Top(), nullptr);
}

TEST(TableStoreModel, SeatsTakeTheirUsersFacesAndBadIndexesAreRefused)
{
    UserList users;
    users.Add(Named("ann", 3), false);
    users.Add(Named("abcdefghijklmnopqrst", 12), false);
    TableStore store;
    EXPECT_EQ(store.FreeSeats(0), 4);

    TableInfo t{};
    PutName(t.name[0], "ann");
    PutName(t.name[1], "abcdefghijklmnopqrst");
    PutName(t.name[2], "stranger");
    t.face[2] = 12;
    t.state[0] = t.state[1] = t.state[2] = 1;
    t.face[3] = 9; // an empty seat keeps what it had
    EXPECT_TRUE(store.SetTable(5, t, users));
    const TableInfo *kept = store.GetTable(5);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->face[0], 2);
    EXPECT_EQ(kept->face[1], 11);
    EXPECT_EQ(kept->face[2], 0);
    EXPECT_EQ(kept->face[3], 9);
    EXPECT_EQ(store.FreeSeats(5), 1);

    t.playing = 1;
    EXPECT_TRUE(store.SetTable(6, t, users));
    EXPECT_EQ(store.FreeSeats(6), -1);
    EXPECT_FALSE(store.SetTable(100, t, users));
    EXPECT_FALSE(store.SetTable(-1, t, users));
    EXPECT_EQ(store.GetTable(100), nullptr);
    EXPECT_EQ(store.FreeSeats(100), -1);

    store.ClearTables();
    EXPECT_EQ(store.FreeSeats(5), 4);
    EXPECT_EQ(store.FreeSeats(6), 4);
    EXPECT_TRUE(TableStore::OnPage(99, 16));
    EXPECT_FALSE(TableStore::OnPage(96, 15));
}
