// Logging in through the proxy servers of the system, to the scripted game server.
#include "tests/client/LinkFixture.h"
#include "tests/client/ProxyDaemon.h"
#include "tests/support/ScratchFolder.h"

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
    bool passes;
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
    std::vector<std::unique_ptr<ProxyDaemon>> daemons;
};

// The routes that pass come first: a refused one leaves no script unplayed on the server.
TEST_F(ThroughProxy, TheLoginPassesEachKindOfProxyThatAcceptsItAndNoRefusingOne)
{
    const Route routes[] = {
        {"danted", ProxyDaemon::DANTE, "", "", ProxyRoute::SOCKS5, "", "", true},
        {"microsocks", ProxyDaemon::MICROSOCKS, "bob", "s3cret", ProxyRoute::SOCKS5, "bob", "s3cret", true},
        {"tinyproxy", ProxyDaemon::TINYPROXY, "", "", ProxyRoute::HTTP, "", "", true},
        {"tinyproxy BasicAuth", ProxyDaemon::TINYPROXY, "bob", "s3cret", ProxyRoute::HTTP, "bob", "s3cret", true},
        {"wrong password", ProxyDaemon::MICROSOCKS, "bob", "s3cret", ProxyRoute::SOCKS5, "bob", "guess", false},
        {"no method in common", ProxyDaemon::MICROSOCKS, "bob", "s3cret", ProxyRoute::SOCKS5, "", "", false},
        {"HTTP 401", ProxyDaemon::TINYPROXY, "bob", "s3cret", ProxyRoute::HTTP, "bob", "guess", false},
        {"HTTP 407", ProxyDaemon::TINYPROXY, "bob", "s3cret", ProxyRoute::HTTP, "", "", false},
        {"server refused", ProxyDaemon::DANTE, "", "", ProxyRoute::SOCKS5, "", "", false},
    };
    for (const Route &r : routes) {
        SCOPED_TRACE(r.name);
        if (!ProxyDaemon::Installed(r.daemon))
            GTEST_SKIP() << r.name << ": the proxy server is not installed; scripts/setup.sh installs it";
        const size_t records = sink.records.size(), shown = boxes.size(), logins = server.Received().size();
        hooks.calls.clear();
        ASSERT_TRUE(!r.passes || server.Load(kLoginAndWelcome));
        ASSERT_TRUE(OpenThrough(r, r.passes || r.daemon != ProxyDaemon::DANTE ? server.Port() : ClosedPort()));
        if (!r.passes) {
            ASSERT_TRUE(RunUntil([&] { return boxes.size() > shown; }, 5000));
            EXPECT_EQ(boxes.back().text, "连接代理服务器失败!");
            EXPECT_EQ(boxes.back().title, "info");
            EXPECT_TRUE(Has("ReleaseLogin"));
            EXPECT_FALSE(link->GameLinkActive());
            EXPECT_TRUE(RunUntil([&] { return Has("HideStatus"); }, 2000));
            EXPECT_EQ(sink.records.size(), records);
            EXPECT_EQ(server.Received().size(), logins); // no login reached the server
            continue;
        }
        ASSERT_TRUE(RunUntil([&] { return sink.records.size() > records || server.Failed(); }, 5000));
        EXPECT_TRUE(server.Done()) << server.Failure();
        EXPECT_EQ(sink.records.back().Type(), SC_LOGIN_SUCCESS);
        EXPECT_EQ(sink.records.back().GetText({6, 100}), "welcome");
        EXPECT_EQ(boxes.size(), shown);
        link->CloseGameLink();
        const int ends = sink.disconnects;
        ASSERT_TRUE(RunUntil([&] { return sink.disconnects > ends; }, 2000));
    }
}

} // namespace
