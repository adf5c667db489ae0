// The login screen, the server choice that leads to it, and the proxy settings they connect through.
#include "tests/support/ScratchFolder.h"
#include "tests/windows/OnlineFixture.h"
#include "windows/CChooseNetForm.h"

#include <sstream>

namespace {

const char *const kTwoServers = "[Public]\r\nServerNum=2\r\n"
                                "[DIRSERVER0]\r\nname=电信一区\r\nhost=10.0.0.1\r\nport=2001\r\n"
                                "[DIRSERVER1]\r\nname=网通一区\r\nhost=10.0.0.2\r\nport=2002\r\n";

class Login : public OnlineScreenTest {
protected:
    void SetUp() override
    {
        OnlineScreenTest::SetUp();
        WriteProgramFile("Dirconfig.ini", kTwoServers);
    }
    // Types the two texts and logs in with the button or with Enter.
    void Attempt(const std::string &account, const std::string &password, bool enter = false)
    {
        loginform->accountedit->text = account;
        loginform->passwordedit->text = password;
        if (enter)
            loginform->KeyPress(13);
        else
            Click(*loginform, CLoginForm::ENTER);
    }
    bool ButtonsEnabled() const
    {
        for (int i = CLoginForm::ENTER; i <= CLoginForm::PROXY; ++i)
            if (!Enabled(*loginform, i))
                return false;
        return true;
    }
    // The lines of a file of the program folder.
    static std::vector<std::string> Lines(const std::string &name)
    {
        std::ifstream in(ProgramFile(name), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line.substr(0, line.find('\r')));
        return lines;
    }
};

TEST_F(Login, LengthsAreCountedInBytesAndRefusedWithTheMessagesOfButtonAndEnter)
{
    Start();
    const struct {
        std::string account, password;
        bool enter;
        std::string message; // the message screen's (button) or the box's (Enter)
    } refused[] = {
        {"abc", "pass", true, "请输入至少4位的帐号"},
        {"abc", "pass", false, "Please input  the account numbers at least 4 numbers."},
        {"abcdefghijklm", "pass", false, "Please input  the account numbers is less than 12 numbers"},
        {"abcdefghijkl", "abc", true, "请输入至少4位的密码"},
        {"张三", "abcdefghijklm", false, "Please input the password  is less than 12 numbers."},
    };
    for (const auto &r : refused) {
        SCOPED_TRACE(r.account + "/" + r.password);
        boxes.clear();
        Attempt(r.account, r.password, r.enter);
        if (r.enter) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, r.message);
            EXPECT_EQ(boxes[0].title, "Warning");
        } else {
            EXPECT_EQ(Message(), r.message);
        }
    }
    EXPECT_TRUE(link.games.empty());
    EXPECT_TRUE(ButtonsEnabled());

    // Two characters of two bytes each are four bytes: enough.
    Attempt("张三", "1234");
    ASSERT_EQ(link.games.size(), 1u);
    EXPECT_EQ(link.games[0].host, "10.0.0.1");
    EXPECT_EQ(link.games[0].port, 2001);
    EXPECT_EQ(link.games[0].account, "张三");
    EXPECT_EQ(link.games[0].proxy.kind, ProxyRoute::NONE);
    EXPECT_EQ(loginform->status.text, "正在连接到游戏服务器...");
    EXPECT_TRUE(loginform->status.visible);
    EXPECT_FALSE(ButtonsEnabled());
    EXPECT_TRUE(clock.IsRunning(CLoginForm::TIMER_LOGIN));
    EXPECT_EQ(Lines("Network.cfg"), (std::vector<std::string>{"[loginserver]", "name=\xD5\xC5\xC8\xFD"}));

    // While the link is under way, Enter starts nothing and goes on to the edits.
    loginform->KeyPress(13);
    loginform->KeyPress('5');
    EXPECT_EQ(link.games.size(), 1u);
    EXPECT_EQ(loginform->accountedit->text, "张三5");
}

TEST_F(Login, TheChosenServerRowIsUsedElseTheAddressOfNetworkCfg)
{
    Start();
    CChooseNetForm &choose = *choosenetform;
    choose.Show();
    for (int i = 0; i < CChooseNetForm::kRows; ++i) {
        EXPECT_EQ(Enabled(choose, i), i < 2) << i;
        EXPECT_EQ(choose.buttons.Get(i)->caption, i == 0 ? "电信一区" : i == 1 ? "网通一区" : "") << i;
    }
    Click(choose, 3); // a blank row takes no click
    EXPECT_EQ(curscreen, SCREEN_SERVERS);
    EXPECT_EQ(serverindex, 0);
    Click(choose, 1);
    EXPECT_EQ(serverindex, 1);
    EXPECT_EQ(curscreen, SCREEN_LOGIN);
    Attempt("alice", "secret");
    ASSERT_EQ(link.games.size(), 1u);
    EXPECT_EQ(link.games[0].host, "10.0.0.2");
    EXPECT_EQ(link.games[0].port, 2002);

    link.active = false;
    loginform->Release();
    servercount = 0;
    WriteProgramFile("Network.cfg", "[loginserver]\r\nip=10.9.9.9\r\n");
    Attempt("alice", "secret");
    ASSERT_EQ(link.games.size(), 2u);
    EXPECT_EQ(link.games[1].host, "10.9.9.9");
    EXPECT_EQ(link.games[1].port, 1982);

    choose.Show();
    Click(choose, CChooseNetForm::CLOSE);
    EXPECT_EQ(curscreen, SCREEN_MENU);
}

TEST_F(Login, AnAttemptWithoutAnswerEndsAfterThirtySecondsWithTheMessageForHowFarItGot)
{
    Start();
    const struct {
        bool connected;
        const char *message;
    } cases[] = {{false, "连接游戏服务器超时,请重试."}, {true, "接收游戏数据超时,请重试."}};
    for (const auto &c : cases) {
        boxes.clear();
        Attempt("alice", "secret");
        link.connected = c.connected;
        clock.Advance(29000);
        EXPECT_TRUE(boxes.empty());
        EXPECT_FALSE(ButtonsEnabled());
        clock.Advance(1000);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].title, "Lantile");
        EXPECT_TRUE(ButtonsEnabled());
        EXPECT_FALSE(clock.IsRunning(CLoginForm::TIMER_LOGIN));
        EXPECT_FALSE(link.active);
    }
    EXPECT_EQ(link.closes, 2);

    // An error told while the link opens finds the screen waiting already, and frees it for good.
    link.onOpen = [] { loginform->Release(); };
    Attempt("alice", "secret");
    EXPECT_TRUE(ButtonsEnabled());
    EXPECT_FALSE(clock.IsRunning(CLoginForm::TIMER_LOGIN));
}

TEST_F(Login, ProxySettingsChangeOnOkOnlyAndAreWrittenBackKeyByKey)
{
    WriteProgramFile("Network.cfg", "[loginserver]\r\nname=bob\r\n");
    Start();
    // A stored account leaves the password to type.
    EXPECT_EQ(loginform->accountedit->text, "bob");
    EXPECT_EQ(loginform->curedit, loginform->passwordedit.get());

    shell.user = [](ProxyDialog &d) {
        d.useproxy = true;
        d.socks = false;
        d.proxyname = "127.0.0.1";
        d.port = "19888";
    };
    Click(*loginform, CLoginForm::PROXY);
    ASSERT_EQ(shell.shown.size(), 1u);
    EXPECT_FALSE(shell.shown[0].useproxy);
    EXPECT_EQ(shell.shown[0].port, "1080");
    Attempt("alice", "secret");
    ASSERT_EQ(link.games.size(), 1u);
    const ProxyRoute &route = link.games[0].proxy;
    EXPECT_EQ(route.kind, ProxyRoute::HTTP);
    EXPECT_EQ(route.host, "127.0.0.1");
    EXPECT_EQ(route.port, 19888);
    EXPECT_EQ(link.games[0].host, "10.0.0.1"); // the proxy's destination

    shell.user = [](ProxyDialog &d) { d.proxyname = "elsewhere"; };
    shell.ok = false;
    loginform->EditProxy();
    EXPECT_EQ(loginform->proxy.address, "127.0.0.1");

    game.reset();
    std::vector<std::string> lines = Lines("SET.ini");
    auto proxy = std::find(lines.begin(), lines.end(), "[Proxy]");
    ASSERT_NE(proxy, lines.end());
    EXPECT_EQ(std::vector<std::string>(proxy + 1, lines.end()),
              (std::vector<std::string>{"UseProxy=1", "UsePassWord=0", "Address=127.0.0.1", "Type=1", "Port=19888",
                                        "UserName=", "PassWord="}));
}

TEST(ProxyDialog, FieldsFollowTheSwitchesAndOkTakesBackOnlyWhatTheyAllow)
{
    ProxySettings s;
    s.address = "proxy.lan";
    s.port = 3128;
    s.type = 1;
    s.username = "bob";
    s.password = "pw";
    s.usepassword = 1;

    ProxyDialog off = ProxyDialog::For(s);
    EXPECT_FALSE(off.FieldsEnabled());
    EXPECT_FALSE(off.AuthEnabled());
    EXPECT_EQ(off.proxyname, "proxy.lan");
    EXPECT_EQ(off.port, "3128");
    EXPECT_FALSE(off.socks);
    EXPECT_EQ(off.user, ""); // filled only for a proxy in use

    // OK with the proxy still off changes nothing but the switch.
    off.proxyname = "changed";
    off.needauth = false;
    ProxySettings kept = s;
    off.TakeInto(kept);
    EXPECT_EQ(kept.address, "proxy.lan");
    EXPECT_EQ(kept.usepassword, 1);

    s.useproxy = 1;
    s.usepassword = 0;
    ProxyDialog on = ProxyDialog::For(s);
    EXPECT_TRUE(on.FieldsEnabled());
    EXPECT_FALSE(on.AuthEnabled());
    EXPECT_EQ(on.user, "");
    on.needauth = true;
    EXPECT_TRUE(on.AuthEnabled());

    // A port that is no port keeps the old one; texts are cut between characters.
    for (const char *port : {"", "0", "65536", "80a"}) {
        ProxySettings t = s;
        on.port = port;
        on.TakeInto(t);
        EXPECT_EQ(t.port, 3128) << port;
    }
    ProxySettings noauth = s;
    on.needauth = false;
    on.user = "mallory";
    on.TakeInto(noauth);
    EXPECT_EQ(noauth.username, "bob"); // kept while the proxy asks for none
    on.needauth = true;
    on.port = "808";
    on.socks = true;
    on.proxyname = std::string(47, 'x') + "中文";
    on.user = "carol";
    ProxySettings t = s;
    on.TakeInto(t);
    EXPECT_EQ(t.port, 808);
    EXPECT_EQ(t.type, 0);
    EXPECT_EQ(t.address, std::string(47, 'x') + "中");
    EXPECT_EQ(t.usepassword, 1);
    EXPECT_EQ(t.username, "carol");
    EXPECT_EQ(t.Route().user, "carol");
    t.usepassword = 0;
    EXPECT_EQ(t.Route().user, ""); // a proxy without a password gets none
}

TEST_F(Login, TabMovesTheFocusShowEmptiesThePasswordAndTheCaretBlinksOnTheScreenOnTop)
{
    Start();
    EXPECT_EQ(loginform->curedit, loginform->accountedit.get());
    loginform->KeyPress(9);
    EXPECT_TRUE(loginform->passwordedit->focused);
    EXPECT_FALSE(loginform->accountedit->focused);
    loginform->KeyPress('x');
    EXPECT_EQ(loginform->passwordedit->text, "x");
    EXPECT_EQ(loginform->accountedit->text, "");
    loginform->KeyPress(9);
    EXPECT_EQ(loginform->curedit, loginform->accountedit.get());
    loginform->accountedit->text = "alice";
    Click(*loginform, CLoginForm::REGISTER);
    EXPECT_EQ(curscreen, SCREEN_REGISTER);
    loginform->Show();
    EXPECT_EQ(loginform->passwordedit->text, "");
    EXPECT_EQ(loginform->accountedit->text, "alice");

    // Timer 6 flips the caret of the current edit of the screen on top.
    CDxEdit *regedit = regform->curedit;
    clock.Advance(500);
    EXPECT_EQ(loginform->curedit->caret, 0);
    EXPECT_EQ(regedit->caret, 1);
    regform->Show();
    clock.Advance(500);
    EXPECT_EQ(loginform->curedit->caret, 0);
    EXPECT_EQ(regedit->caret, 0);
}

} // namespace

namespace {

// Pixels that differ between two frames, and how many of them lie inside r.
std::pair<int, int> Differences(const Surface &a, const Surface &b, Rect r)
{
    int all = 0, inside = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                ++all;
                inside += x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            }
    return {all, inside};
}

TEST_F(Login, EditsChoicesAndTheStatusAreDrawnWhereTheyStand)
{
    Start();
    loginform->CBitForm::Draw();
    std::unique_ptr<Surface> bare = Snapshot();
    loginform->Draw();
    std::unique_ptr<Surface> edit = Load("Graphic\\LoginForm\\edit.bmp");
    EXPECT_EQ(CellMismatches(*edit, edit->Bounds(), 373, 291, *bare), 0); // the empty password
    std::unique_ptr<Surface> quiet = Snapshot();
    loginform->status.Show("正在连接到游戏服务器...");
    loginform->Draw();
    auto [all, inside] = Differences(*quiet, *lpDDSBack, {280, 525, 580, 565});
    EXPECT_GT(all, 0);
    EXPECT_EQ(inside, all);

    regform->CBitForm::Draw();
    bare = Snapshot();
    regform->Draw();
    std::unique_ptr<Surface> checked = Load("Graphic\\RegForm\\checkbox2.bmp");
    std::unique_ptr<Surface> unchecked = Load("Graphic\\RegForm\\checkbox1.bmp");
    EXPECT_EQ(CellMismatches(*checked, checked->Bounds(), 382, 375, *bare), 0);
    EXPECT_EQ(CellMismatches(*unchecked, unchecked->Bounds(), 534, 375, *bare), 0);
    edit = Load("Graphic\\RegForm\\edit.bmp");
    EXPECT_EQ(CellMismatches(*edit, edit->Bounds(), 405, 315, *bare), 0); // the empty e-mail
}

} // namespace
