// The lobby's records read into values, and the user list, the room tree and the tables they fill.
#include "table/RoomTree.h"
#include "table/TableStore.h"
#include "table/UserList.h"
#include "tests/kit/ScriptRecord.h"

#include <algorithm>
#include <array>
#include <climits>
#include <random>
#include <gtest/gtest.h>

namespace {

GameMsg Record(std::string_view line)
{
    std::string error;
    GameMsg m = ScriptRecord(line, &error);
    EXPECT_EQ(error, "") << line;
    return m;
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

TEST(LobbyRecords, AUserRecordKeepsEveryFieldAndAFullNameWithinTwentyBytes)
{
    UserRecord r;
    ASSERT_EQ(ReadUserRecord(Record("104 2=1 3:\"abcdefghijklmnopqrst\" 23:i32=-5 27=1 28:i32=7 32:i32=3 "
                                    "36:i32=11 40:i32=2 44:i32=12 51=2 52:i32=9001 66=5 101=1 102=8 103=3 104=77"),
                             &r),
              nullptr);
    const UserInfo &u = r.info;
    EXPECT_TRUE(NameIs(u.name, "abcdefghijklmnopqrst") && !NameIs(u.name, "abcdefghijklmnopqrstu"));
    EXPECT_EQ((std::vector<int>{u.score, u.sex, u.games, u.wins, u.counter1, u.escapes, u.counter2, u.rights,
                                u.userid, u.face, u.attable, u.table, u.seat}),
              (std::vector<int>{-5, 1, 7, 3, 11, 2, 12, 2, 9001, 5, 1, 8, 3}));
    // A face that is no picture becomes the default of the sex: {face byte, sex, face kept}.
    const int faces[][3] = {{0, 1, 7}, {13, 1, 7}, {13, 0, 1}, {12, 1, 12}, {1, 0, 1}};
    for (const auto &c : faces)
        EXPECT_EQ(FixedFace(c[0], static_cast<uint8_t>(c[1])), c[2]) << c[0] << " " << c[1];
    // Records that name nothing are refused.
    EXPECT_NE(ReadUserRecord(Record("104 2=0 3:\"a\""), &r), nullptr);
    EXPECT_NE(ReadUserRecord(Record("104 2=4 3:\"a\""), &r), nullptr);
    TableRecord table;
    EXPECT_NE(ReadTableRecord(Record("101 3=100"), &table), nullptr);
    ASSERT_EQ(ReadTableRecord(Record("101 2=1 3=99 4:\"x\" 92=1 96=1"), &table), nullptr);
    EXPECT_TRUE(table.index == 99 && !table.repaint && table.info.ready[0] == 1 && table.info.playing == 1);
}

TEST(LobbyRecords, TheWinRateIsWholePercentAndNeverOverflows)
{
    const std::pair<std::array<int32_t, 2>, const char *> cases[] = {
        {{0, 0}, "0%"}, {{5, -1}, "0%"}, {{3, 7}, "42%"}, {{INT_MAX, INT_MAX}, "100%"}, {{1, 1}, "100%"}, {{0, 1}, "0%"},
        {{30000000, 60000000}, "50%"}, {{-3, 7}, "-42%"}};
    for (const auto &[c, rate] : cases)
        EXPECT_EQ(WinRate(c[0], c[1]), rate) << c[0] << "/" << c[1];
}

TEST(UserListModel, TheOwnRowGoesFirstAndRemovesAndUpdatesFindTheFirstRowOfTheName)
{
    UserList list;
    RecordingView view;
    list.SetView(&view);
    list.Add(Named("ann", 3), false);
    list.Add(Named("twin", 4), false);
    list.Add(Named("me"), true);
    list.Add(Named("twin", 5), false);
    EXPECT_EQ(list.Row(0).name, "me");
    EXPECT_EQ(list.Row(1).columns[0] + list.Row(1).columns[1], "") << "the picture columns have no text";

    UserInfo update = Named("twin", 9);
    update.score = 120;
    update.games = 4;
    update.wins = 1;
    update.escapes = 6;
    update.attable = 1;
    update.table = 3;
    update.rights = 2;
    const UserRow *row = list.Update(update);
    ASSERT_EQ(row, &list.Row(2));
    EXPECT_EQ(row->info.face, 4) << "the face stays";
    EXPECT_EQ(row->info.rights, 0) << "the rights stay";
    EXPECT_EQ(row->columns[COL_SCORE] + " " + row->columns[COL_RATE] + " " + row->columns[COL_ESCAPES], "120 25% 6");
    EXPECT_TRUE(list.SetStatus("twin", IMAGE_READY));
    update.attable = 0;
    EXPECT_EQ(list.Update(update)->statusimage, IMAGE_LOBBY) << "leaving the table";
    EXPECT_EQ(list.Row(2).info.table, 0);

    EXPECT_TRUE(list.Remove("twin"));
    EXPECT_EQ(list.FindUserItem("twin")->info.face, 5) << "the second twin stays";
    EXPECT_TRUE(list.Remove("twin"));
    EXPECT_FALSE(list.Remove("twin"));
    EXPECT_EQ(list.FindUserItem("twin"), nullptr);
    EXPECT_EQ(list.Update(Named("nobody")), nullptr);
    EXPECT_FALSE(list.SetStatus("nobody", IMAGE_SEATED));
    EXPECT_EQ(view.calls, "+0+1+0+3~2~2~2-2-2");
    list.Clear();
    EXPECT_EQ(list.FindUserItem("ann"), nullptr);
}

TEST(UserListModel, NamesListedTwiceKeepTheirOrderAndEachChangeReachesTheFirstRowOfItsName)
{
    // Beside the list, its rows as (name, id) pairs, through thousands of changes of a few hundred
    // names that stand on one to a dozen rows each.
    struct : UserListView {
        void RowInserted(int) override {}
        void RowRemoved(int row) override { told = row; }
        void RowChanged(int row) override { told = row; }
        void ListCleared() override {}
        int told = -1;
    } view;
    UserList list;
    list.SetView(&view);
    std::vector<std::pair<std::string, int>> rows;
    std::mt19937 rng(11);
    for (int id = 1; id <= 20000; id++) {
        const std::string name = "u" + std::to_string(rng() % 300);
        const auto it = std::find_if(rows.begin(), rows.end(), [&](const auto &row) { return row.first == name; });
        const int at = it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
        UserInfo u = Named(name.c_str());
        u.userid = id;
        view.told = -1;
        // The first 60 rows go first, more than the room the list keeps in front of its rows; later
        // one now and then does, as the own user's.
        const unsigned kind = id <= 60 || rng() % 100 == 0 ? 0 : 1 + rng() % 4;
        if (kind == 0) {
            ASSERT_EQ(list.Add(u, true), 0);
            rows.insert(rows.begin(), {name, id});
        } else if (kind <= 2) {
            list.Add(u, false);
            rows.emplace_back(name, id);
        } else {
            const UserRow *row = kind == 3 ? list.Update(u) : nullptr;
            ASSERT_EQ(row ? row->info.userid : -1, kind == 3 && at >= 0 ? rows[at].second : -1) << id;
            if (kind == 4) {
                ASSERT_EQ(list.Remove(name), at >= 0) << id;
                if (at >= 0)
                    rows.erase(it);
            }
            ASSERT_EQ(view.told, at) << id;
        }
        if (id % 1000 == 0) {
            ASSERT_EQ(list.Count(), static_cast<int>(rows.size()));
            for (size_t i = 0; i < rows.size(); i++)
                ASSERT_EQ(list.Row(static_cast<int>(i)).info.userid, rows[i].second) << id << " row " << i;
        }
    }
}

TEST(RoomTreeModel, RoomsHangUnderTheServerAndOnlyRoomsThatAreThereTakeCounts)
{
    RoomTree tree;
    EXPECT_FALSE(tree.AddRoom(0, "early") || tree.SetServerUsers(5) || tree.SetRoomUsers(0, 5))
        << "no server node yet";
    EXPECT_TRUE(tree.Rows().empty());
    tree.AddServer("server");
    EXPECT_TRUE(tree.AddRoom(0, "a") && tree.AddRoom(1, "b") && tree.SetRoomUsers(1, 7));
    EXPECT_FALSE(tree.SetRoomUsers(2, 1) || tree.SetRoomUsers(-1, 1)) << "a room that is not there";
    ASSERT_EQ(tree.Rows().size(), 2u);
    EXPECT_EQ(tree.Rows()[0].users + tree.Rows()[1].users, "07");
    EXPECT_EQ(tree.Top()->children[0].caption, "a") << "no count, no brackets";
    tree.Clear();
    EXPECT_EQ(tree.Top(), nullptr);
}

TEST(TableStoreModel, SeatsTakeTheirUsersFacesAndBadIndexesAreRefused)
{
    UserList users;
    users.Add(Named("ann", 3), false);
    users.Add(Named("abcdefghijklmnopqrst", 12), false);
    TableStore store;
    TableInfo t{};
    PutName(t.name[0], "ann");
    PutName(t.name[1], "abcdefghijklmnopqrst");
    PutName(t.name[2], "stranger");
    t.face[2] = 12;
    t.state[0] = t.state[1] = t.state[2] = 1;
    t.face[3] = 9; // an empty seat keeps what it had
    ASSERT_TRUE(store.SetTable(5, t, users));
    const TableInfo *kept = store.GetTable(5);
    EXPECT_EQ((std::vector<int>{kept->face[0], kept->face[1], kept->face[2], kept->face[3]}),
              (std::vector<int>{2, 11, 0, 9}));
    EXPECT_EQ(store.FreeSeats(5), 1);
    t.playing = 1;
    EXPECT_TRUE(store.SetTable(6, t, users));
    EXPECT_EQ(store.FreeSeats(6), -1);
    EXPECT_FALSE(store.SetTable(100, t, users) || store.SetTable(-1, t, users));
    EXPECT_EQ(store.GetTable(100), nullptr);
    EXPECT_EQ(store.FreeSeats(100), -1);
    store.ClearTables();
    EXPECT_EQ(store.FreeSeats(6), 4);
    EXPECT_TRUE(TableStore::OnPage(99, 16));
    EXPECT_FALSE(TableStore::OnPage(96, 15));
}
