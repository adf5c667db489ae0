#pragma once
#include "table/BoxPoster.h"

#include <string>

class GameMsg;
struct ProxyDialog;
struct UserSetDialog;

// The main window as the game object and its screens see it. The program's one implementation is the
// main window, which hands itself to the game object; tests put a recorder in its place. What the
// lobby asks of it does nothing until the window has the part that answers; a box shows at once.
class Shell : public BoxPoster {
public:
    virtual ~Shell() = default;
    // Shows the proxy settings dialog with the controls as given and waits for it: true for OK, with
    // the controls as the user left them.
    virtual bool EditProxy(ProxyDialog &dialog) = 0;
    // The lobby's filter dialog, the same way.
    virtual bool EditUserSet(UserSetDialog &) { return false; }

    // Notifications, run from the event loop after the record that raised them has been handled.
    // Each carries its own copy of its texts, so two raised by one read both arrive, in order.
    virtual void PostShowText(const std::string &) {}   // an information box
    virtual void PostRoomNotice(const std::string &) {} // a room refused: the box, then the room list
    virtual void PostCloseTalk(const std::string &) {}  // the private chat with that user ends
    virtual void PostLinkNotice(const std::string & /*text*/, const std::string & /*caption*/,
                                const std::string & /*url*/) {}
    // The login has succeeded: the window looks for an update of the program.
    virtual void CheckForUpdate() {}
    // Closes the window, and with it the program (with the exit code), once the event loop has it.
    virtual void CloseMainWindow(int /*exitcode*/) {}
    // NetWork mode's waiting window goes, and the main window comes up.
    virtual void CloseHint() {}
    virtual void ShowMainWindow() {}

    // A run of the server's records begins (true) or has ended (false): the native lists take its
    // changes without showing each, and show them all once at its end.
    virtual void HoldLists(bool) {}
    // The user menu for a listed user, at a frame point; atTable: opened from the table.
    virtual void PrepareUserMenu(const std::string & /*name*/, int /*x*/, int /*y*/, bool /*atTable*/) {}
    // The pointer becomes a hand over a link on the table, and the program's own pointer again.
    virtual void ShowHandCursor(bool) {}
    // The ready-made chat lines pop up at a frame point; the one picked goes out as table chat.
    virtual void PopupChatLines(int /*x*/, int /*y*/) {}
    // A private chat line or a system message from the server, whole.
    virtual void OnPrivateChat(const GameMsg &) {}
    // The connection has ended: every private chat window closes.
    virtual void CloseTalkForms() {}
    // The coin dialog's answer has come: its buttons come back, and it closes on success.
    virtual void BuyResult(bool /*success*/) {}
    // The connection has ended, so no answer will come: a waiting coin dialog may close again.
    virtual void ReleaseBuyForm() {}
    // The modal coin dialog and avatar choice.
    virtual void ShowBuyForm() {}
    virtual void ShowAvatarForm() {}
};
