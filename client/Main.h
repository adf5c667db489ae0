#pragma once
#include "client/BoxQueue.h"
#include "client/Datamodule.h"
#include "client/ScreenHooks.h"
#include "platform/FrameWindow.h"
#include "platform/WindowEvents.h"
#include "table/Shell.h"
#include "windows/InviteLinks.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMj;
class TAboutForm;
class TBuyForm;
class THintForm;
class UpdateCheck;
class UpdateDownload;
class TNetSetForm;
class TRoomListForm;
class TTalkForm;
class TChatLinesMenu;
class TInviteList;
class TLobbyLists;
class UserTableModel;
struct UserMenuContext;
class TUserMenu;
struct UserMenuItems;

// The program's one window. It shows the game screen the game object draws and hands the game
// every press, move, release, key and typed byte; it owns the game object and the game-server
// connection, passes what the connection tells it on to the screens, and shows the notifications
// other parts of the program post to it and the dialogs the screens ask for.
class TMainForm : public WindowEvents, public ScreenHooks, public Shell, public InviteLinks {
public:
    static constexpr int kMinScreenWidth = 800;

    // args: the command line after the program's name. "NetWork" account password host starts an
    // online game with only the connection's hint window shown; any other first argument names a
    // saved game to load.
    explicit TMainForm(const std::vector<std::string> &args);
    ~TMainForm() override;
    TMainForm(const TMainForm &) = delete;
    TMainForm &operator=(const TMainForm &) = delete;

    // An information box with the text, shown from the event loop; each carries its own text.
    void PostShowText(const std::string &text) override;
    // The offer of an update with its question and the installer's address, handled from the event
    // loop.
    void PostUpdateOffer(const std::string &msgtext, const std::string &url);
    void CheckForUpdate() override;
    // The boxes the connection, the server's records and the timers raise.
    void PostBox(const std::string &text, const std::string &title, MessageBox::Icon icon,
                 std::function<void()> then) override;

    FrameWindow &Window() { return window; }
    CMj &Game() { return *mjgame; }
    THintForm *Hint() { return HintForm.get(); }

    // The window's input, handed on to the game object.
    void MouseDown(int x, int y, bool right) override;
    void MouseMove(int x, int y) override;
    void MouseUp(int x, int y) override;
    void KeyDown(int key) override;
    void KeyUp(int key) override;
    void Char(uint8_t byte) override;
    bool TextInput(Rect &box) const override;
    void FirstShow() override;
    void Close() override;
    void Drop(const std::vector<std::string> &paths) override;

    // What the connection tells the window itself; the screens' part is ScreenHooks'.
    void PostLinkNotice(const std::string &text, const std::string &caption, const std::string &url) override;
    void ShowHintText(const std::string &text) override;
    void CloseHint() override;
    void CloseMainWindow(int exitcode) override;
    void ShowMainWindow() override;

    bool EditProxy(ProxyDialog &dialog) override;
    // The avatar choice for the own user as the server lists it.
    void ShowAvatarForm() override;
    bool EditUserSet(UserSetDialog &dialog) override;

    // Private chat windows open at once; a message from one more sender is dropped, so that a
    // server cannot cover the desktop with them.
    static constexpr int kMaxTalkForms = 20;
    // Private chat: the window with a user (GBK), or null; opened and shown when asked for, unless
    // kMaxTalkForms stand open already (null then).
    TTalkForm *FindTalk(const std::string &peer) const;
    TTalkForm *OpenTalk(const std::string &peer);
    void OnPrivateChat(const GameMsg &msg) override;
    void PostCloseTalk(const std::string &peer) override;
    void CloseTalkForms() override;
    const std::vector<std::unique_ptr<TTalkForm>> &TalkForms() const { return talkforms; }

    void ShowBuyForm() override;
    void BuyResult(bool success) override;
    void ReleaseBuyForm() override;
    // A room was refused: the server's text, then the choice of another room.
    void PostRoomNotice(const std::string &text) override;
    // The lobby's room tree and user list over the frame.
    TLobbyLists *Panel2() { return lobbylists.get(); }
    void HoldLists(bool hold) override;
    // The list of users to invite, over the invitation screen.
    TInviteList *ListView2() { return invitelist.get(); }

    // The invitation screens' lobby, connection and list.
    int SitDown(int table, int seat) override;
    bool SelectedTableOpen() const override;
    void SendInvite(const std::string &user) override;
    void MoveInviteList(int x, int y) override;
    std::optional<std::string> SelectedInvitee() const override;
    // The user menu: from the drawn lobby or the table at a frame point, or from the list at a point
    // of the screen.
    void PrepareUserMenu(const std::string &name, int x, int y, bool atTable) override;
    void ListView1MouseDown(const std::string &name, QPoint global);
    // A double click in the room tree: a room other than the one the player is in is asked for.
    void TreeView1DblClick(int level, int index);

    // Public chat: a line goes out through the talk gate, cut to 127 bytes between characters.
    void SendChat(const std::string &text);
    void PopupChatLines(int x, int y) override;
    void ShowHandCursor(bool hand) override { window.SetHandCursor(hand); }
    TChatLinesMenu *PopupMenu2() { return chatlines.get(); }
    TUserMenu *PopupMenu1() { return usermenu.get(); }
    // The user menu's actions, on the user it was opened for (GBK).
    void N9Click(const std::string &name);
    void N11Click(const std::string &name);
    void N14Click(const std::string &name);
    // Kick (1) or mute (3) once the player agrees, while the connection stands.
    void AdminClick(const std::string &name, uint8_t command);

    // The About box, modal. Its key: F1, which no screen of the game reads.
    void ShowAbout();
    static constexpr int kAboutKey = 112;

    TAboutForm *AboutForm() { return aboutform.get(); }
    TNetSetForm *NetSetForm() { return netsetform.get(); }
    TBuyForm *BuyForm() { return buyform.get(); }
    TRoomListForm *RoomListForm() { return roomlistform.get(); }

    uint8_t networkmode = 0;

private:
    // The one place that shows or hides the native widgets over the frame: each stands exactly while
    // the screen that holds it is on top, and none before the logo's fade at the window's first show
    // is over.
    void ShowOverFrame();
    // The lobby as the user menu reads it.
    UserMenuContext MenuContext() const;
    void PopupUserMenu(const UserMenuItems &items, QPoint global);
    // The first window with the peer goes.
    void CloseTalk(const std::string &peer);

    FrameWindow window;
    bool logofaded = false;
    BoxQueue boxes{[this](std::function<void()> call) { window.Post(std::move(call)); }};
    std::unique_ptr<THintForm> HintForm;
    std::unique_ptr<CMj> mjgame;
    std::unique_ptr<TDataModule1> DataModule1;
    std::unique_ptr<UpdateDownload> update;
    std::unique_ptr<UpdateCheck> updatecheck;
    // The dialogs live as long as the window; a chat window lives until it is closed.
    std::unique_ptr<TAboutForm> aboutform;
    std::unique_ptr<TNetSetForm> netsetform;
    std::unique_ptr<TBuyForm> buyform;
    std::unique_ptr<TRoomListForm> roomlistform;
    // The room's users, shown by the lobby's user list and the list of users to invite.
    std::unique_ptr<UserTableModel> usermodel;
    std::unique_ptr<TLobbyLists> lobbylists;
    std::unique_ptr<TInviteList> invitelist;
    std::unique_ptr<TUserMenu> usermenu;
    std::unique_ptr<TChatLinesMenu> chatlines;
    std::vector<std::unique_ptr<TTalkForm>> talkforms;
};
