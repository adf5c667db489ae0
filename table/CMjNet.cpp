// The game object's side of the game-server connection, and leaving a table.
#include "table/CMj.h"

#include "rules/CLog.h"
#include "windows/CWelComForm.h"

void CMj::SendBuffer()
{
    if (netlink)
        netlink->SendPacket(sendbuf);
}

void CMj::OnGameMsg(const GameMsg &msg)
{
    // The handlers of the server's records come with the online table and the lobby.
    g_log.Trace("%s OnGameMsg MsgType = %d", "CMj", msg.Type());
}

void CMj::OnDisconnect()
{
    Timer(GIVETIMER)->SetEnabled(false);
    Timer(ACTIONTIMER)->SetEnabled(false);
    Timer(TIMER_BLINK)->SetEnabled(false);
    Timer(TIMER_KEEPALIVE)->SetEnabled(false);
    ResetTable();
    netgame = 0;
    Paint();
}

void CMj::LeaveTable()
{
    ShowGameMenu(false);
    // Leaving an online table is the server's business; it comes with online play.
    if (IsNetGame())
        return;
    if (!savefile.empty() && !SaveGame(savefile))
        return;
    Timer(TIMER_CLAIMS)->SetEnabled(false);
    Timer(TIMER_PENG)->SetEnabled(false);
    welcomform->RefreshSlots();
    welcomform->Show();
}
