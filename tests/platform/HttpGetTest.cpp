// Downloads against a web server inside the test, and the digest of files. What goes wrong on the way
// is tested where it matters: the pictures' thread and the update.
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

    // A file that cannot be made starts nothing.
    EXPECT_FALSE(n.http.Start(server.Url("/whole"), File("no/such/folder"), &why));
    EXPECT_NE(why.find("no/such/folder"), std::string::npos) << why;
    EXPECT_FALSE(n.http.Busy());
}

} // namespace
