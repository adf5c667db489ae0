#pragma once
#include "table/Shell.h"
#include "tests/windows/GameScreenFixture.h"
#include "windows/CDxEdit.h"
#include "windows/CLoginForm.h"
#include "windows/CRegForm.h"
#include "windows/CShowMessageForm.h"

#include <functional>
#include <vector>

// The connection as the screens see it: what they open and close; its state is the test's to set.
struct RecordingLink : NetLink {
    void SendPacket(const GameMsg &) override {}
    void OpenGameLink(const GameLinkTarget &target) override
    {
        games.push_back(target);
        active = true;
        if (onOpen)
            onOpen();
    }
    void CloseGameLink() override { active = connected = false; }
    bool GameLinkActive() const override { return active; }
    bool GameLinkConnected() const override { return connected; }
    void OpenRegLink(const RegLinkTarget &target) override
    {
        regs.push_back(target);
        if (onOpen)
            onOpen();
    }
    void CloseRegLink() override {}

    std::function<void()> onOpen; // what the connection reports while it opens
    std::vector<GameLinkTarget> games;
    std::vector<RegLinkTarget> regs;
    bool active = false;
    bool connected = false;
};

// The main window's proxy dialog, answered as the test's user does.
struct FakeShell : Shell {
    bool EditProxy(ProxyDialog &dialog) override
    {
        user(dialog);
        return ok;
    }
    std::function<void(ProxyDialog &)> user = [](ProxyDialog &) {};
    bool ok = true;
};

// The game object with its screens on a recording connection and main window.
class OnlineScreenTest : public GameScreenTest {
protected:
    // After the files the screens read as they are built.
    void Start()
    {
        Game().netlink = &link;
        game->shell = &shell;
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
