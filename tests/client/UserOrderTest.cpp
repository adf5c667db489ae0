// The lobby's user list as its headers sort it.
#include "client/UserOrder.h"
#include "table/UserList.h"
#include "tests/client/ListedUser.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

UserInfo User(const char *name, int32_t score, int32_t games, int32_t wins, int8_t rights = 0)
{
    return ListedUser(name).Score(score).Games(games, wins).Rights(rights);
}

std::vector<std::string> Names(const UserList &list, const UserOrder &order)
{
    std::vector<std::string> names;
    for (int row : order.Sorted(list, "me"))
        names.push_back(list.Row(row).name);
    return names;
}

using Names_ = std::vector<std::string>;

// The own user, two with rights and six others, with equal scores and equal rates among them.
class UserOrderTest : public testing::Test {
protected:
    void SetUp() override
    {
        list.Add(User("op1", 300, 20, 2, 1), false);
        list.Add(User("amy", 100, 10, 3), false);
        list.Add(User("me", 500, 10, 5), true);
        list.Add(User("bob", 250, 4, 1), false);
        list.Add(User("op2", 900, 0, 0, 2), false);
        list.Add(User("cat", 100, 7, 3), false);
        list.Add(User("dan", 800, 0, 0), false);
        list.Add(User("eve", 250, 10, 3), false);
        list.Add(User("张三", 50, 3, 3), false);
    }
    UserList list;
    UserOrder order;
};

TEST_F(UserOrderTest, HeaderClicksSortWithTheOwnRowFirstAndUsersWithRightsNext)
{
    ASSERT_TRUE(order.Click(UserOrder::SCORE));
    EXPECT_TRUE(order.Ascending(UserOrder::SCORE));
    EXPECT_EQ((Names_{"me", "op1", "op2", "张三", "amy", "cat", "bob", "eve", "dan"}), Names(list, order))
        << "equal scores keep the list's order";
    order.Click(UserOrder::SCORE);
    EXPECT_EQ((Names_{"me", "op2", "op1", "dan", "bob", "eve", "amy", "cat", "张三"}), Names(list, order));
    // The level header continues from the score's direction.
    order.Click(UserOrder::LEVEL);
    EXPECT_EQ((Names_{"me", "op1", "op2", "张三", "amy", "cat", "bob", "eve", "dan"}), Names(list, order));
    // Win rates: no games is 0%, 3 in 7 is 42%, 3 in 3 is 100%.
    order.Click(UserOrder::RATE);
    EXPECT_EQ((Names_{"me", "op2", "op1", "dan", "bob", "amy", "eve", "cat", "张三"}), Names(list, order));
    order.Click(UserOrder::NAME);
    EXPECT_FALSE(order.Ascending(UserOrder::NAME));
    EXPECT_EQ((Names_{"me", "op2", "op1", "张三", "eve", "dan", "cat", "bob", "amy"}), Names(list, order))
        << "names compare byte by byte: Chinese after Latin";
    order.Click(UserOrder::NAME);
    const Names_ byName{"me", "op1", "op2", "amy", "bob", "cat", "dan", "eve", "张三"};
    EXPECT_EQ(byName, Names(list, order));

    // Neither the escapes nor a picture column sorts.
    EXPECT_FALSE(order.Click(UserOrder::ESCAPES));
    EXPECT_FALSE(order.Click(1));
    EXPECT_EQ(UserOrder::NAME, order.SortColumn());
    EXPECT_EQ(byName, Names(list, order));
}

TEST_F(UserOrderTest, GamesSortBothWaysAndEqualRowsNeverGoBeforeEachOther)
{
    order.Click(UserOrder::GAMES);
    EXPECT_EQ((Names_{"me", "op2", "op1", "dan", "张三", "bob", "cat", "amy", "eve"}), Names(list, order));
    order.Click(UserOrder::GAMES);
    EXPECT_EQ((Names_{"me", "op1", "op2", "amy", "eve", "cat", "bob", "张三", "dan"}), Names(list, order));
    const UserRow &amy = list.Row(list.IndexOf("amy")), &eve = list.Row(list.IndexOf("eve"));
    EXPECT_FALSE(order.Before(amy, eve, "me") || order.Before(eve, amy, "me"));
    EXPECT_FALSE(order.Before(amy, amy, "me"));
}

TEST(UserOrder, AHundredEqualScoresSortInTheListsOrderInBothDirections)
{
    UserList list;
    for (int i = 0; i < 100; ++i)
        list.Add(User(("u" + std::to_string(i)).c_str(), 7, 1, 1), false);
    UserOrder order;
    for (int click = 0; click < 2; ++click) {
        order.Click(UserOrder::SCORE);
        const std::vector<int> rows = order.Sorted(list, "me");
        ASSERT_EQ(100u, rows.size());
        for (int i = 0; i < 100; ++i)
            EXPECT_EQ(i, rows[i]);
    }
}

} // namespace
