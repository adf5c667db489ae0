// The game-server connection over real loopback sockets, against the scripted server.
#include "table/ClientRecords.h"
#include "tests/client/LinkFixture.h"
#include "platform/ClientSocket.h"
#include "tests/client/RawPeer.h"
#include "tests/kit/ScriptServerThread.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <cstring>

namespace {

const char *const kLogin = R"(expect 100 1:"alice" 21:"pw" 51..63:* 101=120 103=20
)";

class Connection : public LinkFixture {
protected:
    // Serves the scripts, one per connection, and opens the link to the server.
    void Play(const std::vector<std::string> &scripts)
    {
        Serve(scripts);
        Make().OpenGameLink(Target(server.Port()));
    }
    static std::string Text(const GameMsg &m) { return m.GetText({2, 127}); }
};

TEST_F(Connection, RecordsInPiecesAndTogetherAreHandedOnWholeAndInOrder)
{
    Play({SessionText("framing.session")});
    ASSERT_TRUE(RunUntil([&] { return link->CarryCount() == 100; }, 5000));
    EXPECT_TRUE(sink.records.empty());
    ASSERT_TRUE(RecordsReach(1));
    EXPECT_EQ(Text(sink.records[0]), "hello");
    EXPECT_EQ(link->CarryCount(), 0);
    ASSERT_TRUE(RecordsReach(3));
    EXPECT_EQ(Text(sink.records[1]), "one");
    EXPECT_EQ(Text(sink.records[2]), "two");
    ExpectServerDone();
}

TEST_F(Connection, AHundredRecordsInOneWriteAreAllTaken)
{
    std::string script = std::string(kLogin) + "glue 100\n";
    for (int i = 0; i < 100; i++)
        script += "send 11 1=" + std::to_string(i) + " 2:\"n\"\n";
    Play({script});
    ASSERT_TRUE(RecordsReach(100));
    // 12,900 bytes come with one announcement; the reader takes them all, not one buffer's worth.
    for (int i = 0; i < 100; i++)
        ASSERT_EQ(sink.records[i].Get(1), i);
    ExpectServerDone();
}

TEST_F(Connection, BytesOfAnUnfinishedRecordDoNotOutliveTheirConnection)
{
    Play({SessionText("carry-close.session"), std::string(kLogin) + "send 11 2:\"second\"\n"});
    ASSERT_TRUE(RunUntil([&] { return sink.disconnects == 1; }, 5000));
    EXPECT_EQ(sink.records.size(), 1u);
    EXPECT_EQ(link->CarryCount(), 0);
    EXPECT_TRUE(boxes.empty()); // a server that closes is no error
    EXPECT_TRUE(Has("HideStatus"));
    EXPECT_FALSE(Has("ReleaseLogin"));

    link->OpenGameLink(Target(server.Port()));
    ASSERT_TRUE(RecordsReach(2));
    EXPECT_EQ(sink.records[1].Type(), 11);
    EXPECT_EQ(Text(sink.records[1]), "second");
    ExpectServerDone();
}

TEST_F(Connection, LoginSendsTheAccountAndReportsThatItIsBeingChecked)
{
    Serve({SessionText("login.session")});
    Make().OpenGameLink(Target(server.Port(), "abcdefghijklmnopqrst", "secret"));
    ASSERT_TRUE(RecordsReach(1));
    EXPECT_EQ(sink.records[0].Type(), SC_LOGIN_SUCCESS);
    EXPECT_EQ(sink.records[0].GetText({6, 100}), "欢迎光临");
    ExpectServerDone();
    ASSERT_GE(hooks.calls.size(), 2u);
    EXPECT_EQ(hooks.calls[0], "ClearTables");
    EXPECT_EQ(hooks.calls[1], "Status 正在验证用户身份...");
    EXPECT_EQ(std::string(link->myaccount, 20), "abcdefghijklmnopqrst");
}

TEST_F(Connection, BytesLeftWaitingGoOutWhenTheServerReadsAgainWithNoFurtherRecord)
{
    RawPeer peer(4, 4096);
    Make().OpenGameLink(Target(peer.Port()));
    ASSERT_TRUE(RunUntil([&] { return link->GameLinkConnected(); }, 5000));
    // Fill the system's buffers until some bytes wait in the program's own queue.
    int sent = 0;
    GameMsg chat;
    while (link->ClientSocket1->BytesToWrite() == 0 && sent < 100000) {
        BuildTableChat(chat, std::to_string(sent), CHAT_LINE);
        link->SendPacket(chat);
        if (++sent % 64 == 0)
            QCoreApplication::processEvents();
    }
    ASSERT_GT(link->ClientSocket1->BytesToWrite(), 0);
    size_t expected = static_cast<size_t>(sent + 1) * GameMsg::kSize; // with the login
    ASSERT_TRUE(RunUntil([&] { return peer.Drain().size() >= expected; }, 10000));
    const std::vector<uint8_t> &got = peer.Drain();
    ASSERT_EQ(got.size(), expected);
    BuildTableChat(chat, std::to_string(sent - 1), CHAT_LINE);
    EXPECT_EQ(std::memcmp(got.data() + got.size() - GameMsg::kSize, chat.Data(), GameMsg::kSize), 0);
    EXPECT_TRUE(link->GameLinkConnected());
}

// A refused connection or an unknown host offers another server; in NetWork mode it is a box and the end.
TEST_F(Connection, AFailedConnectionIsToldByItsCause)
{
    for (bool network : {false, true})
        for (bool badHost : {false, true}) {
            SCOPED_TRACE(std::string(network ? "NetWork " : "") + (badHost ? "bad host" : "refused"));
            hooks.calls.clear();
            boxes.clear();
            Make().networkmode = network;
            GameLinkTarget target = Target(badHost ? 1982 : ClosedPort());
            if (badHost)
                target.host = "bad host";
            link->OpenGameLink(target);
            ASSERT_TRUE(RunUntil([&] { return Has(network ? "CloseMain 1" : "Repaint"); }, 5000));
            EXPECT_FALSE(link->GameLinkActive());
            const std::string cause = badHost ? "查询服务器域名失败" : "连接游戏服务器失败";
            if (network) {
                const std::string box = cause + "，可能是网络故障或者游戏服务器正在维护。\n请尝试选择另外的服务器进行登陆。";
                ASSERT_EQ(boxes.size(), 1u);
                EXPECT_EQ(boxes[0].text, box);
                EXPECT_EQ(boxes[0].title, "Lantile");
                EXPECT_EQ(boxes[0].icon, MessageBox::IconWarning);
                // The program ends once its box has closed.
                EXPECT_EQ(hooks.calls, (std::vector<std::string>{"CloseHint", "ReleaseLogin", "Box " + box, "CloseMain 1",
                                                                 "Repaint"}));
                continue;
            }
            EXPECT_TRUE(boxes.empty());
            const std::vector<std::string> want = {
                "ReleaseLogin",
                "LinkNotice " + std::string(badHost ? "查询服务器域名失败" : "连接到游戏服务器失败") +
                    "，可能是网络故障或者服务器维护|点击查看服务状态 |https://lantile.example.org/status",
                "ServerChoice", std::string("Status ") + (badHost ? "查询服务器域名失败" : "连接服务器失败") + "，请检查网络。",
                "Repaint"};
            EXPECT_EQ(hooks.calls, want);
        }
}

// A host read with a control byte or a space in it is no host: it is told as one that cannot be
// found, and no byte of it reaches the network, straight or through a proxy's request.
TEST_F(Connection, AHostWithAControlByteNeverReachesTheNetwork)
{
    Serve({kLogin});
    for (const std::string &host : {std::string("127.0.0.1\r"), std::string("127.0.0.1\0", 10),
                                     std::string("127.0.0.1\tx"), std::string("127.0.0.1 ")}) {
        hooks.calls.clear();
        GameLinkTarget target = Target(server.Port());
        target.host = host;
        Make().OpenGameLink(target);
        EXPECT_TRUE(link->GameLinkActive()) << "the failure comes from the event loop, as a lookup's does";
        ASSERT_TRUE(RunUntil([&] { return Has("Repaint"); }, 5000));
        EXPECT_TRUE(Has("Status 查询服务器域名失败，请检查网络。"));
        EXPECT_FALSE(link->GameLinkActive());
    }
    // Ended before the event loop came round, the attempt says nothing more.
    hooks.calls.clear();
    GameLinkTarget target = Target(server.Port());
    target.host = "127.0.0.1\r";
    Make().OpenGameLink(target);
    link->CloseGameLink();
    ASSERT_TRUE(RunPosted());
    EXPECT_FALSE(Has("Repaint"));
    EXPECT_EQ(server.Connections(), 0);
}

TEST_F(Connection, AConnectionNeverMadeEndsAtTheTimeOut)
{
    RawPeer full(0);
    full.FillQueue();
    Make().OpenGameLink(Target(full.Port()));
    // A connection opened after it to a server that takes it is made: the first had its chance.
    QTcpServer taking;
    ASSERT_TRUE(taking.listen(QHostAddress::LocalHost));
    QTcpSocket later;
    later.connectToHost(QHostAddress::LocalHost, taking.serverPort());
    ASSERT_TRUE(RunUntil([&] { return later.state() == QAbstractSocket::ConnectedState; }, 5000));
    ASSERT_TRUE(link->GameLinkActive());
    ASSERT_FALSE(link->GameLinkConnected());
    clock.Advance(TDataModule1::kConnectTimeoutMs - 1);
    EXPECT_TRUE(link->GameLinkActive());
    clock.Advance(1);
    EXPECT_FALSE(link->GameLinkActive());
    EXPECT_TRUE(Has("ServerChoice"));
    EXPECT_TRUE(Has("Status 连接服务器失败，请检查网络。"));
    EXPECT_EQ(sink.disconnects, 1);
}

// A NetWork start is the connection and nothing else: a server that closes before answering the
// login, or that never answers, ends it with a box and a failure code; an answer ends the wait.
TEST_F(Connection, ANetWorkStartWithoutALoginAnswerEndsWithItsBoxAndAFailure)
{
    struct Way {
        const char *script;
        uint64_t wait; // test-clock time before the end
        const char *box;
        const char *title;
    };
    const Way ways[] = {
        {"close\n", 0, "和服务器的连接断开，请重新登录。", "信息"},
        {"pause 60000\n", kLoginTimeoutMs, "接收游戏数据超时,请重试.", "Lantile"},
    };
    for (const Way &way : ways) {
        SCOPED_TRACE(way.script);
        hooks.calls.clear();
        boxes.clear();
        ScriptServer peer;
        ASSERT_TRUE(peer.Load(std::string(kLogin) + way.script));
        ASSERT_TRUE(peer.Listen());
        Make().networkmode = true;
        link->OpenGameLink(Target(peer.Port()));
        // The login's arrival shows that the connection was handled.
        ASSERT_TRUE(RunUntil([&] { return !peer.Received().empty(); }, 5000));
        if (way.wait > 0) {
            clock.Advance(way.wait - 1);
            EXPECT_TRUE(boxes.empty()) << "still waiting";
            clock.Advance(1);
        }
        ASSERT_TRUE(RunUntil([&] { return Has("CloseMain 1"); }, 5000));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, way.box);
        EXPECT_EQ(boxes[0].title, way.title);
        EXPECT_EQ(hooks.calls.back(), "CloseMain 1");
        RunUntil([&] { return !link->GameLinkActive(); }, 2000);
        EXPECT_EQ(boxes.size(), 1u) << "the end of the link is no second failure";
    }
    // The login's answer, even a refusal, ends the wait: the game object tells the rest.
    hooks.calls.clear();
    boxes.clear();
    ScriptServer answering;
    ASSERT_TRUE(answering.Load(std::string(kLogin) + "send 119 1:\"no\"\nclose\n"));
    ASSERT_TRUE(answering.Listen());
    Make().networkmode = true;
    link->OpenGameLink(Target(answering.Port()));
    ASSERT_TRUE(RunUntil([&] { return !sink.records.empty() && Has("HideStatus"); }, 5000));
    clock.Advance(kLoginTimeoutMs);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(Has("CloseMain 1"));
}

// A server writing faster than the program reads finds its bytes waiting in the system: the program
// holds no more than its read buffer of them, and takes the rest as it reads on.
TEST_F(Connection, AFloodWaitsInTheSystemNotInTheProgram)
{
    constexpr int kThousands = 20;
    std::string script = "glue " + std::to_string(kThousands) + "\n";
    for (int i = 0; i < kThousands; i++)
        script += "send 11 2:\"x\" times=1000\n";
    ScriptServerThread peer(script);
    ASSERT_NE(peer.Port(), 0);
    ClientSocket socket(TDataModule1::TIMER_CONNECT2, TDataModule1::kConnectTimeoutMs);
    int reads = 0;
    socket.SetEvents({nullptr, [&] { reads++; }, nullptr, nullptr});
    socket.Open("127.0.0.1", peer.Port());
    // The buffer filled: the program has read all it will before the test takes some.
    ASSERT_TRUE(RunUntil([&] { return reads > 0 && socket.BytesAvailable() >= ClientSocket::kReadBuffer; }, 5000));
    EXPECT_LE(socket.BytesAvailable(), ClientSocket::kReadBuffer);
    std::vector<uint8_t> piece(8192);
    int64_t got = 0;
    RunUntil([&] {
        while (socket.BytesAvailable() > 0)
            got += socket.Read(piece.data(), static_cast<int64_t>(piece.size()));
        return got >= int64_t{kThousands} * 1000 * GameMsg::kSize;
    }, 20000);
    EXPECT_EQ(got, int64_t{kThousands} * 1000 * GameMsg::kSize);
    EXPECT_TRUE(peer.Stop().done);
}

// The scripted server plays the proxy, then the game server behind it.
TEST_F(Connection, AProxysAnswerInAnyPiecesLeavesTheServersFirstRecordIntact)
{
    for (const char *name : {"fake-socks5-bytes.session", "fake-socks5-name.session", "fake-http-407.session"})
        ASSERT_TRUE(server.Load(SessionText(name)));
    ASSERT_TRUE(server.Listen());
    GameLinkTarget t = Target(1982);
    t.proxy = {ProxyRoute::SOCKS5, "127.0.0.1", server.Port(), "", ""};
    Make().OpenGameLink(t);
    ASSERT_TRUE(RecordsReach(1));
    EXPECT_EQ(sink.records[0].Type(), SC_LOGIN_SUCCESS);

    link->CloseGameLink();
    ASSERT_TRUE(RunUntil([&] { return sink.disconnects == 1; }, 2000));
    link->OpenGameLink(t);
    ASSERT_TRUE(RecordsReach(2));
    EXPECT_EQ(Text(sink.records[1]), "first");

    link->CloseGameLink();
    ASSERT_TRUE(RunUntil([&] { return sink.disconnects == 2; }, 2000));
    t.proxy.kind = ProxyRoute::HTTP;
    link->OpenGameLink(t);
    ASSERT_TRUE(RunUntil([&] { return !boxes.empty(); }, 5000));
    EXPECT_EQ(boxes[0].text, "连接代理服务器失败!");
    ExpectServerDone();
    EXPECT_EQ(sink.records.size(), 2u);
}

} // namespace
