// The lobby's user list as its headers sort it.
#include "client/UserOrder.h"
#include "table/UserList.h"
#include "tests/client/ListedUser.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

UserInfo User(const char *name, int32_t score, int32_t games, int32_t wins, int8_t rights = 0)
{
    return ListedUser(name).Score(score).Games(games, wins).Rights(rights);
}

// The own user, two with rights and six others, with equal scores and equal rates among them. Each
// header click gives the whole order: the own row first, users with rights next, equal rows in the
// list's order.
TEST(UserOrder, HeaderClicksSortWithTheOwnRowFirstAndUsersWithRightsNext)
{
    UserList list;
    for (const UserInfo &u : {User("op1", 300, 20, 2, 1), User("amy", 100, 10, 3), User("me", 500, 10, 5),
                              User("bob", 250, 4, 1), User("op2", 900, 0, 0, 2), User("cat", 100, 7, 3),
                              User("dan", 800, 0, 0), User("eve", 250, 10, 3), User("张三", 50, 3, 3)})
        list.Add(u, NameIs(u.name, "me"));
    const std::pair<int, Names> clicks[] = {
        {UserOrder::SCORE, {"me", "op1", "op2", "张三", "amy", "cat", "bob", "eve", "dan"}},
        {UserOrder::SCORE, {"me", "op2", "op1", "dan", "bob", "eve", "amy", "cat", "张三"}},
        // The level header continues from the score's direction.
        {UserOrder::LEVEL, {"me", "op1", "op2", "张三", "amy", "cat", "bob", "eve", "dan"}},
        // Win rates: no games is 0%, 3 in 7 is 42%, 3 in 3 is 100%.
        {UserOrder::RATE, {"me", "op2", "op1", "dan", "bob", "amy", "eve", "cat", "张三"}},
        // Names compare byte by byte: Chinese after Latin.
        {UserOrder::NAME, {"me", "op2", "op1", "张三", "eve", "dan", "cat", "bob", "amy"}},
        {UserOrder::NAME, {"me", "op1", "op2", "amy", "bob", "cat", "dan", "eve", "张三"}},
        {UserOrder::GAMES, {"me", "op2", "op1", "dan", "张三", "bob", "cat", "amy", "eve"}},
        {UserOrder::GAMES, {"me", "op1", "op2", "amy", "eve", "cat", "bob", "张三", "dan"}},
    };
    UserOrder order;
    for (const auto &[column, names] : clicks) {
        ASSERT_TRUE(order.Click(column));
        Names sorted;
        for (int row : order.Sorted(list, "me"))
            sorted.push_back(list.Row(row).name);
        EXPECT_EQ(names, sorted) << "column " << column;
    }
    EXPECT_FALSE(order.Ascending(UserOrder::GAMES));
    // Neither the escapes nor a picture column sorts.
    EXPECT_FALSE(order.Click(UserOrder::ESCAPES) || order.Click(1));
    EXPECT_EQ(UserOrder::GAMES, order.SortColumn());
    const UserRow &amy = list.Row(list.IndexOf("amy")), &eve = list.Row(list.IndexOf("eve"));
    EXPECT_FALSE(order.Before(amy, eve, "me") || order.Before(eve, amy, "me") || order.Before(amy, amy, "me"));
}

// Past the few rows a sort may order by insertion, equal rows still keep the list's order.
TEST(UserOrder, AHundredEqualScoresSortInTheListsOrderInBothDirections)
{
    UserList list;
    std::vector<int> rows;
    for (int i = 0; i < 100; ++i) {
        list.Add(User(("u" + std::to_string(i)).c_str(), 7, 1, 1), false);
        rows.push_back(i);
    }
    UserOrder order;
    for (int click = 0; click < 2; ++click) {
        order.Click(UserOrder::SCORE);
        EXPECT_EQ(rows, order.Sorted(list, "me"));
    }
}

} // namespace
