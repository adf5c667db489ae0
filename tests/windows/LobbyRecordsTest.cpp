// The server's records of the lobby and the service through the game's dispatcher: texts that fill
// their fields, links and their schemes, invitations, the login's failure, the room list's end.
#include "platform/OpenUrl.h"
#include "screen/Device.h"
#include "tests/windows/OnlineFixture.h"
#include "windows/CDxChatWnd.h"
#include "windows/CInviteMessage.h"
#include "windows/CNetRoom.h"

namespace {

GameMsg Text(uint8_t type, MsgField field, const std::string &text)
{
    GameMsg m(type);
    for (int i = 0; i < field.size && i < static_cast<int>(text.size()); i++)
        m.Put(field.off + i, static_cast<uint8_t>(text[i]));
    return m;
}

} // namespace

class LobbyRecords : public OnlineScreenTest {
protected:
    void SetUp() override
    {
        OnlineScreenTest::SetUp();
        Start();
        link.active = link.connected = true;
        game->NetStart();
        shell.calls.clear();
    }
    void Feed(const GameMsg &m) { game->OnGameMsg(m); }
};

TEST_F(LobbyRecords, TextsThatFillTheirFieldsArriveWholeAndNoLonger)
{
    GameMsg box = Text(SC_MESSAGEBOX, {1, 128}, std::string(128, 'm'));
    Feed(box);
    GameMsg notice = Text(SC_NOTICE, {6, 123}, std::string(123, 'n'));
    Feed(notice);
    GameMsg link = Text(SC_LINK_MESSAGE, {4, 125}, std::string(60, 't') + std::string(30, 'c') + std::string(35, 'u'));
    Feed(link);
    GameMsg bought = Text(SC_BUY_RESULT, {6, 123}, std::string(123, 'b'));
    bought.Put(3, 1);
    Feed(bought);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{
                               "text: " + std::string(128, 'm'),
                               "text: " + std::string(120, 'n'),
                               "link: " + std::string(60, 't') + "|" + std::string(30, 'c') + "|http://" + std::string(35, 'u'),
                               "bought",
                               "text: " + std::string(120, 'b'),
                           }));
}

TEST_F(LobbyRecords, LinksOpenOnlyAsWebPages)
{
    std::vector<std::string> opened;
    SetOpenUrlHandler([&](const std::string &url) { opened.push_back(url); });
    for (const char *url : {"file:///etc/passwd", "javascript:alert(1)", "www.example.org/a", "lantile.example.org:8080/x",
                            "HTTPS://example.org/b"})
        OpenUrl(LinkAddress(url));
    SetOpenUrlHandler(nullptr);
    EXPECT_EQ(opened, (std::vector<std::string>{"http://www.example.org/a", "http://lantile.example.org:8080/x",
                                                "HTTPS://example.org/b"}));
}

TEST_F(LobbyRecords, AnInvitationComesOnlyToAPlayerWaitingInTheLobby)
{
    GameMsg invite = Text(SC_INVITE, {3, 40}, std::string(40, 'k'));
    invite.Put(1, 41);
    curscreen = SCREEN_NONE;
    Feed(invite);
    EXPECT_EQ(invitemsgon, 0) << "at the table";
    game->lobby->Show();
    infoformon = 1;
    Feed(invite);
    EXPECT_EQ(invitemsgon, 0) << "waiting for the server's answer";
    EXPECT_EQ(invitemessage->text, "") << "not even kept for later";
    infoformon = 0;
    Feed(invite);
    ASSERT_EQ(invitemsgon, 1);
    EXPECT_EQ(invitemessage->invitedtable, 41);
    EXPECT_EQ(invitemessage->text, std::string(20, 'k') + " 邀请您到第42桌游戏") << "the name within its 20 bytes";
    invite.Put(1, 7);
    Feed(invite);
    EXPECT_EQ(invitemessage->invitedtable, 41) << "one invitation at a time";
}

TEST_F(LobbyRecords, AFailedLoginOfANetWorkStartShowsItsBoxAndThenEndsTheProgram)
{
    const GameMsg fail = Text(SC_LOGIN_FAIL, {1, 128}, "密码错误");
    Feed(fail);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"text: 密码错误"});
    EXPECT_TRUE(boxes.empty());

    shell.calls.clear();
    networkmode = 1;
    MessageBox::SetHandler([this](const MessageBox::Box &box) {
        shell.calls.push_back("box " + box.title + ": " + box.text);
        return MessageBox::ResultOk;
    });
    Feed(fail);
    networkmode = 0;
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"close hint", "box dazu: 密码错误", "close"}));
}

TEST_F(LobbyRecords, TheLoginsAnswerOfANetWorkStartBringsUpTheWindowAndSendsTheFilters)
{
    networkmode = 1;
    GameMsg success(SC_LOGIN_SUCCESS);
    success.Put(3, 1);
    Feed(success);
    networkmode = 0;
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"close hint", "show window"}));
    EXPECT_EQ(curscreen, SCREEN_LOBBY);
    EXPECT_EQ(game->lobby->paymode, 0) << "top-up by card";
    EXPECT_EQ(game->lobby->welcome, "欢迎使用Lantile");
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0].Type(), CS_USER_SET);
}

TEST_F(LobbyRecords, TheRoomListsEndEntersTheRememberedRoomOrTheFirst)
{
    GameMsg server = Text(SC_SERVER_ITEM, {3, 50}, "server");
    server.Put(2, 5);
    Feed(server);
    game->lobby->roomid = 9;
    Feed(GameMsg(SC_ROOMLIST_END));
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0].Type(), CS_ENTER_ROOM);
    EXPECT_EQ(link.sent[0].Get(1), 0) << "room 9 of 5";
    game->lobby->roomid = 4;
    Feed(GameMsg(SC_ROOMLIST_END));
    ASSERT_EQ(link.sent.size(), 2u);
    EXPECT_EQ(link.sent[1].Get(1), 4);
    EXPECT_EQ(infoformon, 1);

    GameMsg refused(SC_ENTER_ROOM);
    refused.PutText({6, 120}, "房间已满");
    Feed(refused);
    EXPECT_EQ(infoformon, 0);
    EXPECT_EQ(shell.calls.back(), "room: 房间已满");
    EXPECT_EQ(game->lobby->room, -1);
}

TEST_F(LobbyRecords, RoomChatLinesTakeTheirColourAndRecordsNamingNothingChangeNothing)
{
    GameMsg red = Text(SC_ROOM_CHAT, {6, 100}, std::string(100, 'r'));
    red.Put(3, 1);
    Feed(red);
    GameMsg black = Text(SC_ROOM_CHAT, {6, 100}, "plain");
    black.Put(3, 2);
    Feed(black);
    const CChatPage *page = game->lobby->chatwnd->pages.GetPage(game->lobby->chatwnd->pages.Count() - 1);
    ASSERT_NE(page, nullptr);
    ASSERT_GE(page->list.lines.size(), 2u);
    EXPECT_EQ(page->list.lines.back().text, "plain");
    EXPECT_EQ(page->list.lines.back().color, 0u);

    Feed(Text(SC_ROOM_ITEM, {3, 50}, "early"));
    GameMsg users(SC_SERVER_USERS);
    users.PutI32(3, 10);
    Feed(users);
    EXPECT_EQ(game->roomtree.Top(), nullptr);
    EXPECT_EQ(game->lobby->onlinecount, 0);
    GameMsg remove = Text(SC_USER_INFO, {3, 20}, "nobody");
    remove.Put(2, 2);
    Feed(remove);
    GameMsg table(SC_TABLE_INFO);
    table.Put(3, 100);
    table.Put(88, 1);
    Feed(table);
    EXPECT_TRUE(shell.calls.empty());
}
