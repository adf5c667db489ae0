// The turn cycle of a local game: draw, decide, discard, the claims round, and on to the next seat.
#include "table/CMj.h"

#include "rules/CLog.h"
#include "screen/Device.h"
#include "windows/FlashMainWindow.h"

namespace {

constexpr int kLastTile = 143;

} // namespace

int CMj::NextPlayer()
{
    for (const CMjPlayer &p : player)
        if (p.ishu) {
            curplayer = -1;
            return -1;
        }
    curplayer = NextSeat(curplayer);
    return curplayer;
}

void CMj::DrawTile(bool first)
{
    if (curplayer == -1) {
        EndHand();
        return;
    }
    hufound = 0;
    robpossible = 0;
    roboffer = 0;
    if (first) {
        TurnStep();
        return;
    }

    mjindex++;
    if (mjindex > kLastTile) {
        EndHand(); // the wall is used up: a drawn hand
        return;
    }
    lastdrawn = MjFromIndex(wallmj[mjindex]);
    if (lastdrawn.suit == SUIT_HUA)
        DrawFromWallEnd();
    else
        DrawFromWall();
    if (animateon) {
        // The tile flies from the wall to the seat first; timer 104 carries it there.
        Paint();
        draw.StartWallFlight(laststack, curplayer);
        draw.SetAnimKind(CMjDraw::AnimWallTile);
        Timer(TIMER_FLIGHT)->SetEnabled(true);
        return;
    }
    TakeDrawnTile();
}

void CMj::DrawFlightStep()
{
    Timer(TIMER_FLIGHT)->SetEnabled(false);
    if (!draw.StepFlight(60)) {
        Paint();
        Timer(TIMER_FLIGHT)->SetEnabled(true);
        return;
    }
    draw.SetAnimKind(CMjDraw::AnimNone);
    Paint();
    if (curplayer == 0 && player[0].ting) {
        // A ready player's tile is held up a moment before it is played for them.
        readydrawticks = 0;
        Timer(TIMER_READYDRAW)->SetEnabled(true);
        return;
    }
    TakeDrawnTile();
}

void CMj::TakeDrawnTile()
{
    CMjPlayer &p = player[curplayer];
    p.drawmj = lastdrawn;
    p.drawflag = 1;
    if (curplayer == 0)
        p.Mj[p.cardnum] = lastdrawn; // the tile seat 0 could win on
    p.drawcount++;
    if (curplayer == 0)
        Paint();

    bool flowersWild = wildmode && wildmj.suit == SUIT_HUA;
    if (lastdrawn.suit == SUIT_HUA && !flowersWild) {
        PlayActionVoice(curplayer, VOICE_FLOWER);
        p.flowernum++;
        // A robot's flower is set aside at once; the player's stays in view until its replacement.
        if (curplayer != 0)
            p.drawflag = 0;
        flowerpauseticks = 0;
        Timer(TIMER_FLOWERPAUSE)->SetEnabled(true);
        return;
    }
    p.winmj = lastdrawn;
    TurnStep();
}

bool CMj::FlowerOnShow() const
{
    const CMjPlayer &me = player[0];
    return !netgame && me.drawflag && me.drawmj.suit == SUIT_HUA;
}

// What the seat holding its tile does next: a robot thinks on its timer, the local player decides.
void CMj::TurnStep()
{
    CMjPlayer &p = player[curplayer];
    if (curplayer != 0) {
        if (!claimtaken && p.drawflag)
            p.Mj[p.cardnum++] = p.drawmj;
        p.SortMj();
        Paint();
        Timer(TIMER_ROBOT)->interval = 50;
        Timer(TIMER_ROBOT)->SetEnabled(true);
        return;
    }
    if (firstdiscard)
        LocalDiscard();
    else
        LocalDecision();
}

bool CMj::HoldsAWholeHand(const CMjPlayer &p, int tiles)
{
    return p.getnum >= 0 && p.getnum <= kMaxMelds && tiles + 3 * p.getnum == kHandTiles;
}

bool CMj::CanDeclareReady(CMjPlayer &p, bool withDrawn)
{
    // An online seat's tiles are what the server said; the evaluator reads only whole hands.
    if (!HoldsAWholeHand(p, p.cardnum + (withDrawn && p.drawflag)))
        return false;
    MjTile all[15];
    int n = p.cardnum;
    for (int i = 0; i < n; i++)
        all[i] = p.Mj[i];
    if (withDrawn && p.drawflag)
        all[n++] = p.drawmj;
    MjTile rest[14];
    for (int skip = 0; skip < n; skip++) {
        if (skip > 0 && IsSameMj(all[skip], all[skip - 1]))
            continue;
        // The evaluator counts the tiles by kind: their order does not matter.
        int k = 0;
        for (int i = 0; i < n; i++)
            if (i != skip)
                rest[k++] = all[i];
        if (gbhu.CanHu(&p, rest, k) > 0)
            return true;
    }
    return false;
}

bool CMj::TestWin(CMjPlayer &p, const MjTile *tiles, int n, MjTile win, bool selfdrawn, bool robbing)
{
    p.winmj = win;
    p.zimo = selfdrawn;
    // Out on a kong's replacement is the kong maker's own draw; a discard after a kong is not.
    p.ganghu = selfdrawn && p.ganging;
    p.qiangganghu = robbing;
    bool wins = gbhu.Hu(&p, tiles, n, seenmj, MJ_TOTAL - mjindex) != 0;
    p.zimo = 0;
    p.ganghu = 0;
    p.qiangganghu = 0;
    return wins;
}

void CMj::LocalDecision()
{
    CMjPlayer &p = player[0];
    readyrequest = 0;
    p.gangmj = MjTile{};
    buttons = ClaimChoices{};
    buttons.pass = 1;

    MjTile tiles[15];
    int n = p.cardnum;
    for (int i = 0; i < n; i++)
        tiles[i] = p.Mj[i];
    if (p.drawflag)
        tiles[n++] = p.drawmj;
    SortMj(tiles, n);
    buttons.hu = TestWin(p, tiles, n, p.drawmj, true, false);

    if (mjindex < kLastTile) {
        MjTile t;
        buttons.gang = p.FindAnGang(&t) || (p.drawflag && (p.CanBuGang(p.drawmj) || p.IsGang(p.drawmj))) ||
                       p.FindBuGang(&t);
    }
    claimcount = 0;
    if (buttons.hu)
        AddClaim(0, CLAIM_HU, false);
    if (buttons.gang)
        AddClaim(0, CLAIM_GANG, false);
    buttons.ting = minfan == 0 && !p.ting && CanDeclareReady(p, true);

    if (p.ting) {
        if (buttons.hu) {
            Hu(0);
            return;
        }
        if (buttons.gang && p.drawflag &&
            ((p.IsGang(p.drawmj) && ai.NeedGang(&p, p.drawmj, seenmj, MJ_TOTAL - mjindex)) ||
             p.CanBuGang(p.drawmj))) {
            GangTile(p.drawmj, 0);
            return;
        }
        // Ready and nothing to declare: the drawn tile goes straight out.
        buttons = ClaimChoices{};
        claimcount = 0;
        p.playmj = p.drawmj;
        firstdiscard = 1;
        LocalDiscard();
        return;
    }
    if (!buttons.gang && !buttons.hu && !buttons.ting) {
        discardhint = 1;
    } else {
        PlayEffect(EFFECT_PROMPT);
        ShowClaimButtons(true);
    }
    cansave = 1;
    Paint();
    RefreshHover();
    FlashMainWindow(hMainWnd);
}

void CMj::LocalDiscard()
{
    CMjPlayer &p = player[0];
    cansave = 0;
    firstdiscard = 0;
    if (p.drawflag) {
        p.Mj[p.cardnum++] = p.drawmj;
        p.drawflag = 0;
    }
    claimtaken = 0;
    p.SortMj();
    PlayTurn();
}

void CMj::PlayHighlighted()
{
    if (netgame) {
        NetGiveCard();
        return;
    }
    CMjPlayer &p = player[0];
    int i = p.hoverindex;
    if (gamestatus != 1 || !cansave || i < 0 || i > p.cardnum || claimbuttonsup || !p.tileok[i] || FlowerOnShow())
        return;
    if (i == p.cardnum && !p.drawflag)
        return;
    p.playmj = i == p.cardnum ? p.drawmj : p.Mj[i];
    firstdiscard = 1;
    p.hoverindex = -1;
    p.hasplayed = 0;
    ShowClaimButtons(false);
    Paint();
    DrawTile(true);
}

// A robot's own win and kongs before it discards; true when the turn went elsewhere.
bool CMj::RobotSelfDecision(CMjPlayer &p)
{
    int left = MJ_TOTAL - mjindex;
    if (!claimtaken && TestWin(p, p.Mj, p.cardnum, p.drawmj, true, false)) {
        Hu(curplayer);
        return true;
    }
    if (claimtaken)
        return false;
    if (p.ting) {
        MjTile d = p.drawmj;
        if ((p.GetMjCount(d) == 4 || p.CanBuGang(d)) && ai.NeedGang(&p, d, seenmj, left)) {
            GangTile(d, curplayer);
            return true;
        }
    } else if (mjindex < MJ_TOTAL) {
        MjTile t;
        if (p.FindAnGang(&t) && ai.NeedGang(&p, t, seenmj, left)) {
            GangTile(t, curplayer);
            return true;
        }
        if (p.FindBuGang(&t) && ai.NeedGang(&p, t, seenmj, left)) {
            GangTile(t, curplayer);
            return true;
        }
    }
    return false;
}

void CMj::PlayTurn()
{
    Timer(TIMER_ROBOT)->SetEnabled(false);
    int seat = curplayer;
    CMjPlayer &p = player[seat];
    int left = MJ_TOTAL - mjindex;
    if (seat != 0) {
        p.drawflag = 0;
        if (RobotSelfDecision(p))
            return;
        claimtaken = 0;
        if (p.ting) {
            p.playmj = p.drawmj;
        } else if (wildmode) {
            int count = p.cardnum;
            ai.PlayWild(&p, seenmj, left, wallmj, mjindex);
            p.cardnum = count;
        } else {
            ai.Play(&p, seenmj, left, wallmj, mjindex);
        }
    }

    if (!p.FindMj(p.playmj)) {
        g_log.Trace("不合法的麻将.FindMj is not succesfull.");
        p.playmj = p.Mj[0];
    }
    lastdiscard = p.playmj;
    for (CMjPlayer &q : player)
        q.winmj = lastdiscard;
    seenmj[lastdiscard.suit][lastdiscard.value]++;
    if (seat != 0)
        player[0].Mj[player[0].cardnum] = lastdiscard;
    discardhint = 0;
    p.PlayMj();
    PlayMjVoice(seat, lastdiscard);

    bool asksReady = seat == 0 ? readyrequest != 0 : (minfan == 0 && !p.ting);
    if (asksReady && gbhu.CanHu(&p, p.Mj, p.cardnum) > 0) {
        p.ting = 1;
        PlayActionVoice(seat, VOICE_TING);
    }
    readyrequest = seat == 0 ? 0 : readyrequest;

    if (seat != 0) {
        p.animation = 1;
        p.animtimer->interval = 600;
        p.animtimer->SetEnabled(true);
    }
    Paint();

    ScanClaims(seat);
    if (claimcount == 0) {
        Timer(TIMER_CLAIMS)->interval = robotpace;
        Timer(TIMER_CLAIMS)->SetEnabled(true);
    } else if (claimlist[0].seat != 0) {
        if (HasClaimOf(0)) {
            ClaimsRound(); // the robot's earlier claim wins over anything seat 0 could say
        } else {
            Timer(TIMER_CLAIMS)->interval = robotpace;
            Timer(TIMER_CLAIMS)->SetEnabled(true);
        }
    } else {
        OfferClaimsToLocal();
    }
}

bool CMj::WinsWith(int seat, MjTile tile, bool robbing)
{
    CMjPlayer &p = player[seat];
    MjTile tiles[15];
    for (int i = 0; i < p.cardnum; i++)
        tiles[i] = p.Mj[i];
    tiles[p.cardnum] = tile; // the evaluator counts the tiles by kind: no sort is needed
    return TestWin(p, tiles, p.cardnum + 1, tile, false, robbing);
}

void CMj::AddClaim(int seat, uint8_t kind, bool accepted)
{
    if (claimcount < 16)
        claimlist[claimcount++] = Claim{static_cast<uint8_t>(seat), kind, static_cast<uint8_t>(accepted), 0};
}

bool CMj::HasClaimOf(int seat) const
{
    for (int i = 0; i < claimcount; i++)
        if (claimlist[i].seat == seat)
            return true;
    return false;
}

// Who may take the discard: wins first, then kongs and pungs, then the next seat's chow.
void CMj::ScanClaims(int discarder)
{
    claimcount = 0;
    int left = MJ_TOTAL - mjindex;
    MjTile t = lastdiscard;
    for (int k = 1; k < 4; k++) {
        int s = (discarder + k) % 4;
        CMjPlayer &q = player[s];
        if (q.ishu)
            continue;
        if (WinsWith(s, t, false)) {
            hufound = 1;
            AddClaim(s, CLAIM_HU, s != 0);
        }
    }
    for (int k = 1; k < 4; k++) {
        int s = (discarder + k) % 4;
        CMjPlayer &q = player[s];
        if (q.ishu)
            continue;
        if (mjindex < kLastTile && q.CanGang(t)) {
            if (s != 0 || q.ting) {
                if (ai.NeedGang(&q, t, seenmj, left))
                    AddClaim(s, CLAIM_GANG, true);
            } else {
                AddClaim(s, CLAIM_GANG, false);
            }
        }
        if (q.CanPeng(t)) {
            if (s != 0) {
                if (ai.NeedPeng(&q, t, seenmj, left))
                    AddClaim(s, CLAIM_PENG, true);
            } else if (!q.ting) {
                AddClaim(s, CLAIM_PENG, false);
            }
        }
    }
    int s = NextSeat(discarder);
    CMjPlayer &q = player[s];
    if (!q.ishu && q.CanChi(t)) {
        if (s != 0) {
            if (ai.NeedChi(&q, t, seenmj, left))
                AddClaim(s, CLAIM_CHI, true);
        } else if (!q.ting) {
            AddClaim(s, CLAIM_CHI, false);
        }
    }
}

void CMj::OfferClaimsToLocal()
{
    CMjPlayer &me = player[0];
    PlayEffect(EFFECT_PROMPT);
    buttons = ClaimChoices{};
    for (int i = 0; i < claimcount; i++) {
        if (claimlist[i].seat != 0)
            continue;
        switch (claimlist[i].kind) {
        case CLAIM_HU: buttons.hu = 1; break;
        case CLAIM_GANG: buttons.gang = 1; break;
        case CLAIM_PENG: buttons.peng = 1; break;
        case CLAIM_CHI: buttons.chi = 1; break;
        }
    }
    buttons.pass = 1;
    if (me.ting && buttons.hu) {
        Hu(0);
        return;
    }
    if (me.ting && buttons.gang) {
        Gang(0);
        return;
    }
    ShowClaimButtons(true);
    Paint();
}

void CMj::ClaimsRound()
{
    Timer(TIMER_CLAIMS)->SetEnabled(false);
    for (int i = 0; i < claimcount; i++) {
        const Claim c = claimlist[i];
        if (!c.accepted || c.declined)
            continue;
        if (c.kind != CLAIM_HU)
            player[curplayer].ganging = 0;
        switch (c.kind) {
        case CLAIM_HU:
            Hu(c.seat);
            break;
        case CLAIM_GANG:
            if (c.seat == curplayer) {
                MjTile kong;
                if (ChosenKong(player[c.seat], &kong))
                    GangTile(kong, c.seat);
            } else {
                Gang(c.seat);
            }
            break;
        case CLAIM_PENG:
            Peng(c.seat);
            break;
        case CLAIM_CHI:
            Chi(c.seat);
            break;
        }
        return;
    }
    player[curplayer].ganging = 0;
    if (claimcount == 0)
        SetGameState(STATE_DISCARD);
    else
        DiscardLands();
}

void CMj::DiscardLands()
{
    Timer(TIMER_STATE)->SetEnabled(false);
    CMjPlayer &p = player[curplayer];
    p.hasplayed = 0;
    draw.AddToGrid(&p, curplayer, &lastdiscard);
    if (animateon) {
        draw.StartDiscardFlight(curplayer, &lastdiscard, player);
        Fly(CMjDraw::AnimTile, 30);
    }
    PlayEffect(EFFECT_DISCARD);
    if (p.outnum < CMjPlayer::kMaxOut)
        p.outmj[p.outnum++] = lastdiscard;
    Paint();
    NextPlayer();
    DrawTile(false);
}

void CMj::ShowClaimButtons(bool show)
{
    buttons.shown = show;
    if (!show) {
        buttons = ClaimChoices{};
        claimbuttonsup = 0;
    } else {
        claimbuttonsup = buttons.peng || buttons.gang || buttons.hu || buttons.chi;
    }
    SyncClaimButtons();
}

void CMj::SyncClaimButtons()
{    // The prompt on the screen: pung, kong, win, pass, chow and ready, each usable when offered.
    const struct {
        int index;
        uint8_t offered;
    } prompt[] = {{BTN_PENG, buttons.peng}, {BTN_GANG, buttons.gang}, {BTN_HU, buttons.hu},
                  {BTN_PASS, buttons.pass}, {BTN_CHI, buttons.chi},   {BTN_TING, buttons.ting}};
    for (const auto &b : prompt)
        if (CBitButton *button = tablebuttons.Get(b.index)) {
            button->visible = buttons.shown;
            button->enabled = b.offered;
        }
}
