// The game played through the main window: the toolkit's mouse and key events, mapped and routed to
// the table, the screen on top, the game menu and the claim prompt.
#include "platform/OpenUrl.h"
#include "screen/Device.h"
#include "table/Addresses.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/FrameProbe.h"
#include "tests/kit/LocalRobot.h"
#include "tests/kit/TableAudit.h"
#include "tests/kit/TableSetup.h"
#include "tests/support/Tiles.h"
#include "windows/CDxChatWnd.h"
#include "windows/CScoreForm.h"

#include <QApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

TEST_F(MainWindowTest, AWholeHandIsPlayedWithTheMouseAlone)
{
    CMj &m = Open();
    m.SetAnimateOn(false);
    ASSERT_EQ(1, m.gamestatus);
    TableAudit audit(4000);
    int presses = 0, discards = 0;
    while (m.gamestatus == 1) {
        ASSERT_TRUE(driver->RunUntilSeat0()) << driver->StateLine();
        const LocalInput input = LocalRobot::Next(m);
        if (input.kind == LocalInput::Button) {
            ++presses;
            Click(ButtonCentre(input.index));
        } else if (input.kind == LocalInput::Tile) {
            ++discards;
            Click(TileCentre(input.index));
        }
        const std::vector<std::string> broken = audit.Check(m);
        ASSERT_TRUE(broken.empty()) << broken[0];
        ASSERT_LT(presses + discards, 200) << "the clicks do not move the game on";
    }
    EXPECT_EQ(2, m.gamestatus);
    EXPECT_GT(presses, 0);
    EXPECT_GT(discards, 0);
}

// The table in the middle of a hand, the robot on the left (seat 3) discarding the tile to seat 0.
void OfferToSeat0(CMj &m, const char *hand, const char *discard)
{
    TableSetup::MidHand(m);
    TableSetup::Hand(m, 0, hand);
    TableSetup::RobotDiscards(m, 3, discard);
}

int IndexOf(const CMjPlayer &p, const char *tile)
{
    for (int i = 0; i < p.cardnum; ++i)
        if (IsSameMj(p.Mj[i], Tile(tile)))
            return i;
    return -1;
}

TEST_F(MainWindowTest, PressesThatMustNotPlayDoNotAndARightClickPassesOrDiscardsTheDraw)
{
    CMj &m = Open();
    ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::LocalTurn));
    const std::string before = driver->StateLine();
    QTest::keyClick(View(), Qt::Key_Escape);
    ASSERT_TRUE(m.GameMenuShown());
    Click(TileCentre(0));
    EXPECT_FALSE(m.GameMenuShown());
    EXPECT_EQ(before, driver->StateLine());
    EXPECT_TRUE(m.player[0].drawflag);
    QTest::keyClick(View(), Qt::Key_Escape);
    EXPECT_TRUE(m.GameMenuShown());
    QTest::keyClick(View(), Qt::Key_Escape);
    EXPECT_FALSE(m.GameMenuShown());

    // A claim button let go off it answers nothing, and a right click passes.
    OfferToSeat0(m, "55p123m456m789m1s9s", "5p");
    ASSERT_TRUE(m.buttons.shown && m.buttons.peng);
    const Point peng = ButtonCentre(BTN_PENG);
    const QPoint off(peng.x, peng.y - 80);
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(peng.x, peng.y));
    QTest::mouseMove(View(), off);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, off);
    EXPECT_TRUE(m.buttons.shown && m.buttons.peng);
    EXPECT_FALSE(m.tablebuttons.Get(BTN_PENG)->pressed);
    EXPECT_EQ(0, m.player[0].getnum);

    // The pointer rests on a tile while the prompt is passed; the turn that follows raises it.
    Click(TileCentre(2), Qt::RightButton);
    EXPECT_FALSE(m.buttons.shown);
    EXPECT_EQ(0, m.player[0].getnum);
    ASSERT_TRUE(driver->RunUntilSeat0());
    CMjPlayer &me = m.player[0];
    ASSERT_TRUE(me.drawflag && m.cansave);
    EXPECT_EQ(2, me.hoverindex);
    // At the own turn a right click discards the drawn tile, wherever the pointer is.
    const MjTile drawn = me.drawmj;
    Click(TileCentre(2), Qt::RightButton);
    EXPECT_FALSE(me.drawflag);
    EXPECT_TRUE(IsSameMj(drawn, me.playmj));
    EXPECT_EQ(13, me.cardnum);
}

TEST_F(MainWindowTest, OfTwoChowsOrTwoKongsThePlayerGetsTheOneItPointsAt)
{
    // 5m fits 4-6m and 6-7m.
    CMj &m = Open();
    OfferToSeat0(m, "467m123s456s99p17z", "5m");
    ASSERT_TRUE(m.buttons.chi);
    Click(ButtonCentre(BTN_CHI));
    CMjPlayer &me = m.player[0];
    ASSERT_TRUE(me.chiflag);
    EXPECT_FALSE(m.tablebuttons.Get(BTN_CHI)->enabled);
    EXPECT_TRUE(m.tablebuttons.Get(BTN_PASS)->enabled) << "the player may still back out";
    EXPECT_FALSE(me.tileok[IndexOf(me, "1s")]);
    EXPECT_TRUE(me.tileok[IndexOf(me, "7m")]);
    Click(TileCentre(IndexOf(me, "7m")));
    ASSERT_EQ(1, me.getnum);
    EXPECT_TRUE(IsSameMj(Tile("5m"), me.getmj[0].tiles[0]));
    EXPECT_TRUE(IsSameMj(Tile("7m"), me.getmj[0].tiles[2]));
    EXPECT_TRUE(me.FindMj(Tile("4m")) || IsSameMj(me.drawmj, Tile("4m")));

    // Of two concealed kongs, likewise.
    TableSetup::MidHand(m);
    TableSetup::Hand(m, 0, "1111m2222p345s99p");
    me.drawmj = Tile("7z");
    me.drawflag = 1;
    m.DrawTile(true);
    ASSERT_TRUE(m.buttons.gang);
    Click(ButtonCentre(BTN_GANG));
    ASSERT_TRUE(me.gangflag);
    Click(TileCentre(IndexOf(me, "2p")));
    ASSERT_EQ(1, me.getnum);
    EXPECT_EQ(GETMJ_GANG, me.getmj[0].kind);
    EXPECT_TRUE(IsSameMj(Tile("2p"), me.getmj[0].tiles[0]));
    EXPECT_EQ(4, me.GetMjCount(Tile("1m")));
}

// A press on a ready-made line at the table's top left sends it as it stands, even just after another;
// the buttons under the table enlarge the window, and a line sent shrinks it back.
TEST_F(MainWindowTest, AReadyMadeChatLineGoesOutOnAPress)
{
    CMj &m = OpenAtTitle();
    StandingLink link;
    m.netlink = &link;
    m.NetStart();
    curscreen = SCREEN_NONE; // seated
    CDxGameChatWnd &lines = *m.chatwnd[1];
    auto line = [&](int i) { return lines.pages.GetPage(lines.curpage)->list.lines.at(i); };
    auto at = [](const CChatLine &l) { return Point{(l.rect.left + l.rect.right) / 2, (l.rect.top + l.rect.bottom) / 2}; };
    Click(at(line(1)));
    ASSERT_EQ(1u, link.sent.size());
    EXPECT_EQ(CS_TABLE_CHAT, link.sent[0].Type());
    EXPECT_EQ(line(1).text, link.sent[0].GetText({1, 128}));
    Click(ButtonCentre(BTN_CHATUP));
    EXPECT_EQ(280, lines.bottom);
    Click(at(line(2)));
    ASSERT_EQ(2u, link.sent.size());
    EXPECT_EQ(line(2).text, link.sent[1].GetText({1, 128}));
    EXPECT_EQ(152, lines.bottom);
    m.netgame = 0;
    m.netlink = nullptr;
}

TEST_F(MainWindowTest, ChatGoesOutOnEnterButNotAgainWithinThreeSeconds)
{
    CMj &m = Open();
    m.StopPlay();
    StandingLink link;
    m.netlink = &link;
    m.netgame = 1;
    QTest::keyClick(View(), Qt::Key_Return);
    EXPECT_TRUE(link.sent.empty()) << "nothing to say";
    QTest::keyClicks(View(), "hi");
    QTest::keyClick(View(), Qt::Key_Return);
    ASSERT_EQ(1u, link.sent.size());
    EXPECT_EQ(CS_TABLE_CHAT, link.sent[0].Type());
    EXPECT_EQ("hi", link.sent[0].GetText({1, 128}));
    EXPECT_TRUE(m.chatedit->text.empty());

    QTest::keyClicks(View(), "yo");
    QTest::keyClick(View(), Qt::Key_Return);
    EXPECT_EQ(1u, link.sent.size());
    EXPECT_EQ("yo", m.chatedit->text);
    EXPECT_GT(m.chatwnd[0]->pages.Count(), 0) << "the player is told why";
    clock.Advance(3000);
    QTest::keyClick(View(), Qt::Key_Return);
    EXPECT_EQ(2u, link.sent.size());
    m.netlink = nullptr;
    m.netgame = 0;
}

TEST_F(MainWindowTest, KeysAnInputMethodAndFullScreenClicksReachTheScreenOnTopAsTheGameReadsThem)
{
    Open();
    RecordingScreen &s = ScreenOnTop();
    // A native list in the window would take Tab for itself.
    QListWidget list(View());
    list.addItem("row");
    list.show();
    QApplication::setActiveWindow(View());
    View()->setFocus();
    // Each to the widget that has the focus then, as the keyboard delivers them.
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(View(), QApplication::focusWidget()) << "the list took the keys";
    EXPECT_EQ("\t", s.typed) << "Tab types once, as it is let go";
    EXPECT_EQ(std::vector<int>{9}, s.ups);

    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
    QCoreApplication::sendEvent(View(), &repeated);
    EXPECT_EQ(std::vector<int>{9}, s.ups) << "a held key is not let go";

    QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, "\x01");
    QCoreApplication::sendEvent(View(), &ctrlA);
    QTest::keyClick(View(), Qt::Key_Backspace);
    EXPECT_EQ("\t\b", s.typed);

    // An input method types GBK into the focused box, and stays off without one.
    s.typed.clear();
    EXPECT_FALSE(View()->inputMethodQuery(Qt::ImEnabled).toBool());
    CDxEdit edit("Graphic\\input.bmp");
    s.edit = &edit;
    EXPECT_TRUE(View()->inputMethodQuery(Qt::ImEnabled).toBool());
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf16(u"张三\U0001F600"));
    QCoreApplication::sendEvent(View(), &commit);
    EXPECT_EQ("\xD5\xC5\xC8\xFD", s.typed) << "a character outside GBK is dropped whole";

    // A click in full screen reaches the frame point under it.
    FrameWindow &window = form->Window();
    window.ShowFullScreen();
    QCoreApplication::processEvents();
    ASSERT_TRUE(window.IsFullScreen());
    const double scale = std::min(window.Width() / 800.0, window.Height() / 600.0);
    const int ox = static_cast<int>((window.Width() - 800 * scale) / 2);
    const int oy = static_cast<int>((window.Height() - 600 * scale) / 2);
    QTest::mouseClick(View(), Qt::LeftButton, {}, QPoint(ox + static_cast<int>(400 * scale), oy + static_cast<int>(300 * scale)));
    ASSERT_EQ(1u, s.downs.size());
    // Within the one pixel a scale of no whole number rounds away.
    EXPECT_NEAR(400, s.downs[0].x, 1);
    EXPECT_NEAR(300, s.downs[0].y, 1);
    // The black bars lie outside the frame.
    if (oy > 0) {
        QTest::mouseClick(View(), Qt::LeftButton, {}, QPoint(ox + 10, oy / 2));
        ASSERT_EQ(2u, s.downs.size());
        EXPECT_LT(s.downs[1].y, 0);
    }
}

TEST_F(MainWindowTest, TheWindowHasABorderUnlessTheScreenIsExactlyTheFramesWidth)
{
    const int width = QGuiApplication::primaryScreen()->geometry().width();
    if (width < TMainForm::kMinScreenWidth)
        GTEST_SKIP() << "no window on a screen this narrow";
    Open();
    const FrameWindow &window = form->Window();
    EXPECT_TRUE(window.IsVisible());
    EXPECT_EQ(width != 800, window.HasCaption()) << "screen width " << width;
    EXPECT_EQ(800, window.Width());
    EXPECT_EQ(600, window.Height());
}

// Files dropped on the window, as the toolkit hands them to it at the end of a drag.
void DropOn(QObject *view, const std::vector<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(QList<QUrl>(urls.begin(), urls.end()));
    QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    view->event(&drop);
    QCoreApplication::processEvents();
}

TEST_F(MainWindowTest, OnlyOneSavedGameDroppedIsLoadedFromItsWholePathAsFromTheCommandLine)
{
    Open();
    DropOn(View(), {QUrl::fromLocalFile("/tmp/a.cmj"), QUrl::fromLocalFile("/tmp/b.cmj")});
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("一次只能打开一个游戏档案。", boxes[0].text);
    EXPECT_EQ("错误", boxes[0].title);
    EXPECT_EQ(MessageBox::IconError, boxes[0].icon);
    DropOn(View(), {QUrl::fromLocalFile("/tmp/A.CMJ")});
    DropOn(View(), {QUrl("http://example.org/a.cmj")});
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ("未知的档案类型。", boxes[1].text);
    EXPECT_EQ("未知的档案类型。", boxes[2].text);
    boxes.clear();

    // A saved game is loaded from its whole path, dropped or given on the command line.
    CMj &m = Game();
    ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::LocalTurn));
    // Longer than any 260-character buffer, in a folder with a blank and a Chinese name (UTF-8).
    const std::filesystem::path dir = folder.Path() / "a b" / reinterpret_cast<const char *>(u8"存档");
    std::filesystem::create_directories(dir);
    const std::string path = (dir / (std::string(240, 'x') + ".cmj")).string();
    ASSERT_GT(path.size(), 260u);
    ASSERT_TRUE(m.SaveGame(path));
    const std::string saved = driver->StateLine();
    m.ResetTable();
    ASSERT_NE(saved, driver->StateLine());
    DropOn(View(), {QUrl::fromLocalFile(QString::fromStdString(path))});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(saved, driver->StateLine());

    form.reset();
    Open({path});
    EXPECT_EQ(saved, driver->StateLine());

    // A name alone is the working folder's, where leaving saves it again and touches nothing beside
    // it; a name not found there is refused as a damaged file is.
    struct WorkingFolder {
        std::filesystem::path before = std::filesystem::current_path();
        ~WorkingFolder() { std::filesystem::current_path(before); }
    } restore;
    std::filesystem::current_path(dir);
    const std::filesystem::path notes = dir / "notes.cmj.tmp";
    std::ofstream(notes) << "the player's own";
    form.reset();
    OpenAtTitle({std::filesystem::path(path).filename().string()});
    EXPECT_EQ(curscreen, SCREEN_NONE) << "the table, with no title menu over it";
    EXPECT_EQ(saved, driver->StateLine());
    QTest::keyClick(View(), Qt::Key_Escape);
    Click(ButtonCentre(BTN_BACK));
    EXPECT_EQ(curscreen, SCREEN_SLOTS) << "left, and saved";
    EXPECT_TRUE(std::filesystem::exists(notes));
    form.reset();
    EXPECT_TRUE(boxes.empty());
    Open({"elsewhere.cmj"});
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("this document edition is lower or is damaged.", boxes[0].text);
}

// Notifications and an update offer are shown from the event loop, each notification with its own text.
TEST_F(MainWindowTest, NotificationsAndAnUpdateOfferAreShownFromTheEventLoopOneAfterAnother)
{
    Open();
    boxes.clear();
    MessageBox::SetHandler([this](const MessageBox::Box &box) {
        boxes.push_back(box);
        return MessageBox::ResultNo;
    });
    form->PostShowText("A");
    form->PostShowText("B");
    form->PostUpdateOffer("C", "http://127.0.0.1:9/mj.exe");
    EXPECT_TRUE(boxes.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(1u, boxes.size()) << "each waits for the turn of the event loop after the one before";
    for (int turn = 0; turn < 5; turn++)
        QCoreApplication::processEvents();
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ("A", boxes[0].text);
    EXPECT_EQ("B", boxes[1].text);
    EXPECT_EQ("Lantile", boxes[1].title);
    EXPECT_EQ("Infomation", boxes[2].title);
    EXPECT_EQ("C", boxes[2].text);
    EXPECT_EQ(MessageBox::YesNo, boxes[2].buttons);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "Setup"));
}

// The product's link on the table: drawn at its place in the link colour beside the chat line,
// underlined with the hand pointer while pointed at, opened once by a click, and only while no
// screen or menu is over the table; an address that is no web page is never opened.
TEST_F(MainWindowTest, TheProductLinkIsDrawnUnderlinedWhenPointedAtAndAClickOpensItOnce)
{
    CMj &m = Open();
    std::vector<std::string> opened;
    SetOpenUrlHandler([&](const std::string &url) { opened.push_back(url); });
    CDxLinkLabel &label = m.linklabels[0];
    ASSERT_EQ(1, m.linklabelcount);
    EXPECT_EQ("Lantile on website", label.text);
    EXPECT_EQ(265, label.rect.left);
    EXPECT_EQ(572, label.rect.top);
    const Rect chat{m.chatedit->x, m.chatedit->y, m.chatedit->x + m.chatedit->picture.Width(),
                    m.chatedit->y + m.chatedit->picture.Height()};
    EXPECT_TRUE(Intersect(label.rect, chat).Width() <= 0 || Intersect(label.rect, chat).Height() <= 0)
        << "the chat line stays uncovered";

    auto frame = [&] {
        m.Paint();
        return std::make_unique<Surface>(*lpDDSBack);
    };
    auto inside = [&](const Rect &r) {
        return r.left >= label.rect.left && r.top >= label.rect.top && r.right <= label.rect.right &&
               r.bottom <= label.rect.bottom && r.Width() > 0;
    };
    const auto drawn = frame();
    label.shown = 0;
    const auto bare = frame();
    label.shown = 1;
    EXPECT_TRUE(inside(ChangedRect(*drawn, *bare))) << "the caption, in its rectangle only";
    const Point middle{(label.rect.left + label.rect.right) / 2, (label.rect.top + label.rect.bottom) / 2};
    Move(middle);
    EXPECT_EQ(1, label.hover);
    EXPECT_TRUE(form->Window().HandCursor());
    const auto pointed = frame();
    const Rect underline = ChangedRect(*pointed, *drawn);
    EXPECT_TRUE(inside(underline) && underline.top > middle.y) << "a line under the caption";
    Move({100, 300});
    EXPECT_EQ(0, label.hover);
    EXPECT_FALSE(form->Window().HandCursor());

    Click(middle);
    EXPECT_EQ(std::vector<std::string>{kProductUrl}, opened);
    // Under the game menu the link does not open, and no screen shows it.
    m.ShowGameMenu(true);
    Click(middle);
    EXPECT_FALSE(m.GameMenuShown());
    scoreform->Show();
    const auto underScreen = frame();
    label.shown = 0;
    EXPECT_EQ(0, ChangedRect(*underScreen, *frame()).Width());
    label.shown = 1;
    curscreen = SCREEN_NONE;
    label.link = "file://localhost/etc/passwd";
    Click(middle);
    EXPECT_EQ(1u, opened.size());
    SetOpenUrlHandler(nullptr);
}

} // namespace
