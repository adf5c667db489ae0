// The game-state machine: every timer tick of the game arrives here by its id.
#include "table/CMj.h"

#include "platform/Random.h"
#include "platform/TimerService.h"
#include "rules/CLog.h"
#include "windows/CDxEdit.h"
#include "windows/CInputNameDlg.h"
#include "windows/CLoginForm.h"
#include "windows/CRegForm.h"

void CMj::OnTimer(unsigned id)
{
    switch (id) {
    case TIMER_STATE:
        if (gamestate == STATE_DEAL) {
            DealStep();
            return;
        }
        if (gamestate == STATE_DICE) {
            DiceStep();
            return;
        }
        if (gamestate == STATE_DISCARD) {
            DiscardLands();
            return;
        }
        Timer(TIMER_STATE)->SetEnabled(false);
        return;
    case TIMER_DICE:
        DiceTimer();
        return;
    case TIMER_CLAIMS:
        ClaimsRound();
        return;
    case TIMER_PENG:
        DoPeng();
        return;
    case TIMER_ROBOT:
        PlayTurn();
        return;
    case TIMER_FLOWERPAUSE:
        if (++flowerpauseticks < 12)
            return;
        Timer(TIMER_FLOWERPAUSE)->SetEnabled(false);
        DrawTile(false);
        return;
    case TIMER_RECORDS:
        // The records that waited for the animation are shown together, as those of one read are.
        BeginRecords();
        records.Tick();
        EndRecords();
        return;
    case TIMER_READYDRAW:
        if (++readydrawticks < 8) {
            Paint();
            return;
        }
        Timer(TIMER_READYDRAW)->SetEnabled(false);
        TakeDrawnTile();
        return;
    case TIMER_SHOWALL:
        Timer(TIMER_SHOWALL)->SetEnabled(false);
        draw.SetShowAll(0);
        break;
    case TIMER_FLIGHT:
        DrawFlightStep();
        return;
    case TIMER_CLAIMFLIGHT:
        Timer(TIMER_CLAIMFLIGHT)->SetEnabled(false);
        if (draw.StepFlight(30))
            draw.SetAnimKind(CMjDraw::AnimNone);
        else
            Timer(TIMER_CLAIMFLIGHT)->SetEnabled(true);
        break;
    case GIVETIMER:
        g_log.Trace("GIVETIMER.");
        CountdownTick(GIVETIMER);
        break;
    case ACTIONTIMER:
        g_log.Trace("ACTIONTIMER.");
        CountdownTick(ACTIONTIMER);
        break;
    case TIMER_BLINK:
        blink = !blink;
        break;
    case TIMER_CARET:
        // The edit that has the focus on the screen on top blinks, and the table's chat input always.
        if (curscreen == SCREEN_LOGIN)
            loginform->curedit->caret = !loginform->curedit->caret;
        else if (curscreen == SCREEN_REGISTER)
            regform->curedit->caret = !regform->curedit->caret;
        else if (curscreen == SCREEN_NAME)
            inputnamedlg->nameedit->caret = !inputnamedlg->nameedit->caret;
        chatedit->caret = !chatedit->caret;
        StepSparkles();
        break;
    case TIMER_COUNTDOWN:
        // The shown countdown only; the countdowns of timers 3 and 4 count themselves.
        if (gamestatus != 1 || showncountdown < 1)
            return;
        showncountdown--;
        break;
    case TIMER_KEEPALIVE:
        SendKeepAlive();
        return;
    case TIMER_LINKS:
        if (linklabelcount < 3 || curscreen != 0)
            return;
        RotateLinkLabels();
        break;
    case TIMER_AVATAR + 1:
    case TIMER_AVATAR + 2:
    case TIMER_AVATAR + 3:
        AvatarTick(static_cast<int>(id - TIMER_AVATAR));
        break;
    case TIMER_SPEECH:
    case TIMER_SPEECH + 1:
    case TIMER_SPEECH + 2:
    case TIMER_SPEECH + 3:
        player[id - TIMER_SPEECH].speechtimer->SetEnabled(false);
        break;
    case TIMER_ACTIONICON:
    case TIMER_ACTIONICON + 1:
    case TIMER_ACTIONICON + 2:
    case TIMER_ACTIONICON + 3:
        player[id - TIMER_ACTIONICON].actiontimer->SetEnabled(false);
        player[id - TIMER_ACTIONICON].action = 0;
        break;
    default:
        // Not the table's: the login and registration screens take their time-outs; nobody else
        // wants any other id.
        if (loginform->OnTimer(id) || regform->OnTimer(id))
            return;
        TimerService::Current().Stop(id);
        return;
    }
    Paint();
}

void CMj::CountdownTick(unsigned timerId)
{
    countdown--;
    if (countdown >= 1)
        return;
    Timer(timerId)->SetEnabled(false);
    if (timerId == GIVETIMER) {
        // Time is up: the drawn tile, or else the rightmost tile, is discarded as if clicked.
        CMjPlayer &me = player[0];
        me.hoverindex = me.drawflag ? me.cardnum : me.cardnum - 1;
        PlayHighlighted();
    } else {
        Pass(0);
    }
}

void CMj::AvatarTick(int seat)
{
    CMjPlayer &p = player[seat];
    TimerService::Current().Stop(p.animtimer->id);
    switch (p.animation) {
    case 0:
        p.animation = 11;
        p.animtimer->interval = 100;
        p.animtimer->SetEnabled(true);
        break;
    case 11:
    case 1:
        p.animation = 0;
        p.animtimer->interval = 4000 + Random::Next() % 2000;
        p.animtimer->SetEnabled(true);
        break;
    default:
        p.animtimer->enabled = 0;
        break;
    }
}

void CMj::StepSparkles()
{
    bool marked = false;
    for (const CMjPlayer &p : player)
        marked = marked || (p.seated && p.marklevel >= 1);
    sparkleframe = !marked ? -1 : sparkleframe >= 0 && sparkleframe < 3 ? sparkleframe + 1 : 0;
}

void CMj::RotateLinkLabels()
{
    if (linkpair >= linklabelcount / 2 - 1)
        linkpair = 0;
    else
        linkpair++;
    if (linkpair < 0 || linkpair > 4)
        linkpair = 0;
    for (CDxLinkLabel &label : linklabels)
        label.shown = 0;
    linklabels[2 * linkpair].shown = 1;
    linklabels[2 * linkpair + 1].shown = 1;
}
