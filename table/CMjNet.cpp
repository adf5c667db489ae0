// The game object's side of the game-server connection: the start and end of online play, the
// records the local player sends, leaving the table, and the dispatch of the server's records.
#include "table/CMj.h"

#include "platform/MessageBox.h"
#include "rules/CLog.h"
#include "table/ClientRecords.h"
#include "table/Shell.h"
#include "windows/CDxChatWnd.h"
#include "windows/CDxEdit.h"
#include "windows/CInfoForm.h"
#include "windows/CLoginForm.h"
#include "windows/CNetRoom.h"
#include "windows/CWelComForm.h"
#include "windows/Screens.h"

void CMj::SendBuffer()
{
    if (netlink)
        netlink->SendPacket(sendbuf);
}

void CMj::IgnoreRecord(const GameMsg &msg, const char *why)
{
    g_log.Trace("Record %d ignored: %s.", msg.Type(), why);
}

void CMj::OnGameMsg(const GameMsg &msg)
{
    records.Take(msg);
}

void CMj::HandleRecord(const GameMsg &msg)
{
    g_log.Trace("%s OnGameMsg MsgType = %d", "CMj", msg.Type());
    switch (msg.Type()) {
    case SC_DEAL_CARDS: OnDealCards(msg); break;
    case SC_DRAW_CARD: OnDrawCard(msg); break;
    case SC_GIVE_CARD: OnGiveCard(msg); break;
    case SC_ACTION_PROMPT: OnActionPrompt(msg); break;
    case SC_DICE: OnDice(msg); break;
    case SC_YOUR_TURN: OnYourTurn(msg); break;
    case SC_OTHER_DRAW: OnOtherDraw(msg); break;
    case SC_SEND_ACTION: OnSendAction(msg); break;
    case SC_ENTER_TABLE: OnEnterTable(msg); break;
    case SC_HAND_RESULT: OnHandResult(msg); break;
    case SC_TABLE_CHAT: OnTableChat(msg); break;
    case SC_GAME_RESTORE: OnGameRestore(msg); break;
    case SC_TABLE_USERINFO: OnTableUserInfo(msg); break;
    case SC_USER_START: OnUserStart(msg); break;
    case SC_FLOWER_CARD: OnFlowerCard(msg); break;
    case SC_MESSAGEBOX:
    case SC_NOTICE: OnLobbyText(msg); break;
    case SC_TABLE_INFO: OnTableInfo(msg); break;
    case SC_LOGIN_SUCCESS: OnLoginSuccess(msg); break;
    case SC_SITDOWN_FAIL: OnSitDownFail(msg); break;
    case SC_USER_INFO: OnUserInfo(msg); break;
    case SC_INVITE: OnInvite(msg); break;
    case SC_ROOM_ITEM: OnRoomItem(msg); break;
    case SC_SERVER_ITEM: OnServerItem(msg); break;
    case SC_SERVER_USERS: OnServerUsers(msg); break;
    case SC_ROOM_USERS: OnRoomUsers(msg); break;
    case SC_ENTER_ROOM: OnEnterRoom(msg); break;
    case SC_ROOMLIST_END: OnRoomListEnd(msg); break;
    case SC_PRIVATE_CHAT:
        if (shell)
            shell->OnPrivateChat(msg);
        break;
    case SC_BUY_RESULT: OnBuyResult(msg); break;
    case SC_LOGIN_FAIL: OnLoginFail(msg); break;
    case SC_ROOM_CHAT: OnRoomChat(msg); break;
    case SC_LINK_MESSAGE: OnLinkMessage(msg); break;
    case SC_AVATAR_INFO: OnAvatarInfo(msg); break;
    default: break; // not a record this client takes
    }
}

void CMj::NetStart()
{
    g_log.Trace("NetStart.");
    Timer(TIMER_CLAIMS)->SetEnabled(false);
    Timer(TIMER_PENG)->SetEnabled(false);
    for (CMjPlayer &p : player)
        p.seated = 0;
    seatinfo.reset();
    restorediscards.reset();
    userlist.Clear();
    roomtree.Clear();
    lobby->onlinecount = 0;
    myaccount = netlink ? netlink->LoginAccount() : std::string();

    for (auto &wnd : chatwnd)
        wnd->visible = 1;
    ResetTable();
    gamestatus = 0;
    rulemode = 1;
    tablebuttons.Get(BTN_NEWGAME)->visible = 0;
    netgame = 1;
    ownseat = 0;
    Timer(TIMER_KEEPALIVE)->SetEnabled(true);
    tablebuttons.Get(BTN_INVITE)->visible = 1;
    g_log.Trace("NetStart gamestatus = %d %d %d.", gamestatus, netgame, ownseat);

    myinfo = UserInfo{};
    lobby->chatwnd->Clear();
    lobby->Show();
    chatedit->visible = 1;
    tablebuttons.Get(BTN_SEND)->visible = 1;
    tablebuttons.Get(BTN_PHRASES)->visible = 1;
    for (CDxLinkLabel &label : linklabels)
        label.shown = 0;
    wildmode = 0;
    SyncRules();
    StartAvatarThread();
    g_log.Trace("NetStart Ok.");
    Paint();
}

void CMj::OnDisconnect()
{
    // Shown once, as a run of records is.
    BeginRecords();
    records.PlayOut();
    EndRecords();
    // The connection's end and its error both arrive here. The next login announces every picture
    // again, whatever came before this one's online play began.
    knownavatars.Clear();
    requestedavatars.clear();
    if (!netgame)
        return;
    infoformon = 0;
    invitemsgon = 0;
    tablebuttons.Get(BTN_START)->visible = 0;
    for (auto &wnd : chatwnd)
        wnd->visible = 0;

    Timer(GIVETIMER)->SetEnabled(false);
    Timer(ACTIONTIMER)->SetEnabled(false);
    Timer(TIMER_BLINK)->SetEnabled(false);
    Timer(TIMER_KEEPALIVE)->SetEnabled(false);
    ResetTable();
    tablebuttons.Get(BTN_INVITE)->visible = 0;
    netgame = 0;
    seatinfo.reset();
    restorediscards.reset();

    loginform->Show();
    if (shell) {
        shell->CloseTalkForms();
        // A top-up still waiting for its answer will get none.
        shell->ReleaseBuyForm();
    }
    chatedit->visible = 0;
    tablebuttons.Get(BTN_SEND)->visible = 0;
    tablebuttons.Get(BTN_PHRASES)->visible = 0;
    for (int i = 0; i < linklabelcount; i++)
        linklabels[i].shown = 1;
    Paint();
}

void CMj::SendKeepAlive()
{
    BuildBare(sendbuf, CS_KEEPALIVE);
    SendBuffer();
}

void CMj::RestartShownCountdown()
{
    showncountdown = kTurnSeconds;
    Timer(TIMER_COUNTDOWN)->SetEnabled(true);
}

void CMj::NetGiveCard()
{
    CMjPlayer &me = player[0];
    const int i = me.hoverindex;
    if (gamestatus != 1 || !cansave || claimbuttonsup || i < 0 || i > me.cardnum)
        return;
    MjTile tile;
    if (i < me.cardnum)
        tile = me.Mj[i];
    else if (me.drawflag)
        tile = me.drawmj;
    else if (me.cardnum > 0)
        tile = me.Mj[me.cardnum - 1];
    // Only a real tile goes to the server; the hand keeps it otherwise.
    if (!BuildGiveCard(sendbuf, tile, readyrequest && !me.ting))
        return;
    me.playmj = tile;
    Timer(GIVETIMER)->SetEnabled(false);
    ShowClaimButtons(false);
    SendBuffer();

    cansave = 0;
    me.hoverindex = -1;
    JoinDrawn(me);
    me.DeleteMj(me.playmj);
    me.SortMj();

    MoveDiscardOn();
    me.hasplayed = 1;
    discardflying = 1;
    flyingseat = 0;
    PlayMjVoice(0, tile);
    Paint();
}

void CMj::SendAction(uint8_t action)
{
    Timer(ACTIONTIMER)->SetEnabled(false);
    CMjPlayer &me = player[0];
    MjTile kong;
    bool built = action == ACTION_CHI ? BuildChow(sendbuf, me.chimj[0], me.chimj[1])
                 : action == ACTION_GANG && curplayer == 0 ? ChosenKong(me, &kong) && BuildOwnKong(sendbuf, kong)
                                                           : BuildAction(sendbuf, action);
    if (!built) {
        g_log.Trace("SendAction %d: nothing to send.", action);
        return;
    }
    SendBuffer();
}

void CMj::LeaveTable()
{
    ShowGameMenu(false);
    if (!IsNetGame()) {
        // A local game is kept in its slot, and the slots come up.
        if (!savefile.empty() && !SaveGame(savefile))
            return;
        Timer(TIMER_CLAIMS)->SetEnabled(false);
        Timer(TIMER_PENG)->SetEnabled(false);
        welcomform->RefreshSlots();
        welcomform->Show();
        return;
    }
    if (gamestatus == 1 &&
        MessageBox::Show("您正在游戏中,中途退出将会被扣分并且会增加逃跑次数,\n您确定要退出么?", "询问",
                         MessageBox::IconQuestion, MessageBox::YesNo, MessageBox::ResultNo) != MessageBox::ResultYes)
        return;
    Timer(GIVETIMER)->SetEnabled(false);
    Timer(ACTIONTIMER)->SetEnabled(false);
    BuildBare(sendbuf, CS_LEAVE_TABLE);
    SendBuffer();
    if (netroom)
        netroom->Show();
    gamestatus = 0;
    Paint();
}
