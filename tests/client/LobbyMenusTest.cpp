// The main window's menus in online play: the ready-made chat lines through the talk gate, and the
// user menu's actions that reach the server or the table's chat line.
#include "client/UserMenu.h"
#include "tests/client/MainWindowFixture.h"
#include "windows/CDxChatWnd.h"

#include <QAction>
#include <cstring>

namespace {

class LobbyMenus : public MainWindowTest {
protected:
    CMj &Online()
    {
        CMj &m = Open();
        m.StopPlay();
        m.netlink = &link;
        m.netgame = 1;
        return m;
    }
    void TearDown() override
    {
        if (form) {
            Game().netlink = nullptr;
            Game().netgame = 0;
        }
        MainWindowTest::TearDown();
    }
    StandingLink link;
};

TEST_F(LobbyMenus, ReadyMadeLinesPassTheTalkGateOneEveryThreeSecondsAndLongLinesAreCut)
{
    CMj &m = Online();
    QAction *hello = form->PopupMenu2()->actions().front();
    hello->setText(QStringLiteral("&") + hello->text()); // as some desktops mark menu texts
    hello->trigger();
    hello->trigger();
    ASSERT_EQ(1u, link.sent.size());
    EXPECT_EQ(CS_TABLE_CHAT, link.sent[0].Type());
    EXPECT_EQ("大家好，很高兴见到各位！", link.sent[0].GetText({1, 128}));
    ASSERT_GT(m.chatwnd[0]->pages.Count(), 0);
    clock.Advance(3000);
    hello->trigger();
    EXPECT_EQ(2u, link.sent.size());

    clock.Advance(3000);
    std::string chinese;
    for (int i = 0; i < 100; ++i)
        chinese += "你";
    form->SendChat(chinese);
    ASSERT_EQ(3u, link.sent.size());
    EXPECT_EQ(chinese.substr(0, 126), link.sent[2].GetText({1, 128})) << "127 bytes would split a character";
    EXPECT_EQ(0, link.sent[2].Get(127));
}

TEST_F(LobbyMenus, KickAndMuteGoOutOnlyWhenThePlayerAgreesAndTheLinkStands)
{
    Online();
    std::vector<MessageBox::Box> asked;
    int answer = MessageBox::ResultYes;
    MessageBox::SetHandler([&](const MessageBox::Box &box) {
        asked.push_back(box);
        return answer;
    });
    const std::string longName = "abcdefghijklmnopqrst";
    form->AdminClick(longName, ADMIN_KICK);
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ("确定要将" + longName + "踢出房间吗？", asked[0].text);
    EXPECT_EQ("提示信息", asked[0].title);
    EXPECT_EQ(MessageBox::ResultNo, asked[0].defaultButton) << "no is preselected";
    EXPECT_EQ(MessageBox::IconQuestion, asked[0].icon);
    ASSERT_EQ(1u, link.sent.size());
    uint8_t expected[GameMsg::kSize] = {CS_ADMIN, 0, 0, ADMIN_KICK};
    std::memcpy(expected + 4, longName.data(), 20);
    EXPECT_EQ(0, std::memcmp(expected, link.sent[0].Data(), GameMsg::kSize)) << "a full name, then its zero";

    // Through the menu, on the user it was opened for.
    UserMenuItems items;
    items.user = "张三";
    form->PopupMenu1()->Apply(items);
    form->PopupMenu1()->N25->trigger();
    ASSERT_EQ(2u, link.sent.size());
    EXPECT_EQ("确定要禁止张三发言吗？", asked.back().text);
    EXPECT_EQ(ADMIN_MUTE, link.sent[1].Get(3));
    EXPECT_EQ("张三", link.sent[1].GetText({4, 21}));

    answer = MessageBox::ResultNo;
    form->PopupMenu1()->N24->trigger();
    EXPECT_EQ(3u, asked.size());
    answer = MessageBox::ResultYes;
    link.standing = false;
    form->PopupMenu1()->N24->trigger();
    EXPECT_EQ(4u, asked.size());
    EXPECT_EQ(2u, link.sent.size()) << "refused, or no link: nothing goes";
}

TEST_F(LobbyMenus, AddressingAUserPutsTheNameIntoTheTablesChatLine)
{
    CMj &m = Online();
    m.chatedit->text = "old";
    form->N14Click("张三");
    EXPECT_EQ("[张三],", m.chatedit->text);
}

} // namespace
