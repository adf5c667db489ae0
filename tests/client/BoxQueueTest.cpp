// One box at a time: the main window's posted notifications wait for each other and for any box the
// player has open, a flood of them keeps the newest, and a server flooding texts never stacks box
// loops.
#include "client/BoxQueue.h"
#include "client/Talk.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/ScriptServer.h"

#include <QCoreApplication>
#include <deque>

namespace {

// Boxes shown through the box handler, each with how many were open when it opened; a box stays
// open while `whileOpen` runs, with the event loop running inside it as a real box's would.
struct NestedBoxes {
    NestedBoxes()
    {
        MessageBox::SetHandler([this](const MessageBox::Box &box) {
            shown.push_back(box.text);
            deepest = std::max(deepest, MessageBox::OpenCount());
            if (whileOpen)
                whileOpen(box);
            else
                QCoreApplication::processEvents();
            return MessageBox::ResultOk;
        });
    }
    ~NestedBoxes() { MessageBox::SetHandler(nullptr); }
    std::vector<std::string> shown;
    int deepest = 0;
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

    // The player's own box holds the queue until it closes.
    boxes.shown.clear();
    boxes.whileOpen = [&](const MessageBox::Box &box) {
        if (box.text == "question") {
            post("C");
            loop.Run();
            EXPECT_EQ(boxes.shown.size(), 1u);
        }
    };
    MessageBox::Show("question", "t", MessageBox::IconQuestion, MessageBox::YesNo);
    loop.Run();
    EXPECT_EQ(boxes.shown, (std::vector<std::string>{"question", "C"}));

    // Beyond 32 waiting, the oldest waiting go.
    boxes.shown.clear();
    boxes.whileOpen = nullptr;
    for (int i = 0; i < 100; i++)
        post(std::to_string(i));
    EXPECT_EQ(queue.Waiting(), BoxQueue::kWaiting);
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
        ASSERT_TRUE(RunUntil([&] { return form->Boxes().Waiting() == 0 && !form->Boxes().Showing(); }, 60000));
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

} // namespace
