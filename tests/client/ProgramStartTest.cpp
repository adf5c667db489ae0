// The program's start: one instance per user, the screen it needs, the NetWork start and the title
// menu's way online, the banner.
#include "client/Hint.h"
#include "client/LantileMain.h"
#include "platform/SingleInstance.h"
#include "screen/Device.h"
#include "table/ClientRecords.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/ScriptServer.h"
#include "windows/CLoginForm.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <csignal>
#include <filesystem>
#include <unistd.h>

namespace {

// Run as a child by the test below: holds the lock named in LANTILE_HOLD_LOCK until killed.
TEST(LockHolder, DISABLED_HoldTheLock)
{
    SingleInstance lock(std::getenv("LANTILE_HOLD_LOCK"));
    ASSERT_EQ(lock.Acquire(), SingleInstance::Result::Taken);
    std::puts("held");
    std::fflush(stdout);
    for (;;)
        pause();
}

class ProgramStart : public testing::Test {
protected:
    ScratchFolder folder;
    std::string lock = (folder.Path() / "lantile.lock").string();
    RecordedBoxes boxes;
};

TEST_F(ProgramStart, ASecondStartSaysSoAndLoadsNothingUntilTheFirstIsGone)
{
    QProcess holder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LANTILE_HOLD_LOCK", QString::fromStdString(lock));
    holder.setProcessEnvironment(env);
    holder.start(QCoreApplication::applicationFilePath(),
                 {"--gtest_also_run_disabled_tests", "--gtest_filter=LockHolder.DISABLED_HoldTheLock"});
    while (!holder.readAllStandardOutput().contains("held"))
        ASSERT_TRUE(holder.waitForReadyRead(60000)) << "the holder never took the lock";

    // Registration ends the program before it looks at the lock.
    EXPECT_EQ(0, LantileMain({"/UNREGSERVER"}, lock));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(0, LantileMain({"saved.cmj"}, lock));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Lantile is running.", boxes[0].text);
    EXPECT_EQ("Infomation", boxes[0].title);
    EXPECT_EQ(MessageBox::IconInformation, boxes[0].icon);
    EXPECT_EQ(nullptr, hMainWnd) << "no window, no game, nothing loaded";

    // A program killed keeps no hold on the lock.
    holder.kill();
    holder.waitForFinished();
    SingleInstance next(lock);
    EXPECT_EQ(next.Acquire(), SingleInstance::Result::Taken);
}

// Something planted where the lock goes ends the start with a box that names it, never a hang.
TEST_F(ProgramStart, ALockPathThatIsNoFileIsNamedAndTheStartFails)
{
    std::filesystem::create_symlink("/dev/zero", lock);
    EXPECT_EQ(1, LantileMain({}, lock));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].text.find(lock)) << boxes[0].text;
    EXPECT_EQ(nullptr, hMainWnd);
}

TEST_F(ProgramStart, AScreenNarrowerThanTheGameIsToldAndTheStartFails)
{
    if (QGuiApplication::primaryScreen()->geometry().width() >= TMainForm::kMinScreenWidth)
        GTEST_SKIP() << "the screen is wide enough";
    EXPECT_EQ(1, LantileMain({}, lock));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(MessageBox::IconError, boxes[0].icon);
    EXPECT_EQ(nullptr, hMainWnd);
}

// A NetWork start connects with the account and password it was given, showing only its hint.
class NetWorkStart : public MainWindowTest {};

TEST_F(NetWorkStart, ShowsOnlyTheHintLogsInAndSaysGoodbyeOnClosingDuringAGame)
{
    ScriptServer server;
    ASSERT_TRUE(server.Load("expect 100 1:\"alice\" 21..40:* 51..63:* 101=120 103=20\nexpect 105\n"));
    ASSERT_TRUE(server.Listen());
    // The game server's port comes from the server list.
    std::filesystem::remove(folder.Path() / "Dirconfig.ini");
    folder.Write("Dirconfig.ini", "[DIRSERVER0]\r\nport=" + std::to_string(server.Port()) + "\r\n");
    // The password fills the box but for one byte, where half a character would go.
    const std::string password = std::string(98, 'p') + reinterpret_cast<const char *>(u8"中");
    CMj &m = OpenAtTitle({"NetWork", "alice", password, "127.0.0.1"});
    EXPECT_EQ(std::string(98, 'p'), loginform->passwordedit->text);
    EXPECT_FALSE(form->Window().IsVisible());
    ASSERT_NE(nullptr, form->Hint());
    EXPECT_TRUE(form->Hint()->isVisible());
    EXPECT_FALSE(form->Hint()->Button1->isVisible());
    ASSERT_TRUE(RunUntil([&] { return !server.Received().empty() || server.Failed(); }, 10000));
    EXPECT_FALSE(server.Failed()) << server.Failure();
    EXPECT_EQ(0, m.gamestatus) << "no local game behind the hint";

    m.netgame = 1; // as the online table would have it
    View()->close();
    ASSERT_TRUE(RunUntil([&] { return server.Done() || server.Failed(); }, 10000));
    EXPECT_TRUE(server.Done()) << server.Failure();
    EXPECT_EQ(2u, server.Received().size());
    m.netgame = 0;
}

// The window shows what the game composes, at the screen's depth, once the banner has faded in.
TEST_F(MainWindowTest, TheWindowShowsTheGamesFramesAfterTheBanner)
{
    Open();
    EXPECT_GE(clock.Slept(), 40u * 50u) << "the banner's forty steps";
    QCoreApplication::processEvents();
    std::unique_ptr<Surface> shown = form->Window().Shown();
    ASSERT_EQ(800, shown->Width());
    int differ = 0;
    for (int y = 0; y < 600; y += 7)
        for (int x = 0; x < 800; x += 7)
            differ += shown->Pixel(x, y) != lpDDSBack->Pixel(x, y);
    EXPECT_EQ(0, differ) << "depth " << QGuiApplication::primaryScreen()->depth();
}

} // namespace
