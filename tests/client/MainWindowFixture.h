#pragma once
#include "client/Main.h"
#include "platform/QuitRequest.h"
#include "platform/Random.h"
#include "platform/TestClock.h"
#include "table/CMj.h"
#include "tests/client/RecordedBoxes.h"
#include "tests/kit/StandingLink.h"
#include "tests/kit/TableDriver.h"
#include "tests/support/ScratchFolder.h"
#include "windows/CBitForm.h"
#include "windows/CDxEdit.h"
#include "windows/CNetRoom.h"
#include "windows/Screens.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// A screen on top that keeps what reaches it.
class RecordingScreen : public CBitForm {
public:
    RecordingScreen() : CBitForm("Graphic\\hint.bmp", nullptr) {}
    void Show() override {}
    int MouseDown(int x, int y) override
    {
        downs.push_back({x, y});
        return -1;
    }
    int MouseMove(int, int) override { return -1; }
    int MouseUp(int, int) override { return -1; }
    void RightMouseDown(int x, int y) override { rights.push_back({x, y}); }
    void KeyPress(uint8_t ch) override { typed += static_cast<char>(ch); }
    void KeyUp(int key) override { ups.push_back(key); }
    CDxEdit *FocusedEdit() override { return edit; }

    CDxEdit *edit = nullptr;
    std::vector<Point> downs;
    std::vector<Point> rights;
    std::string typed;
    std::vector<int> ups;
};

// The main window in this process: a scratch program folder holding the generated data, the game
// on the test clock with a fixed random sequence, message boxes recorded. Input goes to the window
// as the toolkit delivers it.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        TableDriver::LinkGeneratedData(folder.Path(), std::getenv("LANTILE_DATA"));
        QuitRequest::SetHandler([](const std::string &) { ADD_FAILURE() << "the game asked to quit: a picture is missing"; });
        TimerService::Install(&clock);
        Random::Pin(1234);
    }
    void TearDown() override
    {
        driver.reset();
        form.reset();
        netroom = nullptr;
        screen.reset();
        curscreen = SCREEN_NONE;
        TimerService::Install(nullptr);
        Random::Unpin();
        QuitRequest::SetHandler(nullptr);
    }

    // The window, shown and past its first look: the banner has run and the title menu is up.
    CMj &OpenAtTitle(const std::vector<std::string> &args = {})
    {
        form = std::make_unique<TMainForm>(args);
        driver = std::make_unique<TableDriver>(form->Game(), clock);
        for (int i = 0; i < 100 && curscreen != SCREEN_MENU; ++i)
            QCoreApplication::processEvents();
        return form->Game();
    }
    // The same with a local game begun, as the title menu, the slots and the name screen begin it
    // (unless the command line loaded one).
    CMj &Open(const std::vector<std::string> &args = {})
    {
        CMj &m = OpenAtTitle(args);
        curscreen = SCREEN_NONE;
        if (m.gamestatus == 0)
            m.NewLocalGame();
        return m;
    }
    CMj &Game() { return form->Game(); }
    QWidget *View() { return form->Window().Widget(); }

    // A screen on top that records its input, as the lobby.
    RecordingScreen &ScreenOnTop()
    {
        screen = std::make_unique<RecordingScreen>();
        netroom = screen.get();
        curscreen = SCREEN_LOBBY;
        return *screen;
    }

    void Move(Point p) { QTest::mouseMove(View(), QPoint(p.x, p.y)); }
    void Click(Point p, Qt::MouseButton button = Qt::LeftButton)
    {
        Move(p);
        QTest::mouseClick(View(), button, {}, QPoint(p.x, p.y));
    }
    static Point Middle(const CBitButton &b) { return {b.x + b.GetWidth() / 2, b.y + b.GetHeight() / 2}; }
    // A click at the middle of a screen's button.
    void Press(const CBitForm &screen, int button) { Click(Middle(*screen.buttons.Get(button))); }
    Point ButtonCentre(int index) { return Middle(*Game().tablebuttons.Get(index)); }
    Point TileCentre(int index) { return Game().draw.HandTileCentre(Game().player[0], index); }

    ScratchFolder folder;
    TestClock clock;
    RecordedBoxes boxes;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TableDriver> driver;
    std::unique_ptr<RecordingScreen> screen;
};

// The window online in a room, as a login and the room's records leave it: the own account "me" on a
// standing connection, and tables 3 and 5 (indexes 2 and 4) each with one player waiting. Each test
// lists the room's users itself.
class OnlineWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        CMj &m = OpenAtTitle();
        m.netlink = &link;
        m.netgame = 1;
        m.myaccount = "me";
        TableInfo waiting{};
        waiting.state[0] = 1;
        m.lobby->SetTable(2, waiting);
        m.lobby->SetTable(4, waiting);
    }
    void TearDown() override
    {
        Game().netlink = nullptr;
        Game().netgame = 0;
        MainWindowTest::TearDown();
    }

    StandingLink link;
};
