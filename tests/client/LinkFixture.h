#pragma once
#include "client/Datamodule.h"
#include "platform/TestClock.h"
#include "table/GameMsg.h"
#include "tests/client/RecordedBoxes.h"
#include "tests/kit/ScriptServer.h"

#include <QTcpServer>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// Takes the records the data module hands on, in place of the game object.
struct RecordingSink : RecordSink {
    void OnGameMsg(const GameMsg &msg) override
    {
        records.push_back(msg);
        outsideruns += !inrun;
        if (onRecord)
            onRecord(msg);
    }
    void OnDisconnect() override { disconnects++; }
    void BeginRecords() override
    {
        runs++;
        inrun = true;
    }
    void EndRecords() override { inrun = false; }
    bool Holding() const override { return holding; }

    std::vector<GameMsg> records;
    bool holding = false; // as a game whose animation plays
    int disconnects = 0;
    int runs = 0;
    bool inrun = false;
    int outsideruns = 0; // records handed on outside a run
    std::function<void(const GameMsg &)> onRecord;
};

// Everything the connection tells the rest of the program, one line each.
struct RecordingHooks : DataModuleHooks {
    void ClearTables() override { Note("ClearTables"); }
    void ShowStatus(const std::string &text) override { Note("Status " + text); }
    void HideStatus() override { Note("HideStatus"); }
    void ReleaseLoginScreen() override { Note("ReleaseLogin"); }
    void ShowServerChoice() override { Note("ServerChoice"); }
    void PostLinkNotice(const std::string &text, const std::string &caption, const std::string &url) override
    {
        Note("LinkNotice " + text + "|" + caption + "|" + url);
    }
    void ShowHintText(const std::string &text) override { Note("Hint " + text); }
    void CloseHint() override { Note("CloseHint"); }
    void Repaint() override { Note("Repaint"); }
    void CloseMainWindow(int exitcode) override { Note("CloseMain " + std::to_string(exitcode)); }
    // Noted, then shown at once, as with no window to queue it.
    void PostBox(const std::string &text, const std::string &title, MessageBox::Icon icon,
                 std::function<void()> then) override
    {
        Note("Box " + text);
        DataModuleHooks::PostBox(text, title, icon, std::move(then));
    }
    void Note(const std::string &line) { calls.push_back(line); }

    std::vector<std::string> calls;
};

// A script of tests/client/sessions.
inline std::string SessionText(const std::string &name)
{
    std::ifstream in(std::string(LANTILE_SESSIONS) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A data module on the test clock, whose records, hooks and message boxes are recorded.
class LinkFixture : public testing::Test {
protected:
    void SetUp() override { TimerService::Install(&clock); }
    void TearDown() override
    {
        link.reset();
        TimerService::Install(nullptr);
    }
    TDataModule1 &Make(std::unique_ptr<NetSocket> socket = nullptr)
    {
        link.reset(); // first: its timers' handlers go with it
        link = std::make_unique<TDataModule1>(std::move(socket));
        link->SetGame(&sink);
        link->SetHooks(&hooks);
        return *link;
    }
    static GameLinkTarget Target(uint16_t port, const std::string &account = "alice", const std::string &password = "pw")
    {
        GameLinkTarget t;
        t.host = "127.0.0.1";
        t.port = port;
        t.account = account;
        t.password = password;
        return t;
    }
    bool Has(const std::string &call) const
    {
        return std::find(hooks.calls.begin(), hooks.calls.end(), call) != hooks.calls.end();
    }
    // Queues the scripts on the scripted server, one per connection, and lets it listen.
    void Serve(const std::vector<std::string> &scripts)
    {
        for (const std::string &s : scripts) {
            std::string error;
            ASSERT_TRUE(server.Load(s, &error)) << error;
        }
        ASSERT_TRUE(server.Listen());
    }
    void ExpectServerDone()
    {
        EXPECT_TRUE(RunUntil([&] { return server.Done() || server.Failed(); }, 5000));
        EXPECT_TRUE(server.Done()) << server.Failure();
    }
    bool RecordsReach(size_t n) { return RunUntil([&] { return sink.records.size() >= n; }, 5000); }
    // A loopback port nothing listens on.
    static uint16_t ClosedPort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        return probe.serverPort();
    }

    ScriptServer server;
    TestClock clock;
    RecordingSink sink;
    RecordingHooks hooks;
    RecordedBoxes boxes;
    std::unique_ptr<TDataModule1> link;
};
