// Private chat: the input's byte limit, what a send puts on the wire, and the chat windows the main
// window opens, finds again and lets go as messages come and windows close.
#include "client/FormText.h"
#include "client/Talk.h"
#include "platform/WindowAlert.h"
#include "screen/CDxSound.h"
#include "windows/CChatPage.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/LobbyFlood.h"
#include "tests/kit/ScriptServer.h"
#include "tests/kit/ScriptServerThread.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <cstring>
#include <QPushButton>

namespace {

std::string Typed(const TTalkForm &form)
{
    return FromUi(form.Memo2->toPlainText());
}

std::vector<std::string> History(const TTalkForm &form)
{
    std::vector<std::string> lines;
    for (const QString &line : form.Memo1->toPlainText().split(QLatin1Char('\n')))
        lines.push_back(FromUi(line));
    return lines;
}

TEST(TTalkForm, TheInputHoldsOneRecordsBytesAndEnterSendsThemWhole)
{
    StandingLink link;
    TTalkForm form("张三", link, nullptr);
    EXPECT_EQ(QStringLiteral("与 张三 交谈中..."), form.windowTitle());
    EXPECT_EQ(std::string(19, 'a'), TTalkForm(std::string(19, 'a') + "张", link, nullptr).Peer())
        << "a name is cut between characters to its 20 bytes";

    QTest::keyClicks(form.Memo2, QString(100, QLatin1Char('a')));
    QTest::keyClicks(form.Memo2, "x");
    EXPECT_EQ(100u, Typed(form).size()) << "a full input takes nothing more";
    QTest::keyClick(form.Memo2, Qt::Key_Backspace);
    EXPECT_EQ(99u, Typed(form).size()) << "but Backspace still deletes";
    // A character typed as a keyboard layout of its script gives it: the key has no Latin name.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("你"));
    QCoreApplication::sendEvent(form.Memo2, &press);
    EXPECT_EQ(99u, Typed(form).size()) << "a character whose two bytes do not fit is refused whole";
    QTest::keyClicks(form.Memo2, "b");

    QTest::keyClick(form.Memo2, Qt::Key_Return);
    ASSERT_EQ(1u, link.sent.size());
    const GameMsg &sent = link.sent[0];
    GameMsg expected(CS_PRIVATE_CHAT);
    expected.PutText({1, 20}, "张三");
    expected.PutText({21, 100}, std::string(99, 'a') + "b");
    EXPECT_EQ(0, std::memcmp(expected.Data(), sent.Data(), GameMsg::kSize)) << "no terminator inside the record";
    EXPECT_EQ('b', sent.Get(120));
    EXPECT_TRUE(Typed(form).empty());
    EXPECT_EQ("[我说]: " + std::string(99, 'a') + "b", History(form)[0]);

    // A paste is cut between characters: 60 characters of two bytes give 50.
    QApplication::clipboard()->setText(QString(60, QChar(u'你')));
    form.Memo2->paste();
    EXPECT_EQ(50, form.Memo2->toPlainText().size());
    EXPECT_EQ(100u, Typed(form).size());

    // An empty input sends nothing and says so.
    form.Memo2->clear();
    form.Button1->click();
    EXPECT_EQ(1u, link.sent.size());
    EXPECT_EQ("[系统消息] 请不要发送空消息", History(form).at(2));
}

// A message rings in a window of its own that later ones join; a closed window is let go, and the end
// of the connection closes every window.
class PrivateChatWindows : public MainWindowTest {
protected:
    void TearDown() override
    {
        SetToplevelAlertHandler(nullptr);
        CDxSound::SetPlayHook(nullptr);
        MainWindowTest::TearDown();
    }
    std::vector<std::string> sounds;
    std::vector<QWidget *> alerts;
};

TEST_F(PrivateChatWindows, AMessageRingsInAWindowPerPeerThatClosingLetsGo)
{
    CDxSound::SetPlayHook([this](std::string_view file) { sounds.emplace_back(file); });
    SetToplevelAlertHandler([this](QWidget *window) { alerts.push_back(window); });
    OpenAtTitle();
    const auto receive = [&](const std::string &sender, const std::string &text, uint8_t system = 0) {
        GameMsg msg(SC_PRIVATE_CHAT);
        msg.PutText({1, 20}, sender);
        msg.PutText({21, 100}, text);
        msg.Put(126, system);
        Game().OnGameMsg(msg);
    };
    receive("李四", "你好");
    TTalkForm *window = form->FindTalk("李四");
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(window->isVisible() && window->isWindow() && window->parentWidget() == nullptr);
    EXPECT_EQ((std::vector<std::string>{"[李四]说: 你好", ""}), History(*window));
    EXPECT_EQ(std::vector<std::string>{"Wave\\ring.wav"}, sounds);
    EXPECT_EQ(std::vector<QWidget *>{window}, alerts);
    receive("李四", std::string(100, 't'), 1);
    EXPECT_EQ("[系统消息] " + std::string(100, 't'), History(*window).at(2)) << "a full text, and no more";
    EXPECT_EQ("Wave\\msg.wav", sounds.back());
    EXPECT_EQ(2u, alerts.size());

    receive("王五", "二");
    ASSERT_EQ(2u, form->TalkForms().size());
    // Both closed before the main window hears of either: each is let go by its own name.
    window->close();
    form->FindTalk("王五")->close();
    EXPECT_EQ(nullptr, form->FindTalk("李四")) << "a closed window takes no more messages";
    receive("李四", "三");
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    ASSERT_EQ(1u, form->TalkForms().size());
    EXPECT_EQ(std::vector<std::string>({"[李四]说: 三", ""}), History(*form->FindTalk("李四")));
    EXPECT_EQ("Wave\\ring.wav", sounds.back());
    Game().netgame = 1;
    Game().OnDisconnect();
    EXPECT_TRUE(form->TalkForms().empty());

    // A server sending from ever more names opens no more than twenty windows; those open still
    // take their messages, and a window closed makes room.
    for (int i = 0; i < TMainForm::kMaxTalkForms + 5; i++)
        receive("user" + std::to_string(i), "hi");
    EXPECT_EQ(static_cast<size_t>(TMainForm::kMaxTalkForms), form->TalkForms().size());
    EXPECT_EQ(nullptr, form->FindTalk("user20"));
    receive("user0", "again");
    EXPECT_EQ("[user0]说: again", History(*form->FindTalk("user0")).at(2));
    form->FindTalk("user3")->close();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    receive("user21", "now");
    EXPECT_NE(nullptr, form->FindTalk("user21"));
    EXPECT_EQ(static_cast<size_t>(TMainForm::kMaxTalkForms), form->TalkForms().size());
    Game().netgame = 1;
    Game().OnDisconnect();
}

// A line break inside a message, pasted or received, never makes a line of its own that could pass
// for the service's: the server's goes on one line, and a paste goes out with spaces for its breaks.
TEST_F(PrivateChatWindows, ALineBreakInAMessageNeverStartsALineOfItsOwn)
{
    // Scripts are UTF-8.
    const char8_t *lines = u8"send 114 1:\"bob\" 21:\"hi\\n[系统消息] 你已被踢出\\r\\t!\"\n"
                           "expect 109 1:\"bob\" 21:\"ok  [系统消息] x y\"\n"
                           "send 114 1:\"done\" 21:\"bye\"\n"
                           "expect-close 60000\n";
    ScriptServerThread server(LobbyFlood::EnterRoom("alice", "pw") + reinterpret_cast<const char *>(lines));
    ASSERT_NE(server.Port(), 0) << server.Stop().failure;
    OpenAtTitle();
    LogIn(server.Port());
    ASSERT_TRUE(RunUntil([&] { return form->FindTalk("bob") != nullptr; }, 60000));
    TTalkForm &window = *form->FindTalk("bob");
    EXPECT_EQ((std::vector<std::string>{"[bob]说: hi [系统消息] 你已被踢出  !", ""}), History(window));

    QApplication::clipboard()->setText(QStringLiteral("ok\r\n[系统消息] x\ty"));
    window.Memo2->paste();
    EXPECT_EQ("ok  [系统消息] x y", Typed(window));
    QTest::keyClick(window.Memo2, Qt::Key_Return);
    EXPECT_EQ("[我说]: ok  [系统消息] x y", History(window).at(2));
    ASSERT_TRUE(RunUntil([&] { return form->FindTalk("done") != nullptr; }, 60000));
    Game().netlink->CloseGameLink();
    EXPECT_EQ(server.Stop().failure, "");
}

TEST(TTalkForm, TheHistoryKeepsTheLastLinesOnly)
{
    StandingLink link;
    TTalkForm form("bob", link, nullptr);
    for (int i = 0; i < CChatPageList::kKeptLines + 100; i++)
        form.AddLine(std::to_string(i));
    EXPECT_EQ(History(form).size(), static_cast<size_t>(CChatPageList::kKeptLines));
    EXPECT_EQ(History(form).front(), "100");
}

} // namespace
