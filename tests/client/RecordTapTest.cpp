// A session relayed through the tap is written down as a script that replays it.
#include "tests/client/LinkFixture.h"
#include "tests/kit/RecordTap.h"

#include <cstring>

namespace {

class Tap : public LinkFixture {};

TEST_F(Tap, ARecordedSessionReplaysAgainstTheSameClient)
{
    ScriptServer original;
    ASSERT_TRUE(original.Load(SessionText("login.session") + "close\n"));
    ASSERT_TRUE(original.Listen());
    RecordTap tap;
    tap.SetServer("127.0.0.1", original.Port());
    std::vector<std::string> dump;
    tap.SetDump([&](const std::string &line) { dump.push_back(line); });
    ASSERT_TRUE(tap.Listen());

    Make().OpenGameLink(Target(tap.Port(), "abcdefghijklmnopqrst", "secret"));
    ASSERT_TRUE(RunUntil([&] { return tap.Ended(); }, 5000));
    EXPECT_TRUE(original.Done()) << original.Failure();
    ASSERT_EQ(dump.size(), 2u);
    EXPECT_EQ(dump[0].substr(0, 18), "C>S LOGIN 100 1=[9");
    EXPECT_EQ(dump[1].substr(0, 25), "S>C LOGIN_SUCCESS 102 3=1");

    ScriptServer replay;
    std::string error;
    ASSERT_TRUE(replay.Load(tap.Script(), &error)) << error << "\n" << tap.Script();
    ASSERT_TRUE(replay.Listen());
    ASSERT_TRUE(RunUntil([&] { return sink.disconnects == 1; }, 2000));
    link->OpenGameLink(Target(replay.Port(), "abcdefghijklmnopqrst", "secret"));
    ASSERT_TRUE(RunUntil([&] { return replay.Done() || replay.Failed(); }, 5000));
    EXPECT_TRUE(replay.Done()) << replay.Failure() << "\n" << tap.Script();
    ASSERT_TRUE(RunUntil([&] { return sink.records.size() == 2; }, 2000));
    EXPECT_EQ(std::memcmp(sink.records[0].Data(), sink.records[1].Data(), GameMsg::kSize), 0);
}

} // namespace
