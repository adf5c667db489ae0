// Logging in through the proxy servers of the system, to the scripted game server.
#include "tests/client/LinkFixture.h"
#include "tests/client/ProxyDaemon.h"
#include "tests/support/ScratchFolder.h"

#include <QTcpServer>

namespace {

const char *const kLoginAndWelcome = R"(expect 100 1:"alice" 21:"pw" 51..63:* 101=120 103=20
send 102 3=1 5=1 6:"welcome"
)";

struct Route {
    const char *name;
    ProxyDaemon::Kind daemon;
    const char *daemonUser, *daemonPassword; // what the proxy asks for
    int kind;
    const char *user, *password;             // what the client offers
};

class ThroughProxy : public LinkFixture {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        ASSERT_TRUE(server.Listen());
    }
    // Starts the route's proxy server and opens the link through it to the port.
    bool OpenThrough(const Route &r, uint16_t port)
    {
        daemons.push_back(std::make_unique<ProxyDaemon>(r.daemon, folder.Path(), r.daemonUser, r.daemonPassword));
        ProxyDaemon &proxy = *daemons.back();
        std::string why;
        if (!proxy.Start(&why)) {
            ADD_FAILURE() << why;
            return false;
        }
        GameLinkTarget t = Target(port);
        t.proxy = {r.kind, "127.0.0.1", proxy.Port(), r.user, r.password};
        if (!link)
            Make();
        link->OpenGameLink(t);
        return true;
    }

    ScratchFolder folder;
    ScriptServer server;
    std::vector<std::unique_ptr<ProxyDaemon>> daemons;
};

TEST_F(ThroughProxy, TheLoginReachesTheServerThroughEachKindOfProxy)
{
    const Route routes[] = {
        {"danted", ProxyDaemon::DANTE, "", "", ProxyRoute::SOCKS5, "", ""},
        {"microsocks", ProxyDaemon::MICROSOCKS, "bob", "s3cret", ProxyRoute::SOCKS5, "bob", "s3cret"},
        {"tinyproxy", ProxyDaemon::TINYPROXY, "", "", ProxyRoute::HTTP, "", ""},
        {"tinyproxy BasicAuth", ProxyDaemon::TINYPROXY, "bob", "s3cret", ProxyRoute::HTTP, "bob", "s3cret"},
    };
    for (const Route &r : routes) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(server.Load(kLoginAndWelcome));
        size_t before = sink.records.size();
        if (!ProxyDaemon::Installed(r.daemon))
            GTEST_SKIP() << r.name << ": the proxy server is not installed; scripts/setup.sh installs it";
        ASSERT_TRUE(OpenThrough(r, server.Port()));
        ASSERT_TRUE(RunUntil([&] { return sink.records.size() > before || server.Failed(); }, 5000)) << r.name;
        EXPECT_TRUE(server.Done()) << server.Failure();
        EXPECT_EQ(sink.records.back().Type(), SC_LOGIN_SUCCESS);
        EXPECT_EQ(sink.records.back().GetText({6, 100}), "welcome");
        EXPECT_TRUE(boxes.empty());
        link->CloseGameLink();
        int ends = sink.disconnects;
        ASSERT_TRUE(RunUntil([&] { return sink.disconnects > ends; }, 2000));
    }
}

TEST_F(ThroughProxy, ARefusingProxyEndsTheAttemptWithNoLogin)
{
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    uint16_t closedPort = closed.serverPort();
    closed.close();
    const Route routes[] = {
        {"wrong password", ProxyDaemon::MICROSOCKS, "bob", "s3cret", ProxyRoute::SOCKS5, "bob", "guess"},
        {"no method in common", ProxyDaemon::MICROSOCKS, "bob", "s3cret", ProxyRoute::SOCKS5, "", ""},
        {"HTTP 401", ProxyDaemon::TINYPROXY, "bob", "s3cret", ProxyRoute::HTTP, "bob", "guess"},
        {"HTTP 407", ProxyDaemon::TINYPROXY, "bob", "s3cret", ProxyRoute::HTTP, "", ""},
        {"server refused", ProxyDaemon::DANTE, "", "", ProxyRoute::SOCKS5, "", ""},
    };
    for (const Route &r : routes) {
        SCOPED_TRACE(r.name);
        size_t shown = boxes.size();
        hooks.calls.clear();
        if (!ProxyDaemon::Installed(r.daemon))
            GTEST_SKIP() << r.name << ": the proxy server is not installed; scripts/setup.sh installs it";
        ASSERT_TRUE(OpenThrough(r, r.daemon == ProxyDaemon::DANTE ? closedPort : server.Port()));
        ASSERT_TRUE(RunUntil([&] { return boxes.size() > shown; }, 5000));
        EXPECT_EQ(boxes.back().text, "连接代理服务器失败!");
        EXPECT_EQ(boxes.back().title, "info");
        EXPECT_TRUE(Has("ReleaseLogin"));
        EXPECT_FALSE(link->GameLinkActive());
        EXPECT_TRUE(RunUntil([&] { return Has("HideStatus"); }, 2000));
    }
    EXPECT_TRUE(sink.records.empty());
    EXPECT_TRUE(server.Received().empty()); // no login reached the server
}

} // namespace
