// The online screens on the real connection: registrations against a stand-in registration server on
// its own loopback address and port 3891, and both links through the proxy servers of the system.
#include "client/ScreenHooks.h"
#include "table/Addresses.h"
#include "tests/client/ProxyDaemon.h"
#include "tests/kit/ScriptServer.h"
#include "tests/windows/OnlineFixture.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace {

// Reads each connection's 256-byte request and answers with the bytes the test gives (none: a silent
// server). It never closes a connection, as a real server may not.
class RegStandIn {
public:
    explicit RegStandIn(const char *address)
    {
        listening = server.listen(QHostAddress(QString::fromLatin1(address)), kRegServerPort);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            QTcpSocket *s = server.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                if (s->bytesAvailable() < RegRequest::kSize)
                    return;
                requests.push_back(s->read(RegRequest::kSize).toStdString());
                s->write(answer.data(), static_cast<qint64>(answer.size()));
            });
        });
    }

    QTcpServer server;
    bool listening = false;
    std::string answer;
    std::vector<std::string> requests;
};

struct NoticeHooks : ScreenHooks {
    using ScreenHooks::ScreenHooks;
    void PostLinkNotice(const std::string &text, const std::string &caption, const std::string &url) override
    {
        notices.push_back(text + "|" + caption + "|" + url);
    }
    std::vector<std::string> notices;
};

class OnlineLinks : public OnlineScreenTest {
protected:
    void TearDown() override
    {
        data.reset();
        OnlineScreenTest::TearDown();
    }
    // The game with its screens on the data module, registering at regip.
    void Begin(const std::string &regip)
    {
        RegisterAt(regip);
        Start();
        data = std::make_unique<TDataModule1>();
        hooks = std::make_unique<NoticeHooks>(*game);
        data->SetGame(game.get());
        data->SetHooks(hooks.get());
        game->netlink = data.get();
        regform->Show();
    }
    void RegisterAt(const std::string &regip)
    {
        WriteProgramFile("Network.cfg", "[loginserver]\r\nregip=" + regip + "\r\n");
    }
    void Submit(const std::string &email = "someone@example.org")
    {
        const char *texts[] = {"user1", "abcdefghijkl", "abcdefghijkl", email.c_str()};
        for (int i = 0; i < CRegForm::EDITS; ++i)
            regform->edits[i]->text = texts[i];
        Click(*regform, CRegForm::SUBMIT);
    }
    bool BoxesReach(size_t n) { return RunUntil([&] { return boxes.size() >= n; }, 5000); }
    static bool Waiting() { return !regform->buttons.Get(CRegForm::SUBMIT)->enabled; }

    std::unique_ptr<TDataModule1> data;
    std::unique_ptr<NoticeHooks> hooks;
};

TEST_F(OnlineLinks, TheRequestGoesOutByteExactAndEveryAnswerIsToldOnAFreshLink)
{
    RegStandIn server("127.0.39.1");
    ASSERT_TRUE(server.listening);
    Begin("127.0.39.1");
    const std::string email = "abcdefghijklmnopqr@example.org"; // 30 bytes: no terminator
    server.answer = "\x01";
    Submit(email);
    ASSERT_TRUE(BoxesReach(1));
    const std::string expected = "user1" + std::string(15, '\0') + "abcdefghijkl" + email + '\1' + std::string(193, '\0');
    EXPECT_EQ(server.requests, std::vector<std::string>{expected});
    EXPECT_EQ(boxes[0].text + "|" + boxes[0].title, "注册帐号成功|Info");
    EXPECT_EQ(curscreen, SCREEN_LOGIN);
    EXPECT_FALSE(Waiting() || regform->status.visible);

    // Each answer closes its link, so the next submission connects again.
    const std::pair<const char *, const char *> answers[] = {
        {"\x0A", "帐号中含有系统禁止的字符"}, {"\x09", "服务器停止注册"}, {"\x05", "注册帐号不成功"},
        {"\xFF", "已经被注册的帐号"}};
    for (const auto &[code, text] : answers) {
        server.answer = code;
        regform->Show();
        Submit();
        ASSERT_TRUE(BoxesReach(boxes.size() + 1)) << text;
        EXPECT_EQ(boxes.back().text + "|" + boxes.back().title, std::string(text) + "|Warning");
    }
    EXPECT_EQ(server.requests.size(), 5u);

    // Two bytes are no answer: nothing is told, but the screen is free and the link closed.
    server.answer = std::string("\x01\x01", 2);
    Submit();
    ASSERT_TRUE(RunUntil([&] { return server.requests.size() == 6 && !Waiting(); }, 5000));
    EXPECT_EQ(boxes.size(), 5u);
    EXPECT_FALSE(data->ClientSocket2->IsActive());
}

TEST_F(OnlineLinks, ASilentServerFreesTheScreenAfterThirtySeconds)
{
    RegStandIn server("127.0.39.2");
    ASSERT_TRUE(server.listening);
    Begin("127.0.39.2");
    Submit();
    ASSERT_TRUE(RunUntil([&] { return server.requests.size() == 1; }, 5000));
    EXPECT_EQ(regform->status.text, "连接服务器成功,正在提交注册请求...");
    clock.Advance(29000);
    EXPECT_TRUE(Waiting());
    clock.Advance(1000);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "连接注册服务器超时,请重试.");
    EXPECT_FALSE(Waiting() || regform->status.visible || data->ClientSocket2->IsActive());
}

TEST_F(OnlineLinks, NoServerGivesTheStatusAndALinkNoticeOnEitherLink)
{
    Begin("127.0.39.3");
    Submit();
    ASSERT_TRUE(RunUntil([&] { return !hooks->notices.empty(); }, 5000));
    EXPECT_EQ(hooks->notices[0], "接到注册服务器失败，请至游戏网站进行注册|点击这里注册帐号 |"
                                 "https://lantile.example.org/signup");
    EXPECT_EQ(regform->status.text, "连接服务器失败，请检查网络。");
    EXPECT_FALSE(!regform->status.visible || Waiting() || clock.IsRunning(CRegForm::TIMER_REGISTER));
    RegisterAt("bad host");
    Submit();
    ASSERT_TRUE(RunUntil([&] { return hooks->notices.size() == 2; }, 5000));
    EXPECT_EQ(regform->status.text, "查询服务器域名失败，请检查网络。");

    // The login's failure frees its screen and offers the other servers.
    std::snprintf(serverlist[0].host, sizeof serverlist[0].host, "127.0.39.3");
    serverindex = 0;
    loginform->Show();
    loginform->accountedit->text = "user1";
    loginform->passwordedit->text = "abcd";
    Click(*loginform, CLoginForm::ENTER);
    ASSERT_TRUE(RunUntil([&] { return hooks->notices.size() == 3; }, 5000));
    EXPECT_EQ(curscreen, SCREEN_SERVERS);
    EXPECT_EQ(loginform->status.text, "连接服务器失败，请检查网络。");
    EXPECT_FALSE(!loginform->buttons.Get(CLoginForm::ENTER)->enabled || clock.IsRunning(CLoginForm::TIMER_LOGIN));
    EXPECT_TRUE(boxes.empty());
}

// The game link through these proxies is the data module's own (ProxyServersTest); the registration
// link has a handshake of its own.
TEST_F(OnlineLinks, RegistrationReachesItsServerThroughEachKindOfProxy)
{
    RegStandIn reg("127.0.39.4");
    ASSERT_TRUE(reg.listening);
    reg.answer = "\x01";
    Begin("127.0.39.4");
    const std::pair<ProxyDaemon::Kind, int> proxies[] = {{ProxyDaemon::DANTE, 0}, {ProxyDaemon::TINYPROXY, 1}};
    for (const auto &[kind, type] : proxies) {
        SCOPED_TRACE(type == 0 ? "danted" : "tinyproxy");
        if (!ProxyDaemon::Installed(kind))
            GTEST_SKIP() << "the proxy server is not installed; scripts/setup.sh installs it";
        ProxyDaemon proxy(kind, Paths::ProgramFolder());
        std::string why;
        ASSERT_TRUE(proxy.Start(&why)) << why;
        loginform->proxy = {1, "127.0.0.1", proxy.Port(), type, 0, "", ""};

        const size_t told = boxes.size();
        regform->Show();
        Submit();
        ASSERT_TRUE(BoxesReach(told + 1));
        EXPECT_EQ(boxes.back().text, "注册帐号成功");
        // A proxy that cannot reach the server ends the attempt.
        RegisterAt("127.0.39.5");
        Submit();
        ASSERT_TRUE(BoxesReach(told + 2));
        EXPECT_EQ(boxes.back().text, "连接代理服务器失败!");
        EXPECT_FALSE(Waiting());
        RegisterAt("127.0.39.4");
    }
    EXPECT_EQ(reg.requests.size(), 2u);
}

} // namespace
