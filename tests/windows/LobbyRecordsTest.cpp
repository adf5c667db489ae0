// The server's records of the lobby and the service through the game's dispatcher: texts that fill
// their fields, links and their schemes, invitations, the login's answers, the room list's end.
#include "platform/OpenUrl.h"
#include "screen/Device.h"
#include "tests/windows/OnlineFixture.h"
#include "windows/CDxChatWnd.h"
#include "windows/CInviteMessage.h"
#include "windows/CNetRoom.h"

namespace {

// A record of the type with the text in its field and a byte set.
GameMsg Text(uint8_t type, MsgField field, const std::string &text, int at = 0, uint8_t value = 0)
{
    GameMsg m(type);
    m.PutText(field, text);
    if (at > 0)
        m.Put(at, value);
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

TEST_F(LobbyRecords, TextsThatFillTheirFieldsArriveWholeAndNoLongerAndLinksOpenOnlyAsWebPages)
{
    Feed(Text(SC_MESSAGEBOX, {1, 128}, std::string(128, 'm')));
    Feed(Text(SC_NOTICE, {6, 123}, std::string(123, 'n')));
    Feed(Text(SC_LINK_MESSAGE, {4, 125}, std::string(60, 't') + std::string(30, 'c') + std::string(35, 'u')));
    Feed(Text(SC_BUY_RESULT, {6, 123}, std::string(123, 'b'), 3, 1));
    EXPECT_EQ(shell.calls, (std::vector<std::string>{
                               "text: " + std::string(128, 'm'),
                               "text: " + std::string(120, 'n'),
                               "link: " + std::string(60, 't') + "|" + std::string(30, 'c') + "|http://" + std::string(35, 'u'),
                               "bought",
                               "text: " + std::string(120, 'b'),
                           }));

    std::vector<std::string> opened;
    SetOpenUrlHandler([&](const std::string &url) { opened.push_back(url); });
    for (const char *url : {"file:///etc/passwd", "javascript:alert(1)", "www.example.org/a", "lantile.example.org:8080/x",
                            "HTTPS://example.org/b", "http://"})
        OpenUrl(LinkAddress(url));
    SetOpenUrlHandler(nullptr);
    EXPECT_EQ(opened, (std::vector<std::string>{"http://www.example.org/a", "http://lantile.example.org:8080/x",
                                                "HTTPS://example.org/b"}));
}

TEST_F(LobbyRecords, AnInvitationComesOnlyToAPlayerWaitingInTheLobby)
{
    const GameMsg invite = Text(SC_INVITE, {3, 40}, std::string(40, 'k'), 1, 41);
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
    EXPECT_EQ(invitemessage->text, std::string(20, 'k') + " 邀请您到第42桌游戏") << "the name within its 20 bytes";
    Feed(Text(SC_INVITE, {3, 40}, "other", 1, 7));
    EXPECT_EQ(invitemessage->invitedtable, 41) << "one invitation at a time";
}

// A NetWork start: a failed login shows its box and ends the program, a login brings up the window
// and sends the filters. Otherwise a failed login is the main window's text.
TEST_F(LobbyRecords, TheLoginsAnswerOfANetWorkStart)
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
    Feed(Text(SC_LOGIN_SUCCESS, {1, 0}, "", 3, 1));
    networkmode = 0;
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"close hint", "box dazu: 密码错误", "close 1", "close hint",
                                                     "show window"}));
    EXPECT_EQ(curscreen, SCREEN_LOBBY);
    EXPECT_EQ(game->lobby->paymode, 0) << "top-up by card";
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0].Type(), CS_USER_SET);
}

TEST_F(LobbyRecords, TheRoomListsEndEntersTheRememberedRoomOrTheFirst)
{
    Feed(Text(SC_SERVER_ITEM, {3, 50}, "server", 2, 5));
    for (const auto &[remembered, entered] : {std::pair{5, 0}, {4, 4}}) { // room 5 of 5 is none
        game->lobby->roomid = remembered;
        Feed(GameMsg(SC_ROOMLIST_END));
        ASSERT_FALSE(link.sent.empty());
        EXPECT_EQ(link.sent.back().Type(), CS_ENTER_ROOM);
        EXPECT_EQ(link.sent.back().Get(1), entered);
    }
    EXPECT_EQ(infoformon, 1);
    Feed(Text(SC_ENTER_ROOM, {6, 120}, "房间已满"));
    EXPECT_EQ(infoformon, 0);
    EXPECT_EQ(shell.calls.back(), "room: 房间已满");
    EXPECT_EQ(game->lobby->room, -1);
}

TEST_F(LobbyRecords, RoomChatLinesTakeTheirColourAndRecordsNamingNothingChangeNothing)
{
    Feed(Text(SC_ROOM_CHAT, {6, 100}, std::string(100, 'r'), 3, 1));
    Feed(Text(SC_ROOM_CHAT, {6, 100}, "plain", 3, 2));
    const CChatPage *page = game->lobby->chatwnd->pages.GetPage(game->lobby->chatwnd->pages.Count() - 1);
    ASSERT_TRUE(page && page->list.lines.size() >= 2);
    EXPECT_EQ(page->list.lines.back().text, "plain");
    EXPECT_EQ(page->list.lines.back().color, 0u);

    Feed(Text(SC_ROOM_ITEM, {3, 50}, "early"));
    GameMsg users(SC_SERVER_USERS);
    users.PutI32(3, 10);
    Feed(users);
    EXPECT_EQ(game->roomtree.Top(), nullptr);
    EXPECT_EQ(game->lobby->onlinecount, 0);
    Feed(Text(SC_USER_INFO, {3, 20}, "nobody", 2, 2));
    GameMsg table(SC_TABLE_INFO);
    table.Put(3, 100);
    table.Put(88, 1);
    Feed(table);
    EXPECT_TRUE(shell.calls.empty());
}
