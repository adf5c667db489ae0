// Proxy handshakes, byte by byte, on a connection the test plays as the proxy.
#include "client/Proxysock.h"
#include "platform/MessageBox.h"
#include "tests/kit/MemorySocket.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Of(const std::string &text)
{
    return Bytes(text.begin(), text.end());
}

class ProxyHandshake : public testing::Test {
protected:
    void Start(int type, const std::string &user = "", const std::string &password = "",
               const std::string &host = "127.0.0.1")
    {
        proxy.SetType(type);
        proxy.SetAuth(user, password);
        proxy.SetDestination(host, 1982);
        socket.Open("proxy", 1080);
        socket.Accept();
        socket.ClearWritten();
        EXPECT_FALSE(proxy.OnConnect(socket));
    }
    // The proxy answers; what the client says back is returned.
    bool Answer(const Bytes &bytes)
    {
        socket.ClearWritten();
        socket.Feed(bytes);
        return proxy.OnRead(socket);
    }
    Bytes Said() const { return socket.Written(); }

    CProxySock proxy;
    MemorySocket socket;
};

const Bytes kConnectByAddress = {5, 1, 0, 1, 127, 0, 0, 1, 0x07, 0xBE};
const Bytes kBoundAddress = {5, 0, 0, 1, 127, 0, 0, 1, 0x12, 0x34};

// What the client says on connecting, then after each of the proxy's answers, until the tunnel is open.
TEST_F(ProxyHandshake, TheClientSaysWhatEachProxyAsksForInTurn)
{
    struct Turn {
        Bytes answer, said;
        bool done = false;
    };
    struct Dialogue {
        const char *name;
        int type;
        std::string user, password, host;
        Bytes opening;
        std::vector<Turn> turns;
    };
    // A label longer than 63 bytes: no resolver takes it, and none is asked.
    const std::string unresolved = std::string(64, 'x') + ".example";
    Bytes byName = {5, 1, 0, 3, static_cast<uint8_t>(unresolved.size())};
    byName.insert(byName.end(), unresolved.begin(), unresolved.end());
    byName.insert(byName.end(), {0x07, 0xBE});
    const Bytes credentials = {1, 3, 'b', 'o', 'b', 6, 's', 'e', 'c', 'r', 'e', 't'};
    const std::string connect = "CONNECT 127.0.0.1:1982 HTTP/1.1\r\nHost: 127.0.0.1:1982\r\n";
    const Dialogue dialogues[] = {
        {"SOCKS5: the proxy resolves a name the client cannot", CProxySock::TYPE_SOCKS5, "", "", unresolved,
         {5, 1, 0}, {{{5, 0}, byName}}},
        {"SOCKS5: user and password when the proxy asks", CProxySock::TYPE_SOCKS5, "bob", "secret", "127.0.0.1",
         {5, 2, 0, 2}, {{{5, 2}, credentials}, {{1, 0}, kConnectByAddress}, {kBoundAddress, {}, true}}},
        {"SOCKS5: no user for a proxy that wants a password", CProxySock::TYPE_SOCKS5, "", "", "127.0.0.1",
         {5, 1, 0}, {{{5, 2}, {1, 0, 0}}}},
        {"HTTP: a tunnel, judged once and for all on a status line in pieces", CProxySock::TYPE_HTTP, "", "",
         "127.0.0.1", Of(connect + "\r\n"),
         {{Of("HTTP/1.1 200 Connection est"), {}}, {Of("ablished\r\n\r\n"), {}, true}, {{}, {}, true}}},
        {"HTTP: with Basic credentials", CProxySock::TYPE_HTTP, "bob", "secret", "127.0.0.1",
         Of(connect + "Authorization: Basic Ym9iOnNlY3JldA==\r\nProxy-Authorization: Basic Ym9iOnNlY3JldA==\r\n\r\n"),
         {}},
    };
    for (const Dialogue &d : dialogues) {
        SCOPED_TRACE(d.name);
        Start(d.type, d.user, d.password, d.host);
        EXPECT_EQ(Said(), d.opening);
        for (const Turn &turn : d.turns) {
            EXPECT_EQ(Answer(turn.answer), turn.done);
            EXPECT_EQ(Said(), turn.said);
        }
        EXPECT_EQ(proxy.GetError(), 0);
    }
}

TEST_F(ProxyHandshake, Socks5RefusalsEndWithAnError)
{
    struct Case {
        Bytes method, auth, reply;
        int error;
    };
    const Case cases[] = {
        {{5, 255}, {}, {}, 1},                           // no method acceptable
        {{4, 0}, {}, {}, 1},                             // not SOCKS5
        {{5, 1}, {}, {}, 1},                             // a method never offered
        {{5, 2}, {1, 1}, {}, 1},                         // wrong password
        {{5, 0}, {}, {5, 5, 0, 1, 127}, 2},              // the server refused the proxy
        {{5, 0}, {}, {5, 0, 0, 9, 0}, 1},                // an address type that does not exist
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.method) + testing::PrintToString(c.reply));
        Start(CProxySock::TYPE_SOCKS5, "bob", "secret");
        bool done = Answer(c.method);
        if (!done && !c.auth.empty())
            done = Answer(c.auth);
        if (!done)
            done = Answer(c.reply);
        EXPECT_TRUE(done);
        EXPECT_EQ(proxy.GetError(), c.error);
    }
}

TEST_F(ProxyHandshake, Socks5ReadsAReplyOneByteAtATime)
{
    Start(CProxySock::TYPE_SOCKS5);
    EXPECT_FALSE(Answer({5}));
    EXPECT_FALSE(Answer({0}));
    for (size_t i = 0; i + 1 < kBoundAddress.size(); i++)
        EXPECT_FALSE(Answer({kBoundAddress[i]}));
    EXPECT_TRUE(Answer({kBoundAddress.back()}));
    EXPECT_EQ(proxy.GetError(), 0);
}

TEST_F(ProxyHandshake, Socks5TakesTheBoundAddressAndNothingAfterIt)
{
    Bytes record(129, 0);
    record[0] = 102;
    const Bytes name = {5, 0, 0, 3, 20, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k',
                        'l', 'm', 'n', 'o', 'p', 'q', 'r', 's', 't', 0x07, 0xBE};
    const Bytes six = {5, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0x12, 0x34};
    for (const Bytes &reply : {kBoundAddress, name, six}) {
        Start(CProxySock::TYPE_SOCKS5);
        Answer({5, 0});
        Bytes bytes = reply;
        bytes.insert(bytes.end(), record.begin(), record.end());
        EXPECT_TRUE(Answer(bytes));
        EXPECT_EQ(proxy.GetError(), 0);
        EXPECT_EQ(socket.BytesAvailable(), 129);
    }
}

TEST_F(ProxyHandshake, ANewAttemptForgetsAReplyHalfReadByTheLastOne)
{
    Start(CProxySock::TYPE_SOCKS5);
    EXPECT_FALSE(Answer({5}));
    Start(CProxySock::TYPE_SOCKS5);
    EXPECT_FALSE(Answer({5, 0}));
    EXPECT_EQ(Said(), kConnectByAddress);
}

// The server's first byte comes right behind the header; a reply is judged at the first byte that decides.
TEST_F(ProxyHandshake, HttpOpensTheTunnelOnlyOnASuccessStatusLine)
{
    struct Case {
        const char *reply;
        int error;
        int left = 1; // bytes left unread
    };
    const Case cases[] = {
        {"HTTP/1.0 200 Connection established\r\nProxy-agent: tinyproxy/1.11.1\r\n\r\n", 0},
        {"http/1.1 200 OK\r\n\r\n", 0},
        {"HTTP/1.1 204 No Content\r\n\r\n", 0},
        {"HTTP/1.1 407 Proxy Authentication Required\r\n\r\n", 1},
        {"HTTP/1.1 407 Proxy Authentication Required\r\nX-Id: 1200\r\n\r\n", 1},
        {"HTTP/1.0 500 Unable to connect\r\nContent-Length: 200\r\n\r\n", 1},
        {"HTTP/1.1 2000 OK\r\n\r\n", 1},
        {"HTTP/1.1\r\n\r\n", 1},
        {"HTX/1.1 200 OK\r\n\r\n", 1, 16}, // stopped at the third byte
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reply);
        Start(CProxySock::TYPE_HTTP);
        Bytes bytes = Of(c.reply);
        bytes.push_back(102);
        EXPECT_TRUE(Answer(bytes));
        EXPECT_EQ(proxy.GetError(), c.error);
        EXPECT_EQ(socket.BytesAvailable(), c.left);
    }
}

// A destination goes into the proxy's request only when it is a host name: one with a space, or any
// other byte that no name holds, ends the handshake before a byte is sent.
TEST_F(ProxyHandshake, OnlyAHostNameReachesTheProxysRequest)
{
    for (int type : {CProxySock::TYPE_HTTP, CProxySock::TYPE_SOCKS5})
        for (const char *host : {"game server.example", "game.example/x", "a@game.example", "gam\xE9.example"}) {
            SCOPED_TRACE(host);
            proxy.SetType(type);
            proxy.SetDestination(host, 1982);
            socket.Open("proxy", 1080);
            socket.Accept();
            socket.ClearWritten();
            EXPECT_TRUE(proxy.OnConnect(socket));
            EXPECT_EQ(proxy.GetError(), CProxySock::ERROR_FAILED);
            EXPECT_TRUE(Said().empty());
        }
}

TEST_F(ProxyHandshake, HttpGivesUpOnAHeaderThatNeverEnds)
{
    Start(CProxySock::TYPE_HTTP);
    std::string endless = "HTTP/1.1 200 OK\r\n";
    while (endless.size() < 9 * 1024)
        endless += "X-Pad: aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n";
    EXPECT_TRUE(Answer(Of(endless)));
    EXPECT_EQ(proxy.GetError(), 1);
    EXPECT_EQ(socket.BytesAvailable(), static_cast<int64_t>(endless.size() - CProxySock::kHttpReplyCap));
}

} // namespace
