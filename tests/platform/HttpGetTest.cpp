// The digest of files, and what a download refuses to start. The download itself is tested where it
// matters: the pictures' thread and the update.
#include "platform/FileMd5.h"
#include "platform/HttpGet.h"
#include "tests/support/HttpServer.h"
#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(FileMd5Hex, UpperCaseDigestsOfWholeFilesAndNoneForWhatCannotBeRead)
{
    // 200 000 bytes span several pieces of the digest, worked out apart from the program.
    std::string big(200000, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>((i * 7 + i / 251) % 256);
    ScratchFolder folder;
    const std::string at = folder.Path().string() + "/";
    const std::pair<const char *, std::string> files[] = {
        {"D41D8CD98F00B204E9800998ECF8427E", ""},
        {"900150983CD24FB0D6963F7D28E17F72", "abc"},
        {"78BCC89C082C48F2F68843BECA96B86B", big},
    };
    for (const auto &[md5, bytes] : files) {
        folder.Write(md5, bytes);
        EXPECT_EQ(FileMd5Hex(at + md5), md5);
    }
    EXPECT_EQ(FileMd5Hex(at + "missing"), "");
    EXPECT_EQ(FileMd5Hex(folder.Path().string()), "");
    const uint8_t bytes[] = {0x00, 0x0F, 0xA5, 0xFF};
    EXPECT_EQ(BytesToHex(bytes, 4), "000FA5FF");
}

TEST(HttpGet, OneDownloadAtATimeAndNoneIntoAFileThatCannotBeMade)
{
    HttpServer server;
    ScratchFolder folder;
    server.Serve("/whole", "a body", HttpServer::Mode::Hang);
    HttpGet http;
    std::string why;
    EXPECT_FALSE(http.Start(server.Url("/whole"), (folder.Path() / "no/such/folder").string(), &why));
    EXPECT_NE(why.find("no/such/folder"), std::string::npos) << why;
    EXPECT_FALSE(http.Busy());
    ASSERT_TRUE(http.Start(server.Url("/whole"), (folder.Path() / "whole").string()));
    EXPECT_TRUE(http.Busy());
    why.clear();
    EXPECT_FALSE(http.Start(server.Url("/whole"), (folder.Path() / "second").string(), &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "second"));
}

} // namespace
