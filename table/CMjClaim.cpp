// Claims on a discard and the four kinds of kong.
#include "table/CMj.h"

#include "table/ClientRecords.h"

#include <algorithm>

void CMj::ShowActionIcon(int seat, uint8_t icon)
{
    player[seat].action = icon;
    player[seat].actiontimer->SetEnabled(true);
}

GetMj *CMj::NewMeld(CMjPlayer &p, uint8_t kind, int count, uint8_t exposed)
{
    if (p.getnum >= 5)
        return nullptr;
    GetMj &m = p.getmj[p.getnum];
    m = GetMj{};
    m.kind = kind;
    m.count = count;
    p.exposed[p.getnum] = exposed;
    p.getnum++;
    return &m;
}

void CMj::AddMeld(CMjPlayer &p, MjTile tile, uint8_t kind, uint8_t exposed)
{
    if (GetMj *m = NewMeld(p, kind, kind == GETMJ_GANG ? 4 : 3, exposed))
        std::fill_n(m->tiles, m->count, tile);
}

void CMj::AddChow(CMjPlayer &p, MjTile claimed, MjTile a, MjTile b)
{
    if (GetMj *m = NewMeld(p, GETMJ_CHI, 3, 1)) {
        m->tiles[0] = claimed;
        m->tiles[1] = a;
        m->tiles[2] = b;
        SortMj(m->tiles, 3);
    }
}

void CMj::UpgradePung(CMjPlayer &p, MjTile tile)
{
    for (int i = 0; i < p.getnum; i++) {
        GetMj &m = p.getmj[i];
        if (m.kind == GETMJ_PENG && m.count == 3 && IsSameMj(m.tiles[0], tile)) {
            m.kind = GETMJ_GANG;
            m.count = 4;
            m.tiles[3] = tile;
            return;
        }
    }
}

void CMj::Peng(int seat)
{
    ShowActionIcon(seat, 1);
    if (!player[seat].CanPeng(lastdiscard))
        return;
    PlayActionVoice(seat, VOICE_PENG);
    ShowActionIcon(seat, 1);
    Paint();
    pengseat = seat;
    if (seat != 0)
        Timer(TIMER_PENG)->SetEnabled(true);
    else
        DoPeng();
}

void CMj::FlyClaimedTile(int seat)
{
    if (!animateon)
        return;
    draw.StartMeldFlight(seat, curplayer, &lastdiscard);
    Fly(CMjDraw::AnimTile, 30);
}

void CMj::DoPeng()
{
    Timer(TIMER_PENG)->SetEnabled(false);
    int seat = pengseat;
    CMjPlayer &p = player[seat];
    FlyClaimedTile(seat);
    player[curplayer].hasplayed = 0;
    p.DeleteMjN(lastdiscard, 2);
    AddMeld(p, lastdiscard, GETMJ_PENG, 1);
    seenmj[lastdiscard.suit][lastdiscard.value] += 2;
    Paint();
    AfterClaim(seat);
}

void CMj::Chi(int seat)
{
    CMjPlayer &p = player[seat];
    p.chiflag = 0;
    MjTile a = p.chimj[0], b = p.chimj[1];
    if (!p.CanChi(lastdiscard) || !p.FindMj(a) || !p.FindMj(b))
        return;
    ShowActionIcon(seat, 5);
    PlayActionVoice(seat, VOICE_CHI);
    FlyClaimedTile(seat);
    player[curplayer].hasplayed = 0;
    p.DeleteMj(a);
    p.DeleteMj(b);
    AddChow(p, lastdiscard, a, b);
    seenmj[a.suit][a.value]++;
    seenmj[b.suit][b.value]++;
    AfterClaim(seat);
}

// The claimer now holds one tile too many and discards without drawing.
void CMj::AfterClaim(int seat)
{
    claimtaken = 1;
    curplayer = seat;
    if (seat != 0) {
        DrawTile(true);
        return;
    }
    ClaimedTurn();
}

void CMj::ClaimedTurn()
{
    CMjPlayer &p = player[0];
    readyrequest = 0;
    // The last hand tile stands apart as the drawn one, so that the hand shows its fourteen.
    p.cardnum--;
    p.drawmj = p.Mj[p.cardnum];
    p.drawflag = 1;
    if (minfan == 0 && CanDeclareReady(p, true)) {
        PlayEffect(EFFECT_PROMPT);
        buttons = ClaimChoices{};
        buttons.ting = 1;
        buttons.pass = 1;
        ShowClaimButtons(true);
    }
    Paint();
    cansave = 1;
    discardhint = 1;
    RefreshHover();
}

void CMj::Gang(int seat)
{
    CMjPlayer &p = player[seat];
    if (seat == curplayer) {
        MjTile kong;
        if (ChosenKong(p, &kong))
            GangTile(kong, seat);
        return;
    }
    if (!p.CanGang(lastdiscard))
        return;
    FlyClaimedTile(seat);
    player[curplayer].hasplayed = 0;
    p.DeleteMjN(lastdiscard, 3);
    AddMeld(p, lastdiscard, GETMJ_GANG, 1);
    seenmj[lastdiscard.suit][lastdiscard.value] += 3;
    p.gangseat = curplayer;
    CompleteKong(seat);
}

bool CMj::ChosenKong(CMjPlayer &p, MjTile *tile)
{
    if (p.GetGangList() == 0)
        return false;
    *tile = FindMj(p.gangchoice, p.gangnum, p.gangmj) ? p.gangmj : p.gangchoice[0];
    return true;
}

void CMj::GangTile(MjTile tile, int seat)
{
    CMjPlayer &p = player[seat];
    bool added = p.CanBuGang(tile);
    bool useDrawn = added && p.drawflag && IsSameMj(p.drawmj, tile);
    if (!useDrawn && p.drawflag && seat == 0) {
        // The drawn tile joins the hand first: a concealed kong may need it, and it must not be lost.
        p.Mj[p.cardnum++] = p.drawmj;
        p.drawflag = 0;
        p.SortMj();
    }
    if (!added) {
        if (p.GetMjCount(tile) != 4)
            return;
        p.DeleteMjN(tile, 4);
        AddMeld(p, tile, GETMJ_GANG, 0);
        seenmj[tile.suit][tile.value] += 4;
        p.gangseat = -1;
        CompleteKong(seat);
        return;
    }
    if (TryRob(seat, tile))
        return;
    MakeAddedKong(seat, tile);
}

void CMj::MakeAddedKong(int seat, MjTile tile)
{
    CMjPlayer &p = player[seat];
    if (p.drawflag && IsSameMj(p.drawmj, tile))
        p.drawflag = 0;
    else
        p.DeleteMj(tile);
    UpgradePung(p, tile);
    seenmj[tile.suit][tile.value]++;
    p.gangseat = -1;
    CompleteKong(seat);
}

void CMj::CompleteKong(int seat)
{
    CMjPlayer &p = player[seat];
    PlayActionVoice(seat, VOICE_GANG);
    ShowActionIcon(seat, 2);
    p.ganging = 1;
    curplayer = seat;
    firstdiscard = 0;
    claimtaken = 0;
    DrawTile(false);
}

bool CMj::CanRob(int seat, MjTile tile)
{
    return WinsWith(seat, tile, true);
}

// Before a pung becomes a kong the others may rob its tile. A robot able to win takes it at once;
// the local player is asked first when its turn to be tested comes. True when the kong waits or is robbed.
bool CMj::TryRob(int kongseat, MjTile tile)
{
    for (int k = 1; k < 4; k++) {
        int s = (kongseat + k) % 4;
        if (player[s].ishu)
            continue;
        if (!CanRob(s, tile))
            continue;
        lastdiscard = tile;
        if (s != 0) {
            robpossible = 1;
            Hu(s);
            return true;
        }
        // Seat 0 may rob: hu and pass are offered with the kong tile as the tile to win on.
        player[0].Mj[player[0].cardnum] = tile;
        roboffer = 1;
        robseat = kongseat;
        robtile = tile;
        claimcount = 0;
        AddClaim(0, CLAIM_HU, false);
        buttons = ClaimChoices{};
        buttons.hu = 1;
        buttons.pass = 1;
        PlayEffect(EFFECT_PROMPT);
        ShowClaimButtons(true);
        Paint();
        return true;
    }
    return false;
}

void CMj::CancelChoices()
{
    CMjPlayer &me = player[0];
    me.chiflag = 0;
    me.gangflag = 0;
    for (uint8_t &ok : me.tileok)
        ok = 1;
    ShowClaimButtons(false);
}

void CMj::Pass(int seat)
{
    CMjPlayer &me = player[0];
    CancelChoices();
    Paint();
    if (seat != 0)
        return;
    if (netgame) {
        SendAction(ACTION_PASS);
        if (me.drawflag) {
            // An offer on the own turn was passed: the player discards now, against a new countdown.
            countdown = kTurnSeconds;
            RestartShownCountdown();
            Timer(GIVETIMER)->SetEnabled(true);
        }
        return;
    }
    if (roboffer) {
        roboffer = 0;
        // The seats tested after seat 0 may still rob; otherwise the kong goes ahead.
        for (int k = (4 - robseat) % 4 + 1; k < 4; k++) {
            int robber = (robseat + k) % 4;
            if (player[robber].ishu)
                continue;
            if (CanRob(robber, robtile)) {
                robpossible = 1;
                Hu(robber);
                return;
            }
        }
        MakeAddedKong(robseat, robtile);
        return;
    }
    for (int i = 0; i < claimcount; i++) {
        Claim &c = claimlist[i];
        if (c.seat != 0)
            continue;
        c.accepted = 1;
        c.declined = 1;
    }
    if (curplayer != 0)
        ClaimsRound();
}

void CMj::AnswerClaim(uint8_t kind)
{
    for (int i = 0; i < claimcount; i++) {
        Claim &c = claimlist[i];
        if (c.seat != 0)
            continue;
        if (c.kind == kind)
            c.accepted = 1;
        else
            c.declined = 1;
    }
    CMjPlayer &me = player[0];
    if (kind == CLAIM_CHI && me.CanChi(lastdiscard)) {
        // The shape chosen on the hand when it is one of the chows; else the first.
        bool chosen = false;
        for (int i = 0; i < me.chinum; i++)
            chosen = chosen || (IsSameMj(me.chimj[0], me.chichoice[i].tiles[0]) &&
                                IsSameMj(me.chimj[1], me.chichoice[i].tiles[1]));
        if (!chosen) {
            me.chimj[0] = me.chichoice[0].tiles[0];
            me.chimj[1] = me.chichoice[0].tiles[1];
        }
    }
    if (netgame) {
        CancelChoices();
        Paint();
        SendAction(kind == CLAIM_HU ? ACTION_HU : kind == CLAIM_GANG ? ACTION_GANG : kind == CLAIM_PENG ? ACTION_PENG : ACTION_CHI);
        return;
    }
    if (kind == CLAIM_HU && roboffer) {
        roboffer = 0;
        robpossible = 1;
        ShowClaimButtons(false);
        Hu(0);
        return;
    }
    CancelChoices();
    ClaimsRound();
}
