// The login screen, the server choice that leads to it, and the proxy settings they connect through.
#include "platform/Profile.h"
#include "tests/windows/OnlineFixture.h"
#include "windows/CChooseNetForm.h"

#include <sstream>

namespace {

class Login : public OnlineScreenTest {
protected:
    void SetUp() override
    {
        OnlineScreenTest::SetUp();
        WriteProgramFile("Dirconfig.ini", "[Public]\r\nServerNum=2\r\n"
                                          "[DIRSERVER0]\r\nname=电信一区\r\nhost=10.0.0.1\r\nport=2001\r\n"
                                          "[DIRSERVER1]\r\nname=网通一区\r\nhost=10.0.0.2\r\nport=2002\r\n");
        WriteProgramFile("Network.cfg", "[loginserver]\r\nname=bob\r\nip=10.9.9.9\r\n");
        Start();
    }
    // Types the two texts and logs in with the button, or with Enter.
    void Attempt(const std::string &account, const std::string &password, bool enter = false)
    {
        loginform->accountedit->text = account;
        loginform->passwordedit->text = password;
        if (enter)
            loginform->KeyPress(13);
        else
            Click(*loginform, CLoginForm::ENTER);
    }
    static bool Waiting()
    {
        for (int i = CLoginForm::ENTER; i <= CLoginForm::PROXY; ++i)
            if (Enabled(*loginform, i))
                return false;
        return true;
    }
};

TEST_F(Login, LengthsAreCountedInBytesAndRefusedWithTheMessagesOfButtonAndEnter)
{
    const struct {
        std::string account, password;
        bool enter;
        std::string message; // in a box for Enter, on the message screen for the button
    } refused[] = {
        {"abc", "pass", true, "请输入至少4位的帐号"},
        {"abc", "pass", false, "Please input  the account numbers at least 4 numbers."},
        {"abcdefghijklm", "pass", false, "Please input  the account numbers is less than 12 numbers"},
        {"abcdefghijkl", "abc", true, "请输入至少4位的密码"},
        {"张三", "abcdefghijklm", false, "Please input the password  is less than 12 numbers."},
    };
    for (const auto &r : refused) {
        boxes.clear();
        Attempt(r.account, r.password, r.enter);
        EXPECT_EQ(r.enter ? (boxes.size() == 1 ? boxes[0].text + "|" + boxes[0].title : "") : Message(),
                  r.enter ? r.message + "|Warning" : r.message);
    }
    EXPECT_TRUE(link.games.empty());

    // Two characters of two bytes each are four bytes: enough.
    Attempt("张三", "1234");
    ASSERT_EQ(link.games.size(), 1u);
    EXPECT_EQ(link.games[0].host + ":" + std::to_string(link.games[0].port), "10.0.0.1:2001");
    EXPECT_EQ(loginform->status.text, "正在连接到游戏服务器...");
    EXPECT_TRUE(loginform->status.visible && Waiting());
    char name[20];
    Profile::ReadString("Network.cfg", "loginserver", "name", "", name, sizeof name);
    EXPECT_EQ(std::string(name), "\xD5\xC5\xC8\xFD");

    // While the link is under way, Enter starts nothing and goes on to the edits.
    loginform->KeyPress(9);
    loginform->KeyPress(13);
    loginform->KeyPress('5');
    EXPECT_EQ(link.games.size(), 1u);
    EXPECT_EQ(loginform->accountedit->text, "张三5");
}

TEST_F(Login, TheChosenServerRowIsUsedElseTheAddressOfNetworkCfg)
{
    CChooseNetForm &choose = *choosenetform;
    choose.Show();
    for (int i = 0; i < CChooseNetForm::kRows; ++i)
        EXPECT_EQ(choose.buttons.Get(i)->caption + (Enabled(choose, i) ? "+" : "-"),
                  i == 0 ? "电信一区+" : i == 1 ? "网通一区+" : "-");
    Click(choose, 3); // a blank row takes no click
    EXPECT_EQ(curscreen, SCREEN_SERVERS);
    Click(choose, 1);
    EXPECT_EQ(curscreen, SCREEN_LOGIN);
    Attempt("alice", "secret");
    ASSERT_EQ(link.games.size(), 1u);
    EXPECT_EQ(link.games[0].host + ":" + std::to_string(link.games[0].port), "10.0.0.2:2002");

    link.active = false;
    loginform->Release();
    servercount = 0;
    Attempt("alice", "secret");
    ASSERT_EQ(link.games.size(), 2u);
    EXPECT_EQ(link.games[1].host + ":" + std::to_string(link.games[1].port), "10.9.9.9:1982");

    choose.Show();
    Click(choose, CChooseNetForm::CLOSE);
    EXPECT_EQ(curscreen, SCREEN_MENU);
}

TEST_F(Login, AnAttemptWithoutAnswerEndsAfterThirtySecondsWithTheMessageForHowFarItGot)
{
    for (bool connected : {false, true}) {
        boxes.clear();
        Attempt("alice", "secret");
        link.connected = connected;
        clock.Advance(29000);
        EXPECT_TRUE(boxes.empty() && Waiting());
        clock.Advance(1000);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, connected ? "接收游戏数据超时,请重试." : "连接游戏服务器超时,请重试.");
        EXPECT_EQ(boxes[0].title, "Lantile");
        EXPECT_FALSE(Waiting() || clock.IsRunning(CLoginForm::TIMER_LOGIN) || link.active);
    }
    // An error told while the link opens finds the screen waiting already, and frees it for good.
    link.onOpen = [] { loginform->Release(); };
    Attempt("alice", "secret");
    EXPECT_FALSE(Waiting() || clock.IsRunning(CLoginForm::TIMER_LOGIN));
}

TEST_F(Login, ProxySettingsChangeOnOkOnlyAndAreWrittenBackKeyByKey)
{
    shell.user = [](ProxyDialog &d) {
        d.useproxy = true;
        d.socks = false;
        d.proxyname = "127.0.0.1";
        d.port = "19888";
    };
    Click(*loginform, CLoginForm::PROXY);
    Attempt("alice", "secret");
    ASSERT_EQ(link.games.size(), 1u);
    const ProxyRoute &route = link.games[0].proxy;
    EXPECT_EQ(route.kind, ProxyRoute::HTTP);
    EXPECT_EQ(route.host + ":" + std::to_string(route.port), "127.0.0.1:19888");
    EXPECT_EQ(link.games[0].host, "10.0.0.1"); // the proxy's destination

    shell.user = [](ProxyDialog &d) { d.proxyname = "elsewhere"; };
    shell.ok = false;
    loginform->EditProxy();
    game.reset();
    std::ifstream in(ProgramFile("SET.ini"), std::ios::binary);
    std::stringstream file;
    file << in.rdbuf();
    EXPECT_NE(file.str().find("[Proxy]\r\nUseProxy=1\r\nUsePassWord=0\r\nAddress=127.0.0.1\r\nType=1\r\nPort=19888\r\n"
                              "UserName=\r\nPassWord=\r\n"),
              std::string::npos)
        << file.str();
}

TEST(ProxyDialog, FieldsFollowTheSwitchesAndOkTakesBackOnlyWhatTheyAllow)
{
    ProxySettings s{0, "proxy.lan", 3128, 1, 1, "bob", "pw"};
    ProxyDialog d = ProxyDialog::For(s);
    EXPECT_FALSE(d.FieldsEnabled() || d.AuthEnabled() || d.socks);
    EXPECT_EQ(d.proxyname + ":" + d.port + "/" + d.user, "proxy.lan:3128/"); // no user for a proxy not in use
    d.proxyname = "changed";
    ProxySettings t = s;
    d.TakeInto(t); // with the proxy still off, only the switch is taken
    EXPECT_EQ(t.address, "proxy.lan");

    d.useproxy = true;
    d.needauth = false;
    d.user = "mallory";
    for (const char *port : {"", "0", "65536", "80a"}) {
        d.port = port;
        d.TakeInto(t);
        EXPECT_EQ(t.port, 3128) << port; // no port: the old one stays
    }
    EXPECT_EQ(t.username, "bob"); // kept while the proxy asks for none
    EXPECT_EQ(t.Route().user, "");

    d.needauth = true;
    d.port = "808";
    d.proxyname = std::string(47, 'x') + "中文";
    d.TakeInto(t);
    EXPECT_EQ(t.address, std::string(47, 'x') + "中"); // 49 bytes, cut between characters
    EXPECT_EQ(t.port, 808);
    EXPECT_EQ(t.Route().user, "mallory");
}

TEST_F(Login, TabMovesTheFocusShowEmptiesThePasswordAndTheCaretBlinksOnTheScreenOnTop)
{
    // A stored account leaves the password to type.
    EXPECT_EQ(loginform->accountedit->text, "bob");
    EXPECT_EQ(loginform->curedit, loginform->passwordedit.get());
    loginform->KeyPress(9);
    EXPECT_TRUE(loginform->accountedit->focused && !loginform->passwordedit->focused);
    loginform->passwordedit->text = "secret";
    Click(*loginform, CLoginForm::REGISTER);
    EXPECT_EQ(curscreen, SCREEN_REGISTER);
    loginform->Show();
    EXPECT_EQ(loginform->passwordedit->text + loginform->accountedit->text, "bob");

    // Timer 6 flips the caret of the current edit of the screen on top.
    clock.Advance(500);
    EXPECT_EQ(loginform->curedit->caret + regform->curedit->caret, 0 + 1);
    regform->Show();
    clock.Advance(500);
    EXPECT_EQ(loginform->curedit->caret + regform->curedit->caret, 0 + 0);
}

} // namespace
