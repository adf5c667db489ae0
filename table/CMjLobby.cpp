// The server's records of the lobby and the service: the login's answer, the rooms, the room's users
// and tables, invitations, chat and notices. Each is read whole first (LobbyRecords); texts for the
// main window go out as queued notifications with their own copies.
#include "table/CMj.h"

#include "platform/MessageBox.h"
#include "rules/CLog.h"
#include "screen/Device.h"
#include "table/ClientRecords.h"
#include "table/Shell.h"
#include "windows/CDxChatWnd.h"
#include "windows/CInfoForm.h"
#include "windows/CInviteMessage.h"
#include "windows/CLoginForm.h"
#include "windows/CNetRoom.h"
#include "windows/FlashMainWindow.h"

namespace {

const char *const kWelcome = "欢迎使用Lantile";
constexpr uint32_t kRed = 0x0000FF; // COLORREF
constexpr uint32_t kBlack = 0x000000;

} // namespace

void CMj::ShowInfo(const char *text)
{
    infoform->text = text;
    infoform->Show();
}

void CMj::ShowSeatStatus(const TableInfo &table)
{
    for (int seat = 0; seat < 4; seat++) {
        if (table.state[seat] == 0)
            continue;
        const int image = !table.ready[seat] ? IMAGE_SEATED : !table.playing ? IMAGE_READY : IMAGE_PLAYING;
        userlist.SetStatus(BoundedName(table.name[seat]), image);
    }
}

void CMj::OnLobbyText(const GameMsg &msg)
{
    std::string text;
    switch (msg.Type()) {
    case SC_MESSAGEBOX:
        text = msg.GetText(ScTextLayout::text);
        g_log.Trace("SC_MESSAGEBOX %s.", text.c_str());
        break;
    case SC_NOTICE:
        text = msg.GetText(ScNoticeLayout::text);
        break;
    default:
        return;
    }
    if (shell)
        shell->PostShowText(text);
}

void CMj::OnTableInfo(const GameMsg &msg)
{
    TableRecord r;
    if (const char *why = ReadTableRecord(msg, &r)) {
        IgnoreRecord(msg, why);
        return;
    }
    g_log.Trace("%s SC_TABLE_INFO: %d [%d %d %d %d]", myaccount.c_str(), r.index, r.info.state[0], r.info.state[1],
                r.info.state[2], r.info.state[3]);
    const bool shown = lobby->SetTable(r.index, r.info);
    ShowSeatStatus(*lobby->GetTable(r.index));
    if (r.repaint && curscreen == SCREEN_LOBBY && shown)
        Paint();
}

void CMj::OnLoginSuccess(const GameMsg &msg)
{
    // The login screen's wait ends before its time-out could close the link; online play begins.
    loginform->Release();
    if (networkmode) {
        lobby->Show();
        if (shell) {
            shell->CloseHint();
            shell->ShowMainWindow();
        }
    }
    NetStart();
    const LoginSuccess s = ReadLoginSuccess(msg);
    lobby->paymode = s.paybyweb;
    lobby->welcome = s.welcome.empty() ? kWelcome : s.welcome;
    lobby->SendUserSet();
    if (shell)
        shell->CheckForUpdate();
    g_log.Trace("SC_LOGIN_SUCCESS ok.");
}

void CMj::OnSitDownFail(const GameMsg &msg)
{
    lobby->sitdownpending = 0;
    infoform->Hide();
    if (shell)
        shell->PostShowText(msg.GetText(ScTextLayout::text));
    lobby->Show();
}

void CMj::OnUserInfo(const GameMsg &msg)
{
    UserRecord r;
    if (const char *why = ReadUserRecord(msg, &r)) {
        IgnoreRecord(msg, why);
        return;
    }
    const std::string name = BoundedName(r.info.name);
    const bool own = !myaccount.empty() && name == myaccount;
    switch (r.op) {
    case USER_ADD:
        g_log.Trace("SC_USER_INFO Add : %s %d", name.c_str(), r.info.score);
        userlist.Add(r.info, own);
        if (own) {
            myright = r.info.rights;
            myinfo = r.info;
            myuserid = r.info.userid;
            lobby->LoadAvatar(true);
        }
        break;
    case USER_REMOVE:
        // A private chat with the user ends with the user; the name goes with the notification.
        if (userlist.Remove(name) && shell)
            shell->PostCloseTalk(name);
        break;
    case USER_UPDATE:
        if (const UserRow *row = userlist.Update(r.info); row && own) {
            myinfo = row->info;
            Paint();
        }
        break;
    default:
        break;
    }
}

void CMj::OnInvite(const GameMsg &msg)
{
    // Only a player waiting in the lobby is asked; one waiting for the server's answer is not.
    if (curscreen != SCREEN_LOBBY || invitemsgon || infoformon)
        return;
    const int table = msg.Get(ScInviteLayout::table.off);
    invitemessage->invitedtable = table;
    invitemessage->text = msg.GetText(ScInviteLayout::name) + " 邀请您到第" + std::to_string(table + 1) + "桌游戏";
    invitemessage->Show();
    Paint();
    FlashMainWindow(hMainWnd);
}

void CMj::OnRoomItem(const GameMsg &msg)
{
    if (!roomtree.AddRoom(msg.Get(ScRoomItemLayout::room.off), msg.GetText(ScRoomItemLayout::name)))
        IgnoreRecord(msg, "a room before its server");
}

void CMj::OnServerItem(const GameMsg &msg)
{
    ShowInfo("正在获取服务器房间列表...");
    lobby->roomcount = msg.Get(ScServerItemLayout::rooms.off);
    roomtree.AddServer(msg.GetText(ScServerItemLayout::name));
}

void CMj::OnServerUsers(const GameMsg &msg)
{
    const int32_t users = msg.GetI32(ScUsersLayout::users.off);
    if (!roomtree.SetServerUsers(users)) {
        IgnoreRecord(msg, "users of no server");
        return;
    }
    lobby->onlinecount = users;
    Paint();
}

void CMj::OnRoomUsers(const GameMsg &msg)
{
    if (!roomtree.SetRoomUsers(msg.Get(ScUsersLayout::room.off), msg.GetI32(ScUsersLayout::users.off)))
        IgnoreRecord(msg, "users of no room");
}

void CMj::OnEnterRoom(const GameMsg &msg)
{
    const EnterRoom e = ReadEnterRoom(msg);
    if (e.begin) {
        ShowInfo("正在获取房间信息...");
        userlist.Clear();
        lobby->ClearTables();
        Paint();
        return;
    }
    infoformon = 0;
    if (!e.entered) {
        if (shell)
            shell->PostRoomNotice(e.refusal);
        return;
    }
    lobby->room = lobby->roomid = e.room;
    roomtree.MarkEntered(e.room);
    // The users came after the tables: every seat takes its user's face and status now.
    for (int index = 0; index < kTableCount; index++) {
        const TableInfo table = *lobby->GetTable(index);
        lobby->SetTable(index, table);
        ShowSeatStatus(table);
    }
    Paint();
}

void CMj::OnRoomListEnd(const GameMsg &)
{
    infoformon = 0;
    roomtree.Expand();
    if (lobby->roomid < 0 || lobby->roomid >= lobby->roomcount)
        lobby->roomid = 0;
    if (BuildEnterRoom(sendbuf, lobby->roomid))
        SendBuffer();
    ShowInfo("正在获取房间信息,请稍后...");
}

void CMj::OnBuyResult(const GameMsg &msg)
{
    if (!shell)
        return;
    shell->BuyResult(msg.Get(ScBuyResultLayout::success.off) != 0);
    shell->PostShowText(msg.GetText(ScBuyResultLayout::text));
}

void CMj::OnLoginFail(const GameMsg &msg)
{
    loginform->Release();
    const std::string text = msg.GetText(ScTextLayout::text);
    if (!networkmode) {
        if (shell)
            shell->PostShowText(text);
        return;
    }
    // Without a login a NetWork start has nothing to show: the box, then the program ends.
    if (!shell)
        return;
    shell->CloseHint();
    shell->PostBox(text, "dazu", MessageBox::IconInformation, [s = shell] { s->CloseMainWindow(1); });
}

void CMj::OnRoomChat(const GameMsg &msg)
{
    lobby->chatwnd->AddText(msg.GetText(ScRoomChatLayout::text), msg.Get(ScRoomChatLayout::red.off) == 1 ? kRed : kBlack);
    Paint();
}

void CMj::OnLinkMessage(const GameMsg &msg)
{
    const LinkNotice n = ReadLinkNotice(msg);
    if (shell)
        shell->PostLinkNotice(n.text, n.caption, LinkAddress(n.url));
}
