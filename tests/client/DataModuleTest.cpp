// The data module's rules on a connection the test plays by hand.
#include "table/ClientRecords.h"
#include "tests/client/LinkFixture.h"
#include "tests/kit/MemorySocket.h"

#include <tuple>

namespace {

class DataModule : public LinkFixture {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        auto s = std::make_unique<MemorySocket>();
        socket = s.get();
        Make(std::move(s));
    }
    void Connect()
    {
        link->OpenGameLink(Target(1982));
        socket->Accept();
        socket->ClearWritten(); // the login
    }
    // Records whose byte 1 counts from first.
    static std::vector<uint8_t> Numbered(int first, int count)
    {
        std::vector<uint8_t> bytes;
        for (int i = 0; i < count; i++) {
            GameMsg m(SC_TABLE_CHAT);
            m.Put(1, static_cast<uint8_t>(first + i));
            bytes.insert(bytes.end(), m.Data(), m.Data() + GameMsg::kSize);
        }
        return bytes;
    }
    std::vector<int> Numbers() const
    {
        std::vector<int> n;
        for (const GameMsg &m : sink.records)
            n.push_back(m.Get(1));
        return n;
    }
    static GameLinkTarget ViaProxy(int kind)
    {
        GameLinkTarget t = Target(1982);
        t.proxy.kind = kind;
        t.proxy.host = "127.0.0.2";
        t.proxy.port = 1080;
        return t;
    }
    static GameMsg Keepalive()
    {
        GameMsg m;
        BuildBare(m, CS_KEEPALIVE);
        return m;
    }

    MemorySocket *socket = nullptr;
};

TEST_F(DataModule, RecordsGoOutOnlyWhileTheLinkStands)
{
    link->SendPacket(Keepalive());
    link->OpenGameLink(Target(1982));
    link->SendPacket(Keepalive());
    EXPECT_TRUE(socket->Written().empty());
    socket->Accept();
    ASSERT_EQ(socket->Written().size(), 129u); // the login only
    EXPECT_EQ(socket->Written()[0], CS_LOGIN);
    socket->ServerCloses();
    link->SendPacket(Keepalive());
    EXPECT_EQ(socket->Written().size(), 129u);
    EXPECT_EQ(sink.disconnects, 1) << "the end is told once";
}

// A connection ended by a record handler (here the seventy-eighth record waiting to go out) hands on
// nothing more, and its end is told after the sender has returned.
TEST_F(DataModule, SeventySevenRecordsMayWaitAndTheSeventyEighthEndsTheConnection)
{
    Connect();
    socket->SetStalled(true);
    for (int i = 0; i < 77; i++)
        link->SendPacket(Keepalive());
    EXPECT_EQ(socket->BytesToWrite(), 9933);
    EXPECT_TRUE(link->GameLinkConnected());
    sink.onRecord = [&](const GameMsg &) { link->SendPacket(Keepalive()); };
    socket->Feed(Numbered(0, 3));
    EXPECT_EQ(Numbers(), std::vector<int>{0});
    EXPECT_FALSE(link->GameLinkActive());
    EXPECT_EQ(sink.disconnects, 0);
    socket->DeliverQueued();
    EXPECT_EQ(sink.disconnects, 1);
}

TEST_F(DataModule, AReadInsideARecordHandlerLeavesTheOrderToTheOuterOne)
{
    Connect();
    // A box inside a handler runs the event loop, and with it the next read event.
    sink.onRecord = [&](const GameMsg &m) {
        if (m.Get(1) == 0)
            socket->Feed(Numbered(3, 2));
    };
    socket->Feed(Numbered(0, 3));
    EXPECT_EQ(Numbers(), (std::vector<int>{0, 1, 2, 3, 4}));
}

// A flood is handed on a slice at a time, each slice one run of records; the rest comes from the
// event loop, after whatever else waits there.
TEST_F(DataModule, AFloodIsHandedOnASliceAtATimeEachSliceOneRun)
{
    Connect();
    constexpr int kFlood = 1000;
    std::vector<uint8_t> flood;
    for (int i = 0; i < kFlood; i += 100) {
        std::vector<uint8_t> part = Numbered(i % 256, 100);
        flood.insert(flood.end(), part.begin(), part.end());
    }
    socket->Feed(flood);
    EXPECT_GE(sink.records.size(), static_cast<size_t>(TDataModule1::kSliceRecords));
    EXPECT_LT(sink.records.size(), static_cast<size_t>(TDataModule1::kSliceRecords + RecordFramer::kReadSize / 129));
    EXPECT_EQ(sink.runs, 1);
    socket->DeliverQueued();
    ASSERT_EQ(sink.records.size(), static_cast<size_t>(kFlood));
    for (int i = 0; i < kFlood; i++)
        ASSERT_EQ(sink.records[i].Get(1), static_cast<uint8_t>(i)) << "record " << i;
    EXPECT_EQ(sink.runs, (kFlood + TDataModule1::kSliceRecords - 1) / TDataModule1::kSliceRecords);
    EXPECT_EQ(sink.outsideruns, 0);
    EXPECT_FALSE(sink.inrun);
}

// While the game holds records behind an animation the connection reads no more: the rest of a flood
// waits in the socket, not in the program, until the game has caught up and asks for it.
TEST_F(DataModule, AGameThatHoldsRecordsGetsNoMoreUntilItAsks)
{
    Connect();
    sink.onRecord = [&](const GameMsg &m) { sink.holding = sink.holding || m.Get(1) == 10; };
    socket->Feed(Numbered(0, 200));
    socket->DeliverQueued();
    EXPECT_LE(sink.records.size(), static_cast<size_t>(RecordFramer::kReadSize / 129 + 1)) << "one read at most";
    EXPECT_GT(socket->BytesAvailable(), 0);
    sink.holding = false;
    sink.onRecord = nullptr;
    link->ResumeRecords();
    socket->DeliverQueued();
    EXPECT_EQ(Numbers().size(), 200u);
    EXPECT_EQ(Numbers().back(), 199);
}

TEST_F(DataModule, TheCarryIsDroppedAtEveryEndOfAConnection)
{
    Connect();
    std::vector<uint8_t> part = Numbered(0, 1);
    part.resize(60);
    socket->Feed(part);
    EXPECT_EQ(link->CarryCount(), 60);
    socket->Fail(NetSocket::ErrorOther); // an error, with no disconnect after it
    EXPECT_EQ(link->CarryCount(), 0);

    Connect();
    socket->Feed(Numbered(9, 1));
    ASSERT_EQ(sink.records.size(), 1u);
    EXPECT_EQ(sink.records[0].Get(1), 9);
}

TEST_F(DataModule, ABrokenLinkTellsTheUserWhichWay)
{
    const std::tuple<NetSocket::ErrorKind, const char *, MessageBox::Icon> ways[] = {
        {NetSocket::ErrorOther, "和服务器的连接断开，请重新登录。", MessageBox::IconWarning},
        {NetSocket::ErrorDisconnect, "与服务器的连接断开，请尽快重新登录继续游戏.", MessageBox::IconInformation}};
    for (const auto &[kind, text, icon] : ways) {
        Connect();
        socket->Fail(kind);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].title, "信息");
        EXPECT_EQ(boxes[0].icon, icon);
        EXPECT_TRUE(Has("Box " + std::string(text))) << "the window queues it";
        EXPECT_EQ(hooks.calls.back(), "Repaint");
        boxes.clear();
    }
    EXPECT_EQ(sink.disconnects, 2);
}

TEST_F(DataModule, ThroughAProxyTheLoginWaitsForTheHandshake)
{
    link->OpenGameLink(ViaProxy(ProxyRoute::SOCKS5));
    EXPECT_EQ(socket->Host(), "127.0.0.2");
    EXPECT_EQ(socket->Port(), 1080);
    socket->Accept();
    link->SendPacket(Keepalive()); // would reach the proxy
    EXPECT_EQ(socket->Written(), (std::vector<uint8_t>{5, 1, 0}));
    socket->ClearWritten();
    socket->Feed({5, 0});
    EXPECT_EQ(socket->Written(), (std::vector<uint8_t>{5, 1, 0, 1, 127, 0, 0, 1, 0x07, 0xBE}));
    socket->ClearWritten();
    std::vector<uint8_t> reply = {5, 0, 0, 1, 10, 0, 0, 1, 0x12, 0x34};
    std::vector<uint8_t> record = Numbered(5, 1);
    reply.insert(reply.end(), record.begin(), record.end());
    socket->Feed(reply);
    ASSERT_EQ(socket->Written().size(), 129u);
    EXPECT_EQ(socket->Written()[0], CS_LOGIN);
    EXPECT_EQ(Numbers(), std::vector<int>{5}); // the record behind the proxy's answer
}

TEST_F(DataModule, AProxyThatNeverAnswersFailsAtTheTimeOut)
{
    link->OpenGameLink(ViaProxy(ProxyRoute::HTTP));
    socket->Accept();
    clock.Advance(TDataModule1::kProxyTimeoutMs - 1);
    EXPECT_TRUE(boxes.empty());
    clock.Advance(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "连接代理服务器失败!");
    EXPECT_EQ(boxes[0].title, "info");
    EXPECT_EQ(boxes[0].icon, MessageBox::IconInformation);
    EXPECT_TRUE(Has("ReleaseLogin"));
    EXPECT_FALSE(link->GameLinkActive());
    socket->DeliverQueued();
    EXPECT_EQ(sink.disconnects, 1);
}

TEST_F(DataModule, AnHttpProxyWithNoDestinationFailsAtOnce)
{
    GameLinkTarget t = ViaProxy(ProxyRoute::HTTP);
    t.host = "";
    link->OpenGameLink(t);
    socket->Accept();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "错误：使用代理服务器时没有指定目的地址!");
    EXPECT_EQ(boxes[1].text, "连接代理服务器失败!");
    EXPECT_TRUE(Has("Box 错误：使用代理服务器时没有指定目的地址!") && Has("Box 连接代理服务器失败!")) << "the window queues them";
    EXPECT_TRUE(socket->Written().empty());
    EXPECT_FALSE(link->GameLinkActive());
}

// A destination that holds a control byte never goes into a proxy's request: a CR LF in it would
// end the CONNECT line and let the rest pass for headers of its own.
TEST_F(DataModule, ADestinationWithAControlByteIsNeverSentToAProxy)
{
    for (int kind : {ProxyRoute::HTTP, ProxyRoute::SOCKS5}) {
        boxes.clear();
        GameLinkTarget t = ViaProxy(kind);
        t.host = "game.example\r\nX-Injected: 1";
        link->OpenGameLink(t);
        socket->Accept();
        EXPECT_TRUE(socket->Written().empty()) << kind;
        ASSERT_EQ(boxes.size(), 1u) << kind;
        EXPECT_EQ(boxes[0].text, "连接代理服务器失败!");
        EXPECT_FALSE(link->GameLinkActive());
    }
}

} // namespace
