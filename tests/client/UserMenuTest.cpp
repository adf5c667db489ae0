// The user menu: what it says about a user and what it offers, opened from the list, the drawn
// lobby or the table.
#include "client/UserMenu.h"
#include "table/TableStore.h"
#include "table/UserList.h"
#include "tests/client/ListedUser.h"

#include <gtest/gtest.h>

namespace {

class UserMenuTest : public testing::Test {
protected:
    void SetUp() override
    {
        tables[2].state[0] = 1; // table 3 waits with free seats
        tables[4].playing = 1;  // table 5 plays
        for (uint8_t &s : tables[6].state) // table 7 is full
            s = 1;
        context.myaccount = "me";
        context.table = [this](int i) { return i >= 0 && i < 10 ? &tables[i] : nullptr; };
        for (const auto &[name, table] : {std::pair{"me", 3}, {"张三", 3}, {"playing", 5}, {"full", 7},
                                          {"lobby", 0}, {"nowhere", 200}}) {
            ListedUser user(name);
            user.Score(120).Games(9, 4);
            if (table > 0)
                user.AtTable(table);
            users.Add(user, std::string(name) == "me");
        }
    }
    const UserRow &Row(const char *name) { return users.Row(users.IndexOf(name)); }

    TableInfo tables[10] = {};
    UserMenuContext context;
    UserList users;
};

TEST_F(UserMenuTest, FromTheListTheMenuSaysWhereAUserIsAndOffersTheSeatsLeft)
{
    const UserMenuItems waiting = UserMenuItems::ForList(Row("张三"), context);
    EXPECT_TRUE(waiting.join && waiting.chat && !waiting.manager && !waiting.kick && !waiting.atTable);
    EXPECT_EQ("与张三私聊|用户名: 张三|积分: 120|和牌: 4",
              waiting.talk + "|" + waiting.title + "|" + waiting.score + "|" + waiting.wins);
    // {user, where, joinable table}
    const std::tuple<const char *, const char *, int> cases[] = {{"张三", "正在第3桌等待", 2},
                                                                 {"playing", "正在第5桌游戏", -1},
                                                                 {"full", "正在第7桌等待", -1},
                                                                 {"nowhere", "正在第200桌游戏", -1}, // no such table
                                                                 {"lobby", "正在大厅中等待", -1}};
    for (const auto &[name, where, table] : cases) {
        const UserMenuItems items = UserMenuItems::ForList(Row(name), context);
        EXPECT_EQ(where, items.where) << name;
        EXPECT_EQ(table, JoinableTable(Row(name), context)) << name;
        EXPECT_EQ(table >= 0, items.join) << name;
    }
    EXPECT_FALSE(UserMenuItems::ForList(Row("me"), context).chat) << "no private chat with oneself";
    context.myright = 1;
    EXPECT_TRUE(UserMenuItems::ForList(Row("张三"), context).manager);
    EXPECT_FALSE(UserMenuItems::ForList(Row("me"), context).manager);
    EXPECT_FALSE(UserMenuItems::ForList(Row("张三"), context).kick) << "sending away is the table's";
}

TEST_F(UserMenuTest, FromTheTableThePrivilegedMaySendAwayATableMateBetweenHands)
{
    context.mytable = 3;
    const UserMenuItems mate = UserMenuItems::ForGame(Row("张三"), context, true);
    EXPECT_TRUE(mate.atTable && !mate.manager && mate.chat);
    EXPECT_EQ("与张三交谈", mate.talk);
    // {rights, hand running, screen up, user, kick offered}
    const std::tuple<int, int, int, const char *, bool> cases[] = {
        {2, 0, 0, "张三", true},   {1, 0, 0, "张三", true},     {0, 0, 0, "张三", false},
        {2, 0, 0, "me", false},    {2, 0, 0, "playing", false}, // another table
        {2, 1, 0, "张三", false},  {2, 0, 10, "张三", false}};
    for (const auto &[rights, status, screen, name, kick] : cases) {
        context.myright = rights;
        context.gamestatus = static_cast<uint8_t>(status);
        context.curscreen = static_cast<uint8_t>(screen);
        EXPECT_EQ(kick, UserMenuItems::ForGame(Row(name), context, true).kick)
            << rights << " " << status << " " << screen << " " << name;
    }
}

} // namespace
