// The user menu: what it says about a user and what it offers, opened from the list, the drawn
// lobby or the table.
#include "client/UserMenu.h"
#include "table/TableStore.h"
#include "table/UserList.h"
#include "tests/client/ListedUser.h"

#include <gtest/gtest.h>

namespace {

UserInfo User(const char *name, int table = 0)
{
    ListedUser user(name);
    user.Score(120).Games(9, 4);
    if (table > 0)
        user.AtTable(table);
    return user;
}

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
        users.Add(User("me", 3), true);
        users.Add(User("张三", 3), false);
        users.Add(User("playing", 5), false);
        users.Add(User("full", 7), false);
        users.Add(User("lobby"), false);
        users.Add(User("nowhere", 200), false);
    }
    const UserRow &Row(const char *name) { return users.Row(users.IndexOf(name)); }

    TableInfo tables[10] = {};
    UserMenuContext context;
    UserList users;
};

TEST_F(UserMenuTest, FromTheListTheMenuSaysWhereAUserIsAndOffersTheSeatsLeft)
{
    const UserMenuItems waiting = UserMenuItems::ForList(Row("张三"), context);
    EXPECT_EQ("正在第3桌等待", waiting.where);
    EXPECT_TRUE(waiting.join && waiting.chat && !waiting.manager && !waiting.kick && !waiting.atTable);
    EXPECT_EQ("与张三私聊", waiting.talk);
    EXPECT_EQ("用户名: 张三", waiting.title);
    EXPECT_EQ("积分: 120", waiting.score);
    EXPECT_EQ("和牌: 4", waiting.wins);
    EXPECT_EQ(2, JoinableTable(Row("张三"), context));

    EXPECT_EQ("正在第5桌游戏", UserMenuItems::ForList(Row("playing"), context).where);
    EXPECT_FALSE(UserMenuItems::ForList(Row("playing"), context).join);
    EXPECT_FALSE(UserMenuItems::ForList(Row("full"), context).join);
    EXPECT_EQ("正在第200桌游戏", UserMenuItems::ForList(Row("nowhere"), context).where) << "no such table";
    EXPECT_EQ(-1, JoinableTable(Row("nowhere"), context));
    EXPECT_EQ("正在大厅中等待", UserMenuItems::ForList(Row("lobby"), context).where);

    EXPECT_FALSE(UserMenuItems::ForList(Row("me"), context).chat) << "no private chat with oneself";
    context.myright = 1;
    EXPECT_TRUE(UserMenuItems::ForList(Row("张三"), context).manager);
    EXPECT_FALSE(UserMenuItems::ForList(Row("me"), context).manager);
    EXPECT_FALSE(UserMenuItems::ForList(Row("张三"), context).kick) << "sending away is the table's";
}

TEST_F(UserMenuTest, FromTheTableThePrivilegedMaySendAwayATableMateBetweenHands)
{
    context.myright = 2;
    context.mytable = 3;
    const UserMenuItems mate = UserMenuItems::ForGame(Row("张三"), context, true);
    EXPECT_TRUE(mate.kick && mate.atTable && !mate.manager);
    EXPECT_EQ("与张三交谈", mate.talk);
    EXPECT_FALSE(UserMenuItems::ForGame(Row("me"), context, true).kick);
    EXPECT_FALSE(UserMenuItems::ForGame(Row("playing"), context, true).kick) << "another table";
    context.gamestatus = 1;
    EXPECT_FALSE(UserMenuItems::ForGame(Row("张三"), context, true).kick) << "a hand is running";
    context.gamestatus = 0;
    context.curscreen = 10;
    EXPECT_FALSE(UserMenuItems::ForGame(Row("张三"), context, false).kick) << "a screen is up";
    context.curscreen = 0;
    context.myright = 0;
    EXPECT_FALSE(UserMenuItems::ForGame(Row("张三"), context, true).kick);
    EXPECT_TRUE(UserMenuItems::ForGame(Row("me"), context, false).chat);
}

} // namespace
