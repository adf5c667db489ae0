// The ready-made chat lines at the table's top left, as a player uses them in the main window: a
// press on one sends it to the table, and the buttons under the table enlarge and shrink the window.
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/ScriptServer.h"
#include "windows/CDxChatWnd.h"

namespace {

// Chat.txt holds GBK, as the program reads it.
const char *const kLines = "你好，大家好\r\n快点出牌吧\r\nok\r\n";

class ChatLines : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        std::filesystem::remove(folder.Path() / "Chat.txt");
        folder.Write("Chat.txt", kLines);
    }
    CDxGameChatWnd &Window() { return *Game().chatwnd[1]; }
    // The middle of a line of the page shown.
    Point Line(int index)
    {
        const Rect r = Window().pages.GetPage(Window().curpage)->list.lines.at(index).rect;
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    bool Shown(int button) { return Game().tablebuttons.Get(button)->visible; }
    int Received(uint8_t type) const
    {
        int n = 0;
        for (const auto &record : server.Received())
            n += record[0] == type;
        return n;
    }

    ScriptServer server;
};

// Seated as the dealer on its own discard turn; then the two lines the player picks, both within the
// talk gate's three seconds.
const char8_t kSeated[] = u8R"(expect 100 1:"alice" 21:"pw" 51..63:* 101=120 103=20
send 102 3=1
expect 4 1=1
ignore 104
send 9 3=0 4=1 6=1 9=0
send 5 2=1 3=0 4=1 5=1 6=1 7=1
send 1 3=13 4=[t(1m#0),t(1m#1),t(1m#2),t(2m#0),t(3m#0),t(4m#0),t(5m#0),t(6m#0),t(7m#0),t(8m#0),t(9m#0),t(1p#0),t(2p#0)]
send 7 3=0
send 2 3=t(5z#0)
send 6 2=0
expect 3 1:"快点出牌吧"
expect 3 1:"ok"
)";

TEST_F(ChatLines, APressOnALineSendsItAndTheButtonsEnlargeAndShrinkTheWindowWithNothingBeneathActing)
{
    ASSERT_TRUE(server.Load(reinterpret_cast<const char *>(kSeated)));
    ASSERT_TRUE(server.Listen());
    OpenAtTitle();
    LogIn(server.Port());
    CMj &m = Game();
    CMjPlayer &me = m.player[0];
    ASSERT_TRUE(RunUntil([&] { return m.cansave && me.drawflag && curscreen == SCREEN_NONE; }, 10000))
        << server.Failure();
    ASSERT_TRUE(Window().visible);
    EXPECT_FALSE(Shown(BTN_CHATUP) || Shown(BTN_CHATDOWN));

    // The pointer raises a tile, then goes to a line: the tile goes down and the line is picked.
    Move(TileCentre(0));
    ASSERT_EQ(me.hoverindex, 0);
    Move(Line(1));
    EXPECT_EQ(me.hoverindex, -1);
    Click(Line(1));
    ASSERT_TRUE(RunUntil([&] { return Received(CS_TABLE_CHAT) == 1 || server.Failed(); }, 5000)) << server.Failure();
    EXPECT_FALSE(server.Failed()) << server.Failure();
    EXPECT_TRUE(Shown(BTN_CHATUP) && !Shown(BTN_CHATDOWN));
    EXPECT_EQ(Window().bottom, 152);

    // Enlarged, the window reaches down the left side and keeps its lines; a line sent from it at
    // once, inside the talk gate's three seconds, still goes, and the window shrinks back.
    Click(ButtonCentre(BTN_CHATUP));
    EXPECT_EQ(Window().bottom, 280);
    EXPECT_TRUE(Shown(BTN_CHATDOWN) && !Shown(BTN_CHATUP));
    Click(Line(2));
    ASSERT_TRUE(RunUntil([&] { return server.Done() || server.Failed(); }, 5000));
    EXPECT_TRUE(server.Done()) << server.Failure();
    EXPECT_EQ(Window().bottom, 152);
    EXPECT_TRUE(Shown(BTN_CHATUP) && !Shown(BTN_CHATDOWN));

    // A press in the window with no line picked sends nothing, and the hand keeps its tiles.
    Click({(Window().left + Window().right) / 2, Window().bottom - 3});
    RunUntil([] { return false; }, 300);
    EXPECT_EQ(server.Received().size(), 4u) << "the login, the filters and the two lines";
    EXPECT_EQ(Received(CS_GIVE_CARD), 0);
    EXPECT_EQ(me.cardnum, 13);
    EXPECT_TRUE(me.drawflag && m.cansave);
}

} // namespace
