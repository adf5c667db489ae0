// The update offer after a login: the update file that "Network.cfg" names, read from a web server
// inside the test, and what the player is offered for it.
#include "client/UpdateCheck.h"
#include "client/Version.h"
#include "platform/OpenUrl.h"
#include "tests/client/MainWindowFixture.h"
#include "tests/kit/ScriptServer.h"
#include "tests/support/HttpServer.h"

#include <QElapsedTimer>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(UpdateFile, ThreeLinesGiveTheVersionTheInstallerAndAShortQuestion)
{
    const std::string question = "发现新版本" + std::string(116, '!') + "下载吗";
    const auto info = UpdateInfo::Parse("1.3\r\nhttp://127.0.0.1/setup/mj.exe \r\n" + question + "\r\nmore\r\n");
    ASSERT_TRUE(info);
    EXPECT_EQ("1.3", info->version);
    EXPECT_EQ("http://127.0.0.1/setup/mj.exe", info->installer);
    EXPECT_EQ("发现新版本" + std::string(116, '!'), info->text) << "126 bytes: the 127th would split a character";
    EXPECT_TRUE(UpdateInfo::Parse("2\nhttps://h/x\nyes"));

    const char *refused[] = {"", "1.3\nhttp://h/x\n", "1.3\nhttp://h/x\n\n", "v1.3\nhttp://h/x\nq",
                             "1..3\nhttp://h/x\nq", "1.3\nfile:///tmp/mj.exe\nq", "1.3\nmj.exe\nq",
                             "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"};
    for (const char *bytes : refused)
        EXPECT_FALSE(UpdateInfo::Parse(bytes)) << bytes;
    EXPECT_FALSE(UpdateInfo::Parse("1.3\nhttp://h/x\n" + std::string(UpdateInfo::kMaxFile, 'a')));

    EXPECT_TRUE(VersionAbove("1.3", "1.2") && VersionAbove("1.10", "1.9") && VersionAbove("1.2.1", "1.2"));
    EXPECT_FALSE(VersionAbove("1.2", "1.2") || VersionAbove("1.2.0", "1.2") || VersionAbove("1.1.9", "1.2"));
    EXPECT_FALSE(VersionAbove("9999999999", "1.2")) << "too long to be a version";
}

// The main window logged in through the game server's answer, with the web server's files.
class UpdateOnLogin : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        OpenAtTitle();
        Game().netlink = &link;
        SetOpenUrlHandler([this](const std::string &url) { opened.push_back(url); });
        server.Serve("/mj.exe", std::string(3000, 'x'));
    }
    void TearDown() override
    {
        SetOpenUrlHandler(nullptr);
        Game().netlink = nullptr;
        MainWindowTest::TearDown();
    }
    void NameUpdateFile(const std::string &path)
    {
        folder.Write("Network.cfg", "[loginserver]\r\nregip=127.0.0.1\r\nupdate=" + server.Url(path) + "\r\n");
    }
    void Serve(const std::string &version)
    {
        server.Serve("/update.txt", version + "\r\n" + server.Url("/mj.exe") + "\r\n有新版本，现在下载吗？\r\n");
    }
    // Logs in until the update file at path is asked for once more. A login while a fetch runs
    // starts none, so by then the fetch before has ended, and what it offered is offered.
    void LogIn(const std::string &path)
    {
        const size_t asked = Asked(path);
        QElapsedTimer since;
        ASSERT_TRUE(RunUntil([&] {
            if (!since.isValid() || since.elapsed() > 100) {
                Game().OnGameMsg(GameMsg(SC_LOGIN_SUCCESS));
                since.start();
            }
            return Asked(path) > asked;
        }, 30000)) << path;
    }
    size_t Asked(const std::string &path) const
    {
        const auto requests = server.Requests();
        return std::count(requests.begin(), requests.end(), path);
    }

    StandingLink link;
    HttpServer server;
    std::vector<std::string> opened;
};

TEST_F(UpdateOnLogin, ANewerVersionIsOfferedOnceAndYesDownloadsTheInstaller)
{
    NameUpdateFile("/update.txt");
    Serve("1.3");
    ASSERT_NO_FATAL_FAILURE(LogIn("/update.txt"));
    ASSERT_TRUE(RunUntil([&] { return boxes.size() >= 2; }, 60000));
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("有新版本，现在下载吗？", boxes[0].text);
    EXPECT_EQ("Infomation", boxes[0].title);
    EXPECT_EQ(MessageBox::YesNo, boxes[0].buttons);
    EXPECT_EQ(std::string(3000, 'x'), folder.Read("Setup/mj.exe"));
    EXPECT_NE(std::string::npos, boxes[1].text.find("Setup"));
    EXPECT_EQ(std::vector<std::string>{"file://" + (folder.Path() / "Setup").string()}, opened)
        << "its folder is shown; the installer itself is never run";

    // Later logins of the same run neither fetch nor offer again.
    Serve("1.4");
    const size_t sent = link.sent.size();
    Game().OnGameMsg(GameMsg(SC_LOGIN_SUCCESS));
    ASSERT_GT(link.sent.size(), sent) << "the login was taken";
    QCoreApplication::processEvents();
    EXPECT_EQ(1u, Asked("/update.txt"));
    EXPECT_EQ(2u, boxes.size());
}

TEST_F(UpdateOnLogin, NoOfferForTheSameOrAnOlderVersionAMissingOrBrokenFileOrNoAddress)
{
    // The generated data folder names no update file: nothing is asked for before the first named.
    const size_t sent = link.sent.size();
    Game().OnGameMsg(GameMsg(SC_LOGIN_SUCCESS));
    ASSERT_GT(link.sent.size(), sent) << "the login was taken";
    const struct {
        const char *path;
        std::string body; // empty: not served
    } cases[] = {
        {"/same.txt", "1.2\r\nhttp://127.0.0.1/mj.exe\r\nSame?\r\n"},
        {"/older.txt", "1.1.9\nhttp://127.0.0.1/mj.exe\nOlder?\n"},
        {"/missing.txt", ""},
        {"/garbage.txt", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
    };
    ASSERT_EQ(std::string("1.2"), kLantileVersion);
    for (const auto &c : cases) {
        if (!c.body.empty())
            server.Serve(c.path, c.body);
        NameUpdateFile(c.path);
        ASSERT_NO_FATAL_FAILURE(LogIn(c.path));
        ASSERT_NO_FATAL_FAILURE(LogIn(c.path)); // the first fetch has ended
        EXPECT_TRUE(boxes.empty()) << c.path;
    }
    EXPECT_EQ("/same.txt", server.Requests().front());
    EXPECT_FALSE(fs::exists(folder.Path() / "Setup"));
    EXPECT_TRUE(opened.empty());
}

} // namespace
