#pragma once
#include "table/Shell.h"
#include "tests/windows/GameScreenFixture.h"
#include "windows/CDxEdit.h"
#include "windows/CLoginForm.h"
#include "windows/CRegForm.h"
#include "windows/CShowMessageForm.h"
#include "windows/UserSetDialog.h"

#include <functional>
#include <string>
#include <vector>

// The connection as the screens see it: what they open and close; its state is the test's to set.
struct RecordingLink : NetLink {
    void SendPacket(const GameMsg &msg) override { sent.push_back(msg); }
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
    std::vector<GameMsg> sent;
    bool active = false;
    bool connected = false;
};

// The main window: its dialogs answered as the test's user does, and what it was asked to show
// kept as lines ("text: ...", "menu: name 10 20 0").
struct FakeShell : Shell {
    bool EditProxy(ProxyDialog &dialog) override
    {
        user(dialog);
        return ok;
    }
    bool EditUserSet(UserSetDialog &dialog) override
    {
        filterUser(dialog);
        return ok;
    }
    void PostShowText(const std::string &text) override { calls.push_back("text: " + text); }
    void PostRoomNotice(const std::string &text) override { calls.push_back("room: " + text); }
    void PostCloseTalk(const std::string &name) override { calls.push_back("close talk: " + name); }
    void PostLinkNotice(const std::string &text, const std::string &caption, const std::string &url) override
    {
        calls.push_back("link: " + text + "|" + caption + "|" + url);
    }
    void CloseMainWindow(int exitcode) override { calls.push_back("close " + std::to_string(exitcode)); }
    void CloseHint() override { calls.push_back("close hint"); }
    void ShowMainWindow() override { calls.push_back("show window"); }
    void PrepareUserMenu(const std::string &name, int x, int y, bool atTable) override
    {
        calls.push_back("menu: " + name + " " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::to_string(atTable));
    }
    void BuyResult(bool success) override { calls.push_back(success ? "bought" : "not bought"); }
    void ShowBuyForm() override { calls.push_back("buy"); }
    std::function<void(ProxyDialog &)> user = [](ProxyDialog &) {};
    std::function<void(UserSetDialog &)> filterUser = [](UserSetDialog &) {};
    bool ok = true;
    std::vector<std::string> calls;
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
