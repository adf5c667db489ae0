#include "client/Main.h"

#include "client/Avatar.h"
#include "client/About.h"
#include "client/Buy.h"
#include "client/Hint.h"
#include "client/InviteList.h"
#include "client/LobbyLists.h"
#include "client/Lindlg.h"
#include "client/Netset.h"
#include "client/Proxy.h"
#include "client/UpdateCheck.h"
#include "client/UpdateDownload.h"
#include "client/Version.h"
#include "client/Roomlist.h"
#include "client/Talk.h"
#include "client/UserMenu.h"
#include "client/UserTableModel.h"
#include "platform/Gbk.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/WindowAlert.h"
#include "rules/CLog.h"
#include "screen/CDxSound.h"
#include "screen/Device.h"
#include "table/CMj.h"
#include "table/ClientRecords.h"
#include "table/LobbyRecords.h"
#include "windows/CDxEdit.h"
#include "windows/CLoginForm.h"
#include "windows/CModeForm.h"
#include "windows/CNetRoom.h"
#include "windows/Screens.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTreeView>
#include <QWidget>
#include <algorithm>
#include <filesystem>

namespace {

const char *const kTitle = "Lantile";

std::string Arg(const std::vector<std::string> &args, size_t i)
{
    return i < args.size() ? args[i] : std::string();
}

// Command-line text for one of the game's edit boxes: GBK, cut between characters to the box.
std::string EditText(const std::string &utf8)
{
    std::string gbk = Utf8ToGbk(utf8);
    gbk.resize(GbkFit(gbk, CDxEdit::kMaxLength));
    return gbk;
}

} // namespace

TMainForm::TMainForm(const std::vector<std::string> &args)
{
    networkmode = Arg(args, 0) == "NetWork";
    ::networkmode = networkmode; // no loading picture for a window nobody sees
    fullscreen = 0;              // the full-screen setting is kept, but a start is always in a window
    window.SetTitle(kTitle);
    if (Paths::Exists("mycur.cur"))
        window.SetCursorFile(Paths::Resolve("mycur.cur"));
    if (networkmode) {
        HintForm = std::make_unique<THintForm>([this] { CloseMainWindow(1); });
        HintForm->show();
    } else {
        ShowMainWindow();
    }
    hMainWnd = &window;

    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    mjgame = std::make_unique<CMj>();
    QGuiApplication::restoreOverrideCursor();
    SetScreensGame(*mjgame);
    mjgame->shell = this;
    DataModule1 = std::make_unique<TDataModule1>();
    DataModule1->SetGame(mjgame.get());
    DataModule1->SetHooks(this);
    DataModule1->networkmode = networkmode;
    mjgame->netlink = DataModule1.get();
    update = std::make_unique<UpdateDownload>(window.Widget(), boxes);
    updatecheck = std::make_unique<UpdateCheck>(
        kLantileVersion, [this](const std::string &text, const std::string &url) { PostUpdateOffer(text, url); });
    window.SetEvents(this);
    aboutform = std::make_unique<TAboutForm>(window.Widget());
    netsetform = std::make_unique<TNetSetForm>(window.Widget());
    buyform = std::make_unique<TBuyForm>(window.Widget(), *DataModule1);
    roomlistform = std::make_unique<TRoomListForm>(window.Widget(), *DataModule1);
    usermodel = std::make_unique<UserTableModel>(mjgame->userlist, [this] { return mjgame->myaccount; });
    lobbylists = std::make_unique<TLobbyLists>(*usermodel, mjgame->roomtree);
    window.PlaceOverFrame(lobbylists.get(), Rect{593, 96, 593 + 196, 96 + 333});
    invitelist = std::make_unique<TInviteList>(*usermodel);
    window.PlaceOverFrame(invitelist.get(), Rect{23, 43, 23 + TInviteList::kWidth, 43 + TInviteList::kHeight});
    ShowOverFrame();
    curscreen.Watch(this, [this](int8_t) { ShowOverFrame(); });
    mjgame->invitelinks = this;
    lobbylists->onUserPressed = [this](const std::string &name, QPoint global) { ListView1MouseDown(name, global); };
    lobbylists->onNodeDoubleClicked = [this](int level, int index) { TreeView1DblClick(level, index); };
    usermenu = std::make_unique<TUserMenu>(window.Widget());
    usermenu->onJoin = [this](const std::string &name) { N9Click(name); };
    usermenu->onChat = [this](const std::string &name) { N11Click(name); };
    usermenu->onAddress = [this](const std::string &name) { N14Click(name); };
    usermenu->onKick = [this](const std::string &name) { AdminClick(name, ADMIN_KICK); };
    usermenu->onMute = [this](const std::string &name) { AdminClick(name, ADMIN_MUTE); };
    chatlines = std::make_unique<TChatLinesMenu>(window.Widget());
    chatlines->onLine = [this](const std::string &line) { SendChat(line); };

    std::error_code ec;
    for (const char *folder : {"Save", "Avatar"})
        std::filesystem::create_directories(Paths::Resolve(folder), ec);

    // A saved game named on the command line is found from the working folder, as the shell that
    // started the program sees it.
    if (!networkmode && !Arg(args, 0).empty()) {
        std::error_code cwd;
        mjgame->LoadGame(std::filesystem::absolute(args[0], cwd).string());
    }
    if (networkmode) {
        // The account and password stand in the login screen's boxes, as if typed there.
        loginform->accountedit->text = EditText(Arg(args, 1));
        loginform->passwordedit->text = EditText(Arg(args, 2));
        GameLinkTarget target;
        target.host = Arg(args, 3);
        if (servercount > 0)
            target.port = serverlist[serverindex].port;
        target.account = loginform->accountedit->text;
        target.password = loginform->passwordedit->text;
        DataModule1->OpenGameLink(target);
    }
}

TMainForm::~TMainForm()
{
    window.SetEvents(nullptr);
    talkforms.clear();
    chatlines.reset();
    usermenu.reset();
    curscreen.Watch(this, nullptr);
    // The views before their model, the model before the game, whose lists it shows.
    mjgame->invitelinks = nullptr;
    invitelist.reset();
    lobbylists.reset();
    usermodel.reset();
    roomlistform.reset();
    buyform.reset();
    netsetform.reset();
    aboutform.reset();
    updatecheck.reset();
    update.reset();
    DataModule1.reset();
    mjgame->netlink = nullptr;
    mjgame->shell = nullptr;
    mjgame.reset(); // writes the settings
    HintForm.reset();
    hMainWnd = nullptr;
}

void TMainForm::PostShowText(const std::string &text)
{
    // A server that finds the player short of coins leads to the top-up.
    std::function<void()> then;
    if (text.find("金币") != std::string::npos && text.find("不足") != std::string::npos)
        then = [this] { ShowBuyForm(); };
    PostBox(text, kTitle, MessageBox::IconInformation, std::move(then));
}

void TMainForm::PostBox(const std::string &text, const std::string &title, MessageBox::Icon icon,
                        std::function<void()> then)
{
    boxes.PostBox(text, title, icon, std::move(then));
}

void TMainForm::PostUpdateOffer(const std::string &msgtext, const std::string &url)
{
    boxes.Post("update offer", [this, msgtext, url] { update->WMUpdateOffer(msgtext, url); });
}

void TMainForm::CheckForUpdate()
{
    updatecheck->Start();
}

void TMainForm::MouseDown(int x, int y, bool right)
{
    mjgame->OnMouseDown(x, y, right);
}

void TMainForm::MouseMove(int x, int y)
{
    mjgame->OnMouseMove(x, y);
}

void TMainForm::MouseUp(int x, int y)
{
    mjgame->OnMouseUp(x, y);
}

void TMainForm::KeyDown(int key)
{
    if (key == kAboutKey) {
        ShowAbout();
        return;
    }
    mjgame->OnKeyDown(key);
}

void TMainForm::KeyUp(int key)
{
    if (key == kAboutKey)
        return;
    mjgame->OnKeyUp(key);
    // Tab moves between edit boxes once per press, when it is let go.
    if (key == '\t')
        mjgame->OnKeyPress('\t');
}

void TMainForm::Char(uint8_t byte)
{
    mjgame->OnKeyPress(byte);
}

bool TMainForm::TextInput(Rect &box) const
{
    const CDxEdit *edit = mjgame->FocusedEdit();
    if (!edit || !edit->visible)
        return false;
    box = {edit->x, edit->y, edit->x + edit->picture.Width(), edit->y + edit->picture.Height()};
    return true;
}

void TMainForm::FirstShow()
{
    mjgame->OnShow();
    logofaded = true;
    ShowOverFrame();
    // A NetWork start first shows the window once logged in, with the lobby up, and a saved game named
    // on the command line shows its table: no title menu over either.
    if (networkmode || mjgame->gamestatus != 0)
        mjgame->Paint();
    else
        modeform->Show();
}

void TMainForm::Close()
{
    if (DataModule1->GameLinkActive() && mjgame->IsNetGame()) {
        GameMsg exit;
        if (BuildBare(exit, CS_EXIT))
            DataModule1->SendPacket(exit);
    }
}

void TMainForm::Drop(const std::vector<std::string> &paths)
{
    if (paths.size() >= 2) {
        MessageBox::Show("一次只能打开一个游戏档案。", "错误", MessageBox::IconError);
        return;
    }
    // The name is taken whole, in the file system's bytes; only ".cmj" in small letters is a saved game.
    const std::string path = paths.empty() ? std::string() : paths[0];
    const std::string extension = ".cmj";
    if (path.size() < extension.size() || path.compare(path.size() - extension.size(), extension.size(), extension) != 0) {
        MessageBox::Show("未知的档案类型。", "错误", MessageBox::IconError);
        return;
    }
    mjgame->LoadGame(path);
}

void TMainForm::ShowHintText(const std::string &text)
{
    if (HintForm)
        HintForm->SetText(text);
}

void TMainForm::CloseHint()
{
    if (HintForm)
        HintForm->hide();
}

void TMainForm::PostLinkNotice(const std::string &text, const std::string &caption, const std::string &url)
{
    boxes.Post("link notice", [this, text, caption, url] { TLinkDlgForm(window.Widget()).Notice(text, caption, url); });
}

bool TMainForm::EditProxy(ProxyDialog &dialog)
{
    return TProxyForm(window.Widget()).Edit(dialog);
}

void TMainForm::ShowMainWindow()
{
    // A screen just the frame's width has no room for a border.
    window.ShowWindowed(window.ScreenWidth() != kFrameWidth);
}

void TMainForm::ShowAvatarForm()
{
    const UserInfo &me = mjgame->myinfo;
    TAvatarForm(*DataModule1, *this, window.Widget()).Choose({mjgame->myuserid, me.sex, me.face, me.rights});
}

void TMainForm::CloseMainWindow(int exitcode)
{
    // The main window ends the program even while it is hidden behind the hint of a NetWork start.
    window.Post([this, exitcode] {
        CloseHint();
        window.Widget()->close();
        QCoreApplication::exit(exitcode);
    });
}

bool TMainForm::EditUserSet(UserSetDialog &dialog)
{
    return netsetform->Edit(dialog);
}

namespace {

// A name as a chat window keeps it.
std::string PeerName(const std::string &name)
{
    return name.substr(0, GbkFit(name, USERNAME_BYTES));
}

} // namespace

TTalkForm *TMainForm::FindTalk(const std::string &peer) const
{
    for (const auto &form : talkforms)
        if (!form->Closed() && form->Peer() == PeerName(peer))
            return form.get();
    return nullptr;
}

TTalkForm *TMainForm::OpenTalk(const std::string &peer)
{
    TTalkForm *form = FindTalk(peer);
    if (!form) {
        const auto open = std::count_if(talkforms.begin(), talkforms.end(), [](const auto &f) { return !f->Closed(); });
        if (open >= kMaxTalkForms) {
            g_log.Trace("OpenTalk: %d chat windows are open; none for %s.", kMaxTalkForms, peer.c_str());
            return nullptr;
        }
        auto made = std::make_unique<TTalkForm>(peer, *DataModule1, [this](const std::string &name) { CloseTalk(name); });
        made->CentreOn(window.Widget());
        form = made.get();
        talkforms.push_back(std::move(made));
    }
    form->show();
    return form;
}

void TMainForm::OnPrivateChat(const GameMsg &msg)
{
    const PrivateChatLine line = PrivateChatLine::Read(msg);
    TTalkForm *form = FindTalk(line.sender);
    const bool known = form != nullptr;
    if (!known)
        form = OpenTalk(line.sender);
    if (!form)
        return;
    form->AddLine(line.Line());
    form->AddLine("");
    if (dxsound)
        dxsound->PlayWave(known ? "Wave\\msg.wav" : "Wave\\ring.wav");
    AlertToplevel(form);
}

void TMainForm::PostCloseTalk(const std::string &peer)
{
    window.Post([this, peer] { CloseTalk(peer); });
}

void TMainForm::CloseTalk(const std::string &peer)
{
    // A window closed by the user came before any fresh one for the same peer, so it goes first.
    const auto it = std::find_if(talkforms.begin(), talkforms.end(),
                                 [&](const auto &form) { return form->Peer() == PeerName(peer); });
    if (it == talkforms.end())
        return;
    // Its own events may still be running: the toolkit deletes it once they are over.
    TTalkForm *form = it->release();
    talkforms.erase(it);
    form->hide();
    form->deleteLater();
}

void TMainForm::CloseTalkForms()
{
    talkforms.clear();
}

void TMainForm::ShowBuyForm()
{
    buyform->exec();
}

void TMainForm::BuyResult(bool success)
{
    buyform->Answered(success);
}

void TMainForm::ReleaseBuyForm()
{
    buyform->Release();
}

void TMainForm::PostRoomNotice(const std::string &text)
{
    PostBox(text, "Info", MessageBox::IconInformation, [this] {
        roomlistform->Fill(mjgame->roomtree.Rows());
        roomlistform->exec();
    });
}

void TMainForm::ShowAbout()
{
    aboutform->exec();
}

UserMenuContext TMainForm::MenuContext() const
{
    UserMenuContext context;
    context.myaccount = mjgame->myaccount;
    context.myright = mjgame->myright;
    context.table = [this](int index) { return mjgame->lobby->GetTable(index); };
    context.gamestatus = mjgame->gamestatus;
    context.curscreen = curscreen;
    context.mytable = mjgame->myinfo.table;
    return context;
}

void TMainForm::HoldLists(bool hold)
{
    lobbylists->ListView1->setUpdatesEnabled(!hold);
    invitelist->setUpdatesEnabled(!hold);
}

int TMainForm::SitDown(int table, int seat)
{
    return mjgame->lobby->SitDown(table, seat);
}

bool TMainForm::SelectedTableOpen() const
{
    const CNetRoom &lobby = *mjgame->lobby;
    const TableInfo *table = TableStore::IsTable(lobby.selectedtable) ? lobby.GetTable(lobby.selectedtable) : nullptr;
    return table && !table->playing && lobby.FreeSeats(lobby.selectedtable) > 0;
}

void TMainForm::SendInvite(const std::string &user)
{
    GameMsg msg;
    NetLink *link = mjgame->netlink;
    if (link && BuildInvite(msg, user))
        link->SendPacket(msg);
}

void TMainForm::MoveInviteList(int x, int y)
{
    window.PlaceOverFrame(invitelist.get(), Rect{x, y, x + TInviteList::kWidth, y + TInviteList::kHeight});
}

void TMainForm::ShowOverFrame()
{
    const int screen = logofaded ? static_cast<int>(curscreen) : static_cast<int>(SCREEN_NONE);
    lobbylists->setVisible(screen == SCREEN_LOBBY);
    invitelist->setVisible(screen == SCREEN_INVITE);
}

std::optional<std::string> TMainForm::SelectedInvitee() const
{
    return invitelist->SelectedInvitee();
}

void TMainForm::PopupUserMenu(const UserMenuItems &items, QPoint global)
{
    usermenu->Apply(items);
    // Records keep coming while it is up: it holds the user's name only, and each action looks the
    // user up again.
    usermenu->popup(global);
}

void TMainForm::ListView1MouseDown(const std::string &name, QPoint global)
{
    if (infoformon || invitemsgon)
        return;
    if (const UserRow *row = mjgame->userlist.FindUserItem(name))
        PopupUserMenu(UserMenuItems::ForList(*row, MenuContext()), global);
}

void TMainForm::PrepareUserMenu(const std::string &name, int x, int y, bool atTable)
{
    if (const UserRow *row = mjgame->userlist.FindUserItem(name))
        PopupUserMenu(UserMenuItems::ForGame(*row, MenuContext(), atTable), window.FrameToGlobal(x, y));
}

void TMainForm::TreeView1DblClick(int level, int index)
{
    if (infoformon) {
        MessageBox::Show("正在等待服务器数据,请稍后进行该操作...", "Warning", MessageBox::IconWarning);
        return;
    }
    if (level == 1 && index != mjgame->lobby->room && mjgame->netlink)
        AskRoom(*mjgame->netlink, index);
}

void TMainForm::SendChat(const std::string &text)
{
    mjgame->SendChat(text, CHAT_LINE);
}

void TMainForm::PopupChatLines(int x, int y)
{
    chatlines->popup(window.FrameToGlobal(x, y));
}

void TMainForm::N9Click(const std::string &name)
{
    // The user the menu was opened for, wherever the list's selection stands now.
    const UserRow *row = mjgame->userlist.FindUserItem(name);
    const int table = row ? JoinableTable(*row, MenuContext()) : -1;
    if (table >= 0)
        mjgame->lobby->SitDown(table, -1);
}

void TMainForm::N11Click(const std::string &name)
{
    if (name != mjgame->myaccount)
        OpenTalk(name);
}

void TMainForm::N14Click(const std::string &name)
{
    mjgame->chatedit->text = "[" + name + "],";
    mjgame->Paint();
}

void TMainForm::AdminClick(const std::string &name, uint8_t command)
{
    if (name == mjgame->myaccount)
        return;
    const std::string question =
        command == ADMIN_MUTE ? "确定要禁止" + name + "发言吗？" : "确定要将" + name + "踢出房间吗？";
    if (MessageBox::Show(question, "提示信息", MessageBox::IconQuestion, MessageBox::YesNo, MessageBox::ResultNo) !=
        MessageBox::ResultYes)
        return;
    GameMsg msg;
    NetLink *link = mjgame->netlink;
    if (link && link->GameLinkActive() && BuildAdmin(msg, command, name))
        link->SendPacket(msg);
}
