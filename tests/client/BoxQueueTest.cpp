// One box at a time: the main window's posted notifications wait for each other and for any box the
// player has open, a flood of them keeps the newest, and a server flooding texts never stacks box
// loops.
#include "client/About.h"
#include "client/BoxQueue.h"
#include "client/Hint.h"
#include "client/Talk.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/ScriptServer.h"
#include "windows/CLoginForm.h"

#include <QCoreApplication>
#include <QTimer>
#include <deque>
#include <filesystem>

namespace {

// Boxes shown through the box handler, each with how many were open when it opened; a box stays
// open while `whileOpen` runs, with the event loop running inside it as a real box's would.
struct NestedBoxes {
    NestedBoxes()
    {
        MessageBox::SetHandler([this](const MessageBox::Box &box) {
            shown.push_back(box.text);
            deepest = std::max(deepest, ++open);
            if (whileOpen)
                whileOpen(box);
            else
                QCoreApplication::processEvents();
            open--;
            return MessageBox::ResultOk;
        });
    }
    ~NestedBoxes() { MessageBox::SetHandler(nullptr); }
    std::vector<std::string> shown;
    int deepest = 0;
    int open = 0;
    std::function<void(const MessageBox::Box &)> whileOpen;
};

// Posted calls wait here until the test runs them, as the event loop would.
struct Loop {
    void Post(std::function<void()> call) { calls.push_back(std::move(call)); }
    void Run()
    {
        while (!calls.empty()) {
            auto call = std::move(calls.front());
            calls.pop_front();
            call();
        }
    }
    std::deque<std::function<void()>> calls;
};

TEST(BoxQueue, ShowsPostedBoxesOneAfterAnotherInOrderAndKeepsTheNewestOfAFlood)
{
    NestedBoxes boxes;
    Loop loop;
    BoxQueue queue([&](std::function<void()> call) { loop.Post(std::move(call)); });
    auto post = [&](const std::string &text) { queue.Post(text, [text] { MessageBox::Show(text, "t"); }); };
    // A notification posted while a box is open waits for it, even when the loop comes round.
    boxes.whileOpen = [&](const MessageBox::Box &box) {
        if (box.text == "A") {
            post("B");
            loop.Run();
        }
    };
    post("A");
    EXPECT_TRUE(boxes.shown.empty()) << "nothing from inside the poster";
    loop.Run();
    EXPECT_EQ(boxes.shown, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(boxes.deepest, 1);

    // The player's own box holds the queue until it closes, even one that opened after the next
    // notification was on its way.
    boxes.shown.clear();
    boxes.whileOpen = [&](const MessageBox::Box &box) {
        if (box.text == "question") {
            post("D");
            loop.Run();
            EXPECT_EQ(boxes.shown.size(), 1u);
        }
    };
    post("C");
    MessageBox::Show("question", "t", MessageBox::IconQuestion, MessageBox::YesNo);
    loop.Run();
    EXPECT_EQ(boxes.shown, (std::vector<std::string>{"question", "C", "D"}));

    // Beyond 32 waiting, the oldest waiting go.
    boxes.shown.clear();
    boxes.whileOpen = nullptr;
    for (int i = 0; i < 100; i++)
        post(std::to_string(i));
    loop.Run();
    ASSERT_EQ(boxes.shown.size(), BoxQueue::kWaiting);
    EXPECT_EQ(boxes.shown.front(), "68");
    EXPECT_EQ(boxes.shown.back(), "99");
    EXPECT_EQ(boxes.deepest, 1);
}

// The main window against a server that writes a flood of texts in one go, then a private line.
class TextFlood : public MainWindowTest {
protected:
    void Flood(uint8_t type, int field)
    {
        std::string script = "ignore 104\n"
                             "expect 100 1..128:*\n"
                             "send 102 3=1\n"
                             "expect 4 1..128:*\n"
                             "glue " + std::to_string(kTexts + 1) + "\n";
        for (int i = 1; i <= kTexts; i++)
            script += "send " + std::to_string(type) + " " + std::to_string(field) + ":\"text " + std::to_string(i) + "\"\n";
        script += "send 114 1:\"end\" 21:\"x\"\n";
        ASSERT_TRUE(server.Load(script));
        ASSERT_TRUE(server.Listen());
        OpenAtTitle();
        // The first box stays up until the whole flood has been read; the rest close at once.
        nested.whileOpen = [&](const MessageBox::Box &) {
            if (nested.shown.size() == 1) {
                EXPECT_TRUE(RunUntil([&] { return form->FindTalk("end") != nullptr; }, 60000));
            }
        };
        LogIn(server.Port());
        ASSERT_TRUE(RunUntil([&] { return !nested.shown.empty(); }, 60000));
        const std::string last = "text " + std::to_string(kTexts);
        ASSERT_TRUE(RunUntil([&] { return nested.shown.size() > 1 && nested.shown.back() == last; }, 60000));
    }
    // The number of each box shown, in order.
    std::vector<int> Numbers() const
    {
        std::vector<int> n;
        for (const std::string &text : nested.shown)
            n.push_back(std::stoi(text.substr(5)));
        return n;
    }
    static constexpr int kTexts = 7000;
    ScriptServer server;
    NestedBoxes nested;
};

TEST_F(TextFlood, SevenThousandServerTextsShowOneBoxAtATimeEndingWithTheNewest)
{
    Flood(SC_MESSAGEBOX, 1);
    const std::vector<int> n = Numbers();
    EXPECT_EQ(nested.deepest, 1) << "a box opened inside another";
    ASSERT_EQ(n.size(), BoxQueue::kWaiting + 1) << "the first, then those still waiting when it closed";
    EXPECT_TRUE(std::is_sorted(n.begin(), n.end()));
    EXPECT_EQ(n.back(), kTexts);
    EXPECT_EQ(n[1], kTexts - static_cast<int>(BoxQueue::kWaiting) + 1);
    EXPECT_TRUE(Game().netlink->GameLinkConnected());
}

TEST_F(TextFlood, SevenThousandNoticesShowOneBoxAtATimeEndingWithTheNewest)
{
    Flood(SC_NOTICE, 6);
    const std::vector<int> n = Numbers();
    EXPECT_EQ(nested.deepest, 1) << "a box opened inside another";
    ASSERT_EQ(n.size(), BoxQueue::kWaiting + 1);
    EXPECT_TRUE(std::is_sorted(n.begin(), n.end()));
    EXPECT_EQ(n.back(), kTexts);
}

// The connection's own boxes against a server text still up: each waits its turn in the same queue,
// and what follows a box (a NetWork start's end) waits for it.
class ConnectionBoxes : public MainWindowTest {
protected:
    // The first box stays up until `holds` is true and the event loop has run what was posted meanwhile.
    void HoldFirstBoxUntil(std::function<bool()> holds)
    {
        nested.whileOpen = [this, holds](const MessageBox::Box &box) {
            events.push_back(box.text);
            if (events.size() > 1)
                return;
            EXPECT_TRUE(RunUntil(holds, 5000));
            EXPECT_TRUE(RunPosted());
            EXPECT_EQ(events.size(), 1u) << "a box opened while the first was up";
        };
    }

    ScriptServer server;
    NestedBoxes nested;
    std::vector<std::string> events; // the boxes' texts as they open, and "close" for the window's end
};

// Tells of every close of a widget the test names, from the moment the window is made.
struct CloseWatch : QObject {
    explicit CloseWatch(std::function<void(QObject *)> closed) : closed(std::move(closed))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            closed(watched);
        return false;
    }
    std::function<void(QObject *)> closed;
};

TEST_F(ConnectionBoxes, ANetWorkStartsFailureWaitsForTheServersTextAndTheEndWaitsForItsBox)
{
    // The script is UTF-8, the box GBK.
    const struct {
        const char8_t *way;
        const char *box;
    } ways[] = {
        {u8"close", "和服务器的连接断开，请重新登录。"},         // the connection drops before the login's answer
        {u8"send 119 1:\"密码错误\"\npause 2000", "密码错误"}, // the login is refused
    };
    for (const auto &w : ways) {
        const std::string way = reinterpret_cast<const char *>(w.way);
        SCOPED_TRACE(way);
        events.clear();
        nested.deepest = 0;
        ScriptServer peer;
        ASSERT_TRUE(peer.Load(std::string("expect 100 1:\"alice\" 21:\"pw\" 51..63:* 101=120 103=20\n"
                                          "send 100 1:\"first\"\n") +
                              way + "\n"));
        ASSERT_TRUE(peer.Listen());
        std::filesystem::remove(folder.Path() / "Dirconfig.ini");
        folder.Write("Dirconfig.ini", "[DIRSERVER0]\r\nport=" + std::to_string(peer.Port()) + "\r\n");
        // Either way the waiting window goes as the failure is told.
        HoldFirstBoxUntil([&] { return !form->Hint()->isVisible(); });
        CloseWatch watch([&](QObject *widget) {
            if (form && widget == View())
                events.push_back("close");
        });
        // The program's own loop, which the window's end leaves with its exit code.
        QTimer::singleShot(0, [&] { OpenAtTitle({"NetWork", "alice", "pw", "127.0.0.1"}); });
        QTimer timeout;
        timeout.callOnTimeout([] { QCoreApplication::exit(-1); });
        timeout.start(20000);
        EXPECT_EQ(QCoreApplication::exec(), 1);
        EXPECT_EQ(events, (std::vector<std::string>{"first", w.box, "close"}));
        EXPECT_EQ(nested.deepest, 1) << "a box opened inside another";
        driver.reset();
        form.reset();
    }
}

// The player's own dialogs hold the server's boxes too: a text read while About is open shows once
// it has closed.
TEST_F(ConnectionBoxes, AServerTextWaitsForTheAboutBoxToClose)
{
    ASSERT_TRUE(server.Load("ignore 104\n"
                            "expect 100 1..128:*\n"
                            "send 102 3=1\n"
                            "expect 4 1..128:*\n"
                            "send 100 1:\"text\"\n"
                            "send 114 1:\"end\" 21:\"x\"\n"));
    ASSERT_TRUE(server.Listen());
    OpenAtTitle();
    QTimer::singleShot(0, [&] {
        LogIn(server.Port());
        // The private line behind the text shows that the text has been read.
        EXPECT_TRUE(RunUntil([&] { return form->FindTalk("end") != nullptr; }, 10000)) << server.Failure();
        EXPECT_TRUE(RunPosted());
        EXPECT_TRUE(nested.shown.empty()) << "a box opened inside About";
        form->AboutForm()->reject();
    });
    form->ShowAbout();
    ASSERT_TRUE(RunUntil([&] { return !nested.shown.empty(); }, 10000));
    EXPECT_EQ(nested.shown, std::vector<std::string>{"text"});
}

// A timer's box too: the login screen gives up on a server that sent a text but no answer.
TEST_F(ConnectionBoxes, TheLoginsTimeOutWaitsForTheServersText)
{
    ASSERT_TRUE(server.Load("expect 100 1:\"alice\" 21:\"secret\" 51..63:* 101=120 103=20\n"
                            "send 100 1:\"first\"\n"
                            "pause 10000\n"));
    ASSERT_TRUE(server.Listen());
    OpenAtTitle();
    std::snprintf(serverlist[0].host, sizeof serverlist[0].host, "127.0.0.1");
    serverlist[0].port = server.Port();
    serverindex = 0;
    loginform->Show();
    loginform->accountedit->text = "alice";
    loginform->passwordedit->text = "secret";
    HoldFirstBoxUntil([&] {
        clock.Advance(30000);
        return !Game().netlink->GameLinkActive();
    });
    loginform->KeyPress('\r');
    ASSERT_TRUE(RunUntil([&] { return events.size() == 2; }, 10000)) << server.Failure();
    EXPECT_EQ(events, (std::vector<std::string>{"first", "接收游戏数据超时,请重试."}));
    EXPECT_EQ(nested.deepest, 1) << "a box opened inside another";
}

} // namespace
