#pragma once
#include "table/Shell.h"
#include "tests/windows/GameScreenFixture.h"
#include "windows/CDxEdit.h"
#include "windows/CLoginForm.h"
#include "windows/CRegForm.h"
#include "windows/CShowMessageForm.h"

#include <functional>
#include <vector>

// The connection as the screens see it: what they open and close, and a link that stays as the test
// sets it.
struct RecordingLink : NetLink {
    void SendPacket(const GameMsg &) override {}
    void OpenGameLink(const GameLinkTarget &target) override
    {
        games.push_back(target);
        active = true;
        if (onOpen)
            onOpen();
    }
    void CloseGameLink() override
    {
        ++closes;
        active = connected = false;
    }
    bool GameLinkActive() const override { return active; }
    bool GameLinkConnected() const override { return connected; }
    void OpenRegLink(const RegLinkTarget &target) override
    {
        regs.push_back(target);
        if (onOpen)
            onOpen();
    }
    void CloseRegLink() override { ++regcloses; }

    std::function<void()> onOpen; // what the connection reports while it opens
    std::vector<GameLinkTarget> games;
    std::vector<RegLinkTarget> regs;
    bool active = false;
    bool connected = false;
    int closes = 0;
    int regcloses = 0;
};

// The main window's proxy dialog, answered by the test as a user would.
struct FakeShell : Shell {
    bool EditProxy(ProxyDialog &dialog) override
    {
        shown.push_back(dialog);
        if (user)
            user(dialog);
        return ok;
    }
    std::function<void(ProxyDialog &)> user;
    bool ok = true;
    std::vector<ProxyDialog> shown;
};

// The game object with its screens in a program folder of the test's files, a recording connection
// and main window, and every message box and message-screen text kept.
class OnlineScreenTest : public GameScreenTest {
protected:
    // Call after the files the screens read at start are written.
    CMj &Start()
    {
        CMj &m = Game();
        m.netlink = &link;
        m.shell = &shell;
        return m;
    }
    // The message screen's text, or empty when it is not up; taken down again.
    static std::string Message()
    {
        std::string text = showmsgon ? showmessageform->text : "";
        showmsgon = 0;
        return text;
    }
    static bool Enabled(const CBitForm &form, int button) { return form.buttons.Get(button)->enabled; }

    RecordingLink link;
    FakeShell shell;
};
