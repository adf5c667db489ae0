// The update offer against a web server inside the test: the question, the progress window, the
// file it leaves and what the user is told.
#include "client/Down.h"
#include "client/FormText.h"
#include "client/UpdateDownload.h"
#include "platform/MessageBox.h"
#include "platform/OpenUrl.h"
#include "platform/Paths.h"
#include "platform/TerminationSignals.h"
#include "table/Addresses.h"
#include "tests/kit/ScriptServer.h"
#include "tests/support/HeapPeak.h"
#include "tests/support/HttpServer.h"
#include "tests/support/ScratchFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QProcess>
#include <QPushButton>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::string Body(size_t size)
{
    std::string b(size, '\0');
    for (size_t i = 0; i < size; ++i)
        b[i] = static_cast<char>(i * 31 + i / 7);
    return b;
}

class UpdateOffer : public testing::Test {
protected:
    void SetUp() override
    {
        MessageBox::SetHandler([this](const MessageBox::Box &box) {
            boxes.push_back(box.title + "|" + box.text);
            return box.buttons == MessageBox::YesNo ? answer : MessageBox::ResultOk;
        });
        SetOpenUrlHandler([this](const std::string &url) { opened.push_back(url); });
    }
    void TearDown() override
    {
        MessageBox::SetHandler(nullptr);
        SetOpenUrlHandler(nullptr);
    }
    // Offers the update from the path.
    void Offer(const std::string &path)
    {
        update = std::make_unique<UpdateDownload>(nullptr, immediate);
        update->WMUpdateOffer("A new version is out. Download it?", server.Url(path));
    }
    bool Downloading() const { return update->DownForm().isVisible(); }
    std::string Setup(const char *name) const { return (folder.Path() / "Setup" / name).string(); }
    std::string Label() const { return FromUi(update->DownForm().Label1->text()); }
    int Bar() const { return update->DownForm().ProgressBar1->value(); }

    ScratchFolder folder;
    BoxPoster immediate; // the boxes shown at once, with no window to queue them
    HttpServer server;
    std::unique_ptr<UpdateDownload> update;
    MessageBox::Result answer = MessageBox::ResultYes;
    std::vector<std::string> boxes;
    std::vector<std::string> opened;
};

TEST_F(UpdateOffer, NoDownloadsNothing)
{
    answer = MessageBox::ResultNo;
    Offer("/mj.exe");
    EXPECT_EQ(boxes, std::vector<std::string>{"Infomation|A new version is out. Download it?"});
    EXPECT_FALSE(Downloading());
    EXPECT_FALSE(fs::exists(folder.Path() / "Setup"));
    // A later offer answered yes is fetched: the first asked for nothing before it.
    answer = MessageBox::ResultYes;
    server.Serve("/later.exe", Body(50));
    Offer("/later.exe");
    ASSERT_TRUE(RunUntil([&] { return !server.Requests().empty(); }, 30000));
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"/later.exe"});
}

TEST_F(UpdateOffer, AWholeDownloadEndsAsTheInstallerWithItsFolderShown)
{
    const std::string body = Body(100 * 1024);
    server.Serve("/mj.exe", body, HttpServer::Mode::Slow);
    server.HoldBodies(true);
    // A link planted at the download's name is replaced, never written through.
    folder.Write("elsewhere", "kept");
    fs::create_directory(folder.Path() / "Setup");
    fs::create_symlink(folder.Path() / "elsewhere", Setup("mj.exe.part"));
    Offer("/mj.exe");
    ASSERT_TRUE(Downloading());
    EXPECT_EQ(Label(), "connecting");
    std::vector<std::string> labels;
    bool refused = false;
    RunUntil([&] {
        if (labels.empty() || labels.back() != Label())
            labels.push_back(Label());
        if (Label() == "开始下载")
            server.HoldBodies(false);
        // The window's own close is refused while the download runs.
        if (!refused && Downloading() && Label() != "connecting") {
            update->DownForm().close();
            refused = Downloading();
        }
        return !Downloading();
    }, 10000);
    EXPECT_TRUE(refused);
    ASSERT_FALSE(Downloading());
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "开始下载"), 1);
    EXPECT_EQ(labels.back(), "已经下载102400字节(共102400字节)");
    EXPECT_EQ(Bar(), 100);
    EXPECT_EQ(folder.Read("Setup/mj.exe"), body);
    EXPECT_FALSE(fs::exists(Setup("mj.exe.part")));
    EXPECT_EQ(folder.Read("elsewhere"), "kept");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "Information|The game has already downloaded completely into " + Setup("mj.exe") + ".");
    EXPECT_EQ(opened, std::vector<std::string>{"file://" + (folder.Path() / "Setup").string()});
}

TEST_F(UpdateOffer, AFileUnderAHundredBytesLeavesTheBarWhereItIs)
{
    server.Serve("/mj.exe", Body(50));
    Offer("/mj.exe");
    RunUntil([&] { return !Downloading(); }, 5000);
    EXPECT_EQ(Bar(), 0);
    EXPECT_EQ(folder.Read("Setup/mj.exe"), Body(50));
}

TEST_F(UpdateOffer, ACancelEndsItSilentlyWithNoFile)
{
    server.Serve("/mj.exe", Body(1 << 20), HttpServer::Mode::Slow);
    Offer("/mj.exe");
    ASSERT_TRUE(RunUntil([&] { return Label() != "connecting"; }, 30000));
    ASSERT_TRUE(Downloading());
    update->WMUpdateOffer("A second offer meanwhile", server.Url("/mj.exe"));
    update->DownForm().Button1->click();
    EXPECT_FALSE(Downloading());
    ASSERT_TRUE(RunUntil([&] { return server.Answered("/mj.exe").has_value(); }, 30000));
    EXPECT_TRUE(server.Answered("/mj.exe")->cut) << "the connection is closed at once";
    EXPECT_FALSE(fs::exists(Setup("mj.exe")) || fs::exists(Setup("mj.exe.part")));
    EXPECT_EQ(boxes.size(), 1u) << "neither the second offer nor a failure is told";
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(UpdateOffer, AFailureShowsOneBoxAndOpensTheWebSiteOnce)
{
    server.Serve("/short.exe", Body(4000), HttpServer::Mode::Short);
    for (const char *path : {"/missing.exe", "/short.exe"}) {
        SCOPED_TRACE(path);
        boxes.clear();
        opened.clear();
        Offer(path);
        RunUntil([&] { return !Downloading(); }, 5000);
        EXPECT_EQ(boxes, (std::vector<std::string>{"Infomation|A new version is out. Download it?",
                                                   "提示信息|自动更新游戏失败，请至游戏官方网站下载"}));
        EXPECT_EQ(opened, std::vector<std::string>{kProductUrl});
        EXPECT_FALSE(fs::exists(Setup("mj.exe")) || fs::exists(Setup("mj.exe.part")));
    }
}

TEST_F(UpdateOffer, ADownloadThatCannotBeginShowsItsOwnBoxAndOpensTheWebSiteOnce)
{
    server.Serve("/mj.exe", Body(50));
    folder.Write("Setup", "a file where the folder should be");
    Offer("/mj.exe");
    EXPECT_FALSE(Downloading());
    EXPECT_EQ(boxes, (std::vector<std::string>{"Infomation|A new version is out. Download it?",
                                               "Information|he  automatic update failed, please download on the website."}));
    EXPECT_EQ(opened, std::vector<std::string>{kProductUrl});
    // Once the folder can be made, the next offer is fetched: the first asked for nothing.
    fs::remove(folder.Path() / "Setup");
    Offer("/mj.exe");
    ASSERT_TRUE(RunUntil([&] { return !Downloading(); }, 30000));
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"/mj.exe"});
}

// An installer larger than any is refused with the failure's box and leaves nothing: by its declared
// length before any of its body, or, sent without one, by closing the connection at the size limit.
// Meanwhile the download holds no more than a small buffer in memory.
TEST_F(UpdateOffer, AnInstallerLargerThanAnyIsRefusedAndLeavesNothing)
{
    server.Serve("/declared.exe", Body(1 << 20), HttpServer::Mode::Declared, 300);
    server.Serve("/endless.exe", Body(1 << 20), HttpServer::Mode::Endless);
    server.SetMark(UpdateDownload::kMaxInstaller);
    HeapPeak heap;
    for (const char *path : {"/declared.exe", "/endless.exe"}) {
        SCOPED_TRACE(path);
        boxes.clear();
        Offer(path);
        ASSERT_TRUE(RunUntil([&] { return !Downloading() && server.Answered(path); }, 120000));
        EXPECT_EQ(boxes, (std::vector<std::string>{"Infomation|A new version is out. Download it?",
                                                   "提示信息|自动更新游戏失败，请至游戏官方网站下载"}));
        EXPECT_FALSE(fs::exists(Setup("mj.exe")) || fs::exists(Setup("mj.exe.part")));
        EXPECT_TRUE(server.Answered(path)->cut);
    }
    EXPECT_EQ(server.Answered("/declared.exe")->sent, 0u);
    EXPECT_GE(server.Answered("/endless.exe")->cutPastMark, 0);
    EXPECT_LT(server.Answered("/endless.exe")->cutPastMark, 1.0);
    EXPECT_LT(heap.Growth(), int64_t{64} << 20);
}

// Run as a child by the test below: the update from LANTILE_UPDATE_URL downloads into the program
// folder LANTILE_UPDATE_FOLDER until a signal ends the event loop, as it ends the program's.
TEST(UpdateUntilASignal, DISABLED_Download)
{
    Paths::SetProgramFolder(std::getenv("LANTILE_UPDATE_FOLDER"));
    TerminationSignals::Install();
    MessageBox::SetHandler([](const MessageBox::Box &) { return MessageBox::ResultYes; });
    BoxPoster immediate;
    UpdateDownload update(nullptr, immediate);
    update.WMUpdateOffer("Download it?", std::getenv("LANTILE_UPDATE_URL"));
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(UpdateOffer, SigtermDuringADownloadEndsTheProgramAtOnceAndLeavesNothing)
{
    server.Serve("/mj.exe", Body(1 << 20), HttpServer::Mode::Endless);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LANTILE_UPDATE_FOLDER", QString::fromStdString(folder.Path().string()));
    env.insert("LANTILE_UPDATE_URL", QString::fromStdString(server.Url("/mj.exe")));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_also_run_disabled_tests", "--gtest_filter=UpdateUntilASignal.DISABLED_Download"});
    std::error_code ec;
    // Well under way, at the speed of the loopback.
    ASSERT_TRUE(RunUntil([&] { return fs::file_size(Setup("mj.exe.part"), ec) > (128 << 20) && !ec; }, 60000))
        << "the download never got under way";
    QElapsedTimer clock;
    clock.start();
    ::kill(static_cast<pid_t>(child.processId()), SIGTERM);
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
    EXPECT_FALSE(fs::exists(Setup("mj.exe")) || fs::exists(Setup("mj.exe.part")));
}

} // namespace
