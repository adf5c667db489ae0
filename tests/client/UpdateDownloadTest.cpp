// The update offer against a web server inside the test: the question, the progress window, the
// file it leaves and what the user is told.
#include "client/Down.h"
#include "client/FormText.h"
#include "client/UpdateDownload.h"
#include "platform/MessageBox.h"
#include "platform/OpenUrl.h"
#include "table/Addresses.h"
#include "tests/kit/ScriptServer.h"
#include "tests/support/HttpServer.h"
#include "tests/support/ScratchFolder.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
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
    RunUntil([] { return false; }, 50);
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateOffer, AWholeDownloadEndsAsTheInstallerWithItsFolderShown)
{
    const std::string body = Body(100 * 1024);
    server.Serve("/mj.exe", body, HttpServer::Mode::Slow);
    server.HoldBodies(true);
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
    RunUntil([] { return false; }, 300);
    ASSERT_TRUE(Downloading());
    update->WMUpdateOffer("A second offer meanwhile", server.Url("/mj.exe"));
    update->DownForm().Button1->click();
    RunUntil([] { return false; }, 100);
    EXPECT_FALSE(Downloading());
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
    RunUntil([] { return false; }, 50);
    EXPECT_TRUE(server.Requests().empty());
}

} // namespace
