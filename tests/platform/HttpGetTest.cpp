// Downloads against a web server inside the test, honest and misbehaving, and the digest of files.
#include "platform/FileMd5.h"
#include "platform/HttpGet.h"
#include "tests/support/HttpServer.h"
#include "tests/support/ScratchFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// 200 000 bytes that span several pieces of the digest, with a digest worked out apart from the program.
std::string Pattern()
{
    std::string b(200000, '\0');
    for (size_t i = 0; i < b.size(); ++i)
        b[i] = static_cast<char>((i * 7 + i / 251) % 256);
    return b;
}
constexpr const char *kPatternMd5 = "78BCC89C082C48F2F68843BECA96B86B";

TEST(FileMd5Hex, UpperCaseDigestsOfWholeFilesAndNoneForWhatCannotBeRead)
{
    ScratchFolder folder;
    folder.Write("empty", "");
    folder.Write("abc", "abc");
    folder.Write("big", Pattern());
    const std::string at = folder.Path().string() + "/";
    EXPECT_EQ(FileMd5Hex(at + "empty"), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(FileMd5Hex(at + "abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(FileMd5Hex(at + "big"), kPatternMd5);
    EXPECT_EQ(FileMd5Hex(at + "missing"), "");
    EXPECT_EQ(FileMd5Hex(folder.Path().string()), "");
    const uint8_t bytes[] = {0x00, 0x0F, 0xA5, 0xFF};
    EXPECT_EQ(BytesToHex(bytes, 4), "000FA5FF");
}

// One asynchronous download on this thread, run to its end.
struct Download {
    HttpGet http;
    bool ended = false;
    HttpGet::Result result = HttpGet::Result::Failed;
    std::string why;
    int connects = 0;
    std::vector<std::pair<int64_t, int64_t>> progress;

    Download()
    {
        http.onConnect = [this] { connects++; };
        http.onProgress = [this](int64_t r, int64_t t) { progress.emplace_back(r, t); };
        http.onFinished = [this](HttpGet::Result r, const std::string &w) {
            ended = true;
            result = r;
            why = w;
        };
    }
    bool Wait(int ms = 5000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!ended && clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        return ended;
    }
};

class HttpGetTest : public testing::Test {
protected:
    HttpServer server;
    ScratchFolder folder;
    std::string File(const char *name) const { return (folder.Path() / name).string(); }
};

TEST_F(HttpGetTest, AWholeBodyLandsInItsFileWithItsProgress)
{
    server.Serve("/whole", Pattern());
    server.Serve("/nolength", "a body that only its end delimits", HttpServer::Mode::NoLength);
    Download d;
    ASSERT_TRUE(d.http.Start(server.Url("/whole"), File("whole")));
    EXPECT_TRUE(d.http.Busy());
    std::string why;
    EXPECT_FALSE(d.http.Start(server.Url("/whole"), File("second"), &why)) << "one download at a time";
    EXPECT_FALSE(why.empty());
    ASSERT_TRUE(d.Wait());
    EXPECT_EQ(d.result, HttpGet::Result::Ok) << d.why;
    EXPECT_EQ(FileMd5Hex(File("whole")), kPatternMd5);
    EXPECT_EQ(d.connects, 1);
    ASSERT_FALSE(d.progress.empty());
    EXPECT_EQ(d.progress.back(), (std::pair<int64_t, int64_t>(200000, 200000)));
    EXPECT_FALSE(fs::exists(File("second")));

    // Without a declared length the end of the connection ends the body: nothing tells a cut one.
    Download n;
    ASSERT_TRUE(n.http.Start(server.Url("/nolength"), File("nolength")));
    ASSERT_TRUE(n.Wait());
    EXPECT_EQ(n.result, HttpGet::Result::Ok) << n.why;
    EXPECT_EQ(folder.Read("nolength"), "a body that only its end delimits");
}

TEST_F(HttpGetTest, WhatDoesNotArriveWholeLeavesNoFile)
{
    server.Serve("/short", Pattern(), HttpServer::Mode::Short);
    server.Serve("/hang", Pattern(), HttpServer::Mode::Hang);
    folder.Write("404", "an older file");
    for (const char *path : {"/404", "/short", "/hang"}) {
        Download d;
        d.http.SetTransferTimeout(300);
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(d.http.Start(server.Url(path), File(path + 1)));
        ASSERT_TRUE(d.Wait()) << path;
        EXPECT_EQ(d.result, HttpGet::Result::Failed) << path;
        EXPECT_FALSE(d.why.empty()) << path;
        EXPECT_FALSE(fs::exists(File(path + 1))) << path;
        EXPECT_LT(clock.elapsed(), 3000) << path;
    }

    // A file that cannot be made starts nothing.
    Download d;
    std::string why;
    EXPECT_FALSE(d.http.Start(server.Url("/short"), File("no/such/folder"), &why));
    EXPECT_NE(why.find("no/such/folder"), std::string::npos) << why;
    EXPECT_FALSE(d.http.Busy());
}

TEST_F(HttpGetTest, AnAbortEndsTheDownloadAtOnceAndTakesItsFileAway)
{
    server.Serve("/slow", Pattern(), HttpServer::Mode::Slow);
    Download d;
    ASSERT_TRUE(d.http.Start(server.Url("/slow"), File("slow")));
    QElapsedTimer clock;
    clock.start();
    while (d.progress.empty() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    ASSERT_FALSE(d.progress.empty());
    d.http.Abort();
    ASSERT_TRUE(d.Wait(1000));
    EXPECT_EQ(d.result, HttpGet::Result::Aborted);
    EXPECT_FALSE(fs::exists(File("slow")));

    // The blocking form: the stop question aborts within its 10-ms poll.
    HttpGet http;
    clock.restart();
    const auto result = http.Fetch(server.Url("/slow"), File("fetched"), [&] { return clock.elapsed() > 100; });
    EXPECT_EQ(result, HttpGet::Result::Aborted);
    EXPECT_LT(clock.elapsed(), 400);
    EXPECT_FALSE(fs::exists(File("fetched")));

    // A download still running when its owner goes is aborted and its file taken away.
    {
        HttpGet dying;
        ASSERT_TRUE(dying.Start(server.Url("/slow"), File("dying")));
        dying.onFinished = [](HttpGet::Result, const std::string &) { ADD_FAILURE() << "no word after its end"; };
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_FALSE(fs::exists(File("dying")));
}

} // namespace
