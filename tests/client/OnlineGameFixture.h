#pragma once
#include "platform/QuitRequest.h"
#include "table/CMj.h"
#include "tests/client/LinkFixture.h"
#include "tests/kit/AuditedSink.h"
#include "tests/kit/HeldRecords.h"
#include "tests/support/ScratchFolder.h"
#include "windows/CDxChatWnd.h"
#include "windows/Screens.h"

#include <memory>
#include <string>
#include <vector>

// A game object online through the data module to the scripted server, on the test clock, with
// the table's bounds audited after every record it takes.
class OnlineGame : public LinkFixture {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        // The table is audited, not drawn: the scratch program folder holds no pictures.
        QuitRequest::SetHandler([](const std::string &) {});
        mj = std::make_unique<CMj>();
        Make();
        audited.game = mj.get();
        link->SetGame(&audited);
        mj->netlink = link.get();
    }
    void TearDown() override
    {
        EXPECT_EQ(audited.broken, "");
        curscreen = SCREEN_NONE;
        link->SetGame(nullptr);
        mj.reset();
        QuitRequest::SetHandler(nullptr);
        LinkFixture::TearDown();
    }
    // Serves the session of tests/client/sessions and logs in to it.
    void Play(const std::string &session) { PlayScript(SessionText(session)); }
    void PlayScript(const std::string &script)
    {
        Serve(script);
        link->OpenGameLink(Target(server.Port()));
    }
    void Serve(const std::string &script) { LinkFixture::Serve({script}); }
    // The records' animations play on the test clock meanwhile.
    bool Until(const std::function<bool()> &holds)
    {
        return RunUntil([&] { return PlayHeldRecords(*mj, clock) && holds(); }, 5000);
    }
    // The records of a type the client has sent so far.
    int Sent(uint8_t type) const
    {
        int n = 0;
        for (const auto &record : server.Received())
            n += record[0] == type;
        return n;
    }
    // Every line of the table's chat window, in order.
    std::vector<std::string> ChatLines() const
    {
        std::vector<std::string> lines;
        const CChatPageList &pages = mj->chatwnd[0]->pages;
        for (int i = 0; i < pages.Count(); i++)
            for (const CChatLine &line : pages.GetPage(i)->list.lines)
                lines.push_back(line.text);
        return lines;
    }

    ScratchFolder folder;
    int &answer = boxes.answer; // what the player answers a box
    AuditedSink audited;
    std::unique_ptr<CMj> mj;
};
