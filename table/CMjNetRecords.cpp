// The server's records of table play. Each is read whole and checked first (ServerRecords); only
// then does it change the seats, the wall, the buttons and the sounds. Where the table changes, the
// arrays' bounds hold also for well-formed records in an order no server should send.
#include "table/CMj.h"

#include "platform/TimerService.h"
#include "rules/CLog.h"
#include "screen/Device.h"
#include "table/ClientRecords.h"
#include "windows/CDxChatWnd.h"
#include "windows/CInfoForm.h"
#include "windows/CScoreForm.h"
#include "windows/FlashMainWindow.h"
#include "windows/Screens.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kYellow = 0x00FFFF;
constexpr int kDealTiles = 52;
constexpr int kSystemSender = 100;
constexpr int kPictures = 12;
constexpr unsigned kDiceStepMs = 10;
constexpr unsigned kDiceRestMs = 500;
constexpr int kFlowerFrames = 12;
// The flower's frames follow each other as fast as the timers go.
constexpr unsigned kFlowerFrameMs = TimerService::kMinInterval;
// Past this many tiles taken, a restored hand has a discard lying in front of its seat.
constexpr int kRestoreDiscardAfter = 53;
const MjTile kFaceDown = MakeMj(SUIT_BACK, SUIT_BACK);

// In rule mode 4 the deal takes one more tile and the first flower is marked wherever it goes.
constexpr uint32_t kMarkMode = 4;
bool IsFirstFlower(MjTile tile)
{
    return tile.suit == SUIT_HUA && tile.value == 1;
}

} // namespace

// ---- The invariants where the table changes.

void CMj::TakeFromFront()
{
    if (mjindex >= MJ_TOTAL - 1)
        return;
    mjindex++;
    DrawFromWall();
}

void CMj::TakeFromBack()
{
    if (mjindex >= MJ_TOTAL - 1)
        return;
    mjindex++;
    DrawFromWallEnd();
}

void CMj::AddHandTiles(int seat, int delta)
{
    CMjPlayer &p = player[seat];
    p.cardnum = std::clamp(p.cardnum + delta, 0, kHandTiles);
}

void CMj::AddFlowers(int seat, int n)
{
    CMjPlayer &p = player[seat];
    p.flowernum = std::min(p.flowernum + n, kMaxFlowers);
}

void CMj::JoinDrawn(CMjPlayer &p)
{
    if (!p.drawflag)
        return;
    if (p.cardnum < kHandTiles)
        p.Mj[p.cardnum++] = p.drawmj;
    p.drawflag = 0;
}

void CMj::LastToDrawn(CMjPlayer &p)
{
    JoinDrawn(p); // a drawn tile already apart is not lost
    if (p.cardnum == 0)
        return;
    p.cardnum--;
    p.drawmj = p.Mj[p.cardnum];
    p.drawflag = 1;
}

void CMj::MoveDiscardOn()
{
    if (!discardflying)
        return;
    CMjPlayer &p = player[flyingseat];
    p.hasplayed = 0;
    draw.AddToGrid(&p, flyingseat, &p.playmj);
    if (p.outnum < CMjPlayer::kMaxOut)
        p.outmj[p.outnum++] = p.playmj;
    discardflying = 0;
}

void CMj::TakeFlyingDiscard()
{
    if (!discardflying)
        return;
    player[flyingseat].hasplayed = 0;
    discardflying = 0;
}

// ---- Helpers of the handlers.

void CMj::ChatLine(const std::string &text, uint32_t color)
{
    chatwnd[0]->AddText(text, color);
}

void CMj::OfferButtons(const Offers &offers)
{
    buttons = ClaimChoices{};
    buttons.peng = offers.peng;
    buttons.gang = offers.gang;
    buttons.hu = offers.hu;
    buttons.chi = offers.chi;
    buttons.pass = 1;
    ShowClaimButtons(true);
}

void CMj::AnimationFrame()
{
    if (!records.Hurrying())
        PaintFrame();
}

void CMj::AddDiceThrow(std::vector<RecordQueue::Step> &steps, int CMj::*thrower, int face1, int face2)
{
    steps.push_back([this, thrower, face1, face2] {
        dice1 = face1;
        dice2 = face2;
        PlayEffect(EFFECT_DICE);
        draw.StartDice(this->*thrower, face1 - 1, face2 - 1);
        draw.SetAnimKind(CMjDraw::AnimDice);
        draw.ShowDice(1);
        return RecordQueue::Beat{};
    });
    steps.push_back([this] {
        if (!draw.StepDice()) {
            AnimationFrame();
            return RecordQueue::Beat{kDiceStepMs, true};
        }
        draw.SetAnimKind(CMjDraw::AnimNone);
        AnimationFrame();
        return RecordQueue::Beat{kDiceRestMs, false};
    });
    steps.push_back([this] {
        draw.ShowDice(0);
        return RecordQueue::Beat{};
    });
}

// ---- The records, by type.

void CMj::OnDealCards(const GameMsg &msg)
{
    DealCards d;
    if (const char *why = ReadDealCards(msg, &d))
        return IgnoreRecord(msg, why);
    ResetTable();
    restorediscards.reset();
    CMjPlayer &me = player[0];
    me.drawflag = 0;
    me.cardnum = d.count;
    int flowers = 0;
    for (int i = 0; i < d.count; i++) {
        me.Mj[i] = d.tiles[i];
        me.tilemark[i] = rulemode == kMarkMode && IsFirstFlower(d.tiles[i]);
        flowers += d.tiles[i].suit == SUIT_HUA;
    }
    me.SortMj();
    for (int seat = 1; seat < 4; seat++)
        player[seat].cardnum = 13;
    cansave = 0;
    mjindex = -1;
    gamestatus = 1;
    for (int k = rulemode == kMarkMode ? kDealTiles + 1 : kDealTiles; k > 0; k--)
        TakeFromFront();
    Timer(TIMER_BLINK)->SetEnabled(true);
    Paint();
    FlashMainWindow(hMainWnd);

    wildmode = d.wild;
    if (d.wild) {
        wildmj = d.wildtile;
        wildindicator = d.indicator;
        for (int k = 0; k < d.extra; k++)
            TakeFromFront();
    }
    wildrule = 2;
    SyncRules();
    for (CMjPlayer &p : player) {
        p.wildmode = wildmode;
        p.wildmj = wildmj;
    }
    me.SortMj();
    if (flowers > 0 && BuildFlowerCount(sendbuf, flowers))
        SendBuffer();
}

void CMj::OnDrawCard(const GameMsg &msg)
{
    MjTile tile;
    if (const char *why = ReadDrawCard(msg, &tile))
        return IgnoreRecord(msg, why);
    CMjPlayer &me = player[0];
    if (me.cardnum >= kHandTiles)
        return IgnoreRecord(msg, "a draw beside a full hand");
    me.drawflag = 1;
    me.drawmj = tile;
    // The slot after the hand holds the tile too, where a win is looked for.
    me.Mj[me.cardnum] = tile;
    me.tilemark[me.cardnum] = rulemode == kMarkMode && IsFirstFlower(tile);
    curplayer = 0;
    countdown = showncountdown = kTurnSeconds;
    RefreshHover();
    Paint();
}

void CMj::OnGiveCard(const GameMsg &msg)
{
    GiveCard g;
    if (const char *why = ReadGiveCard(msg, &g))
        return IgnoreRecord(msg, why);
    const int s = ServerSeatToLocal(g.seat);
    // The local player's own discard moved the one before it when it was sent.
    if (s != 0)
        MoveDiscardOn();
    lastdiscard = g.tile;
    g_log.Trace("%d give card.", s);
    CMjPlayer &p = player[s];
    p.playmj = g.tile;
    p.hasplayed = 1;
    if (s != 0)
        AddHandTiles(s, -1);
    p.drawflag = 0;
    discardflying = 1;
    flyingseat = s;
    if (g.ready)
        p.ting = 1;
    Paint();
    if (s != 0)
        PlayMjVoice(s, g.tile);
}

void CMj::OnActionPrompt(const GameMsg &msg)
{
    OfferButtons(ReadOffers(msg, 3));
    countdown = kTurnSeconds;
    Timer(ACTIONTIMER)->SetEnabled(true);
    Paint();
    FlashMainWindow(hMainWnd);
}

void CMj::OnDice(const GameMsg &msg)
{
    Dice d;
    if (const char *why = ReadDice(msg, &d))
        return IgnoreRecord(msg, why);
    if (wildmode)
        wildmj = wildindicator = kFaceDown; // until the deal shows them
    if (curscreen == SCREEN_SCORE)
        scoreform->Hide();
    backdraws = 0;
    ResetTable();
    restorediscards.reset();
    roundwind = d.roundwind;
    banker = ServerSeatToLocal(d.dealer);
    showbanker = banker;
    SetSeatWinds();
    std::vector<RecordQueue::Step> steps;
    AddDiceThrow(steps, &CMj::banker, d.first[0], d.first[1]);
    steps.push_back([this] {
        sideseat = (banker + dice1 + dice2 - 1) % 4;
        return RecordQueue::Beat{};
    });
    AddDiceThrow(steps, &CMj::sideseat, d.second[0], d.second[1]);
    steps.push_back([this] {
        changchengstart = kSideStart[sideseat] + dice1 + dice2 - 1;
        gamestatus = 1;
        Paint();
        return RecordQueue::Beat{};
    });
    records.Play(std::move(steps));
}

void CMj::OnYourTurn(const GameMsg &msg)
{
    CMjPlayer &me = player[0];
    curplayer = 0;
    cansave = 1;
    countdown = kTurnSeconds;
    RestartShownCountdown();
    if (msg.Get(2) == 0) {
        Timer(GIVETIMER)->SetEnabled(true);
        if (me.ting) {
            // A ready hand plays the tile it drew.
            me.hoverindex = me.drawflag ? me.cardnum : me.cardnum - 1;
            NetGiveCard();
            return;
        }
        readyrequest = 0;
        if (minfan == 0 && CanDeclareReady(me, true)) {
            buttons = ClaimChoices{};
            buttons.ting = 1;
            buttons.pass = 1;
            PlayEffect(EFFECT_PROMPT);
            ShowClaimButtons(true);
        }
    } else {
        OfferButtons(ReadOffers(msg, 3));
        Timer(ACTIONTIMER)->SetEnabled(true);
    }
    Paint();
    FlashMainWindow(hMainWnd);
}

void CMj::OnOtherDraw(const GameMsg &msg)
{
    const int s = ServerSeatToLocal(msg.Get(3));
    curplayer = s;
    TakeFromFront();
    if (s != 0) {
        AddHandTiles(s, 1);
        player[s].drawflag = 1; // the tile itself stays hidden
    }
    showncountdown = kTurnSeconds;
    Paint();
}

void CMj::OnSendAction(const GameMsg &msg)
{
    SeatAction a;
    if (const char *why = ReadSeatAction(msg, &a))
        return IgnoreRecord(msg, why);
    const int s = ServerSeatToLocal(a.seat);
    CMjPlayer &me = player[0];
    CMjPlayer &p = player[s];
    const bool local = s == 0;
    Timer(ACTIONTIMER)->SetEnabled(false);
    CancelChoices();

    switch (a.action) {
    case SA_PENG:
        curplayer = s;
        TakeFlyingDiscard();
        PlayActionVoice(s, VOICE_PENG);
        ShowActionIcon(s, 1);
        if (local)
            me.DeleteMjN(a.tile, 2);
        else
            AddHandTiles(s, -2);
        AddMeld(p, a.tile, GETMJ_PENG, 1);
        if (local) {
            me.SortMj();
            LastToDrawn(me); // so that the seat can discard
        }
        RestartShownCountdown();
        Paint();
        return;
    case SA_GANG:
        // The replacement tile comes as a draw record; nothing is repainted before it.
        PlayActionVoice(s, VOICE_GANG);
        ShowActionIcon(s, 2);
        if (a.kind == KONG_ON_DISCARD) {
            curplayer = s;
            TakeFlyingDiscard();
            if (local)
                me.DeleteMjN(a.tile, 3);
            else
                AddHandTiles(s, -3);
            AddMeld(p, a.tile, GETMJ_GANG, 1);
        } else if (a.kind == KONG_CONCEALED) {
            if (local) {
                JoinDrawn(me);
                me.DeleteMjN(a.tile, 4);
            } else {
                AddHandTiles(s, -4);
            }
            AddMeld(p, a.tile, GETMJ_GANG, 0);
        } else {
            if (local) {
                JoinDrawn(me);
                me.DeleteMj(a.tile);
            } else {
                AddHandTiles(s, -1);
            }
            UpgradePung(p, a.tile);
        }
        if (local)
            me.SortMj();
        return;
    case SA_HU:
        OnSeatWins(a, s);
        return;
    case SA_CHI:
        curplayer = s;
        TakeFlyingDiscard();
        PlayActionVoice(s, VOICE_CHI);
        ShowActionIcon(s, 5);
        if (local) {
            me.DeleteMj(a.chow[0]);
            me.DeleteMj(a.chow[1]);
            me.SortMj();
        } else {
            AddHandTiles(s, -2);
        }
        AddChow(p, a.tile, a.chow[0], a.chow[1]);
        if (local)
            LastToDrawn(me);
        RestartShownCountdown();
        Paint();
        return;
    }
}

void CMj::OnSeatWins(const SeatAction &a, int s)
{
    g_log.Trace("Hu. OnGameMsg");
    ChatLine(" ", kWhite);
    CMjPlayer &w = player[s];
    // A seat where nobody sits is played by the server's robot.
    auto said = [this](int seat, const char *what) {
        const CMjPlayer &p = player[seat];
        return p.seated ? p.GetName() + " : " + what : std::string("机器人") + what;
    };
    w.ishu = 1;
    w.humj = w.winmj = a.tile;
    const bool selfdrawn = a.kind == 1;
    PlayActionVoice(s, selfdrawn ? VOICE_ZIMO : VOICE_HU);
    ShowActionIcon(s, 3);
    if (selfdrawn) {
        w.zimo = 1;
        ChatLine(said(s, "自摸"), kWhite);
        Paint();
        return;
    }
    int payer = -1;
    if (a.kind == 2 && curplayer == 0) {
        // The local player pays on its own turn. Its own discard left the hand when it was sent; only
        // a tile robbed from its kong is still there, and goes now.
        CMjPlayer &me = player[0];
        if (!(discardflying && flyingseat == 0)) {
            g_log.Trace("Copy Hand Mj to hand.");
            JoinDrawn(me);
            me.DeleteMj(a.tile);
            me.SortMj();
        }
        payer = 0;
    } else if (discardflying) {
        payer = flyingseat;
    }
    w.zimo = 0;
    w.payseat = payer;
    if (payer >= 0) {
        ShowActionIcon(payer, 4);
        player[payer].hasplayed = 0;
        discardflying = 0;
        ChatLine(said(payer, "点炮"), kWhite);
    }
    ChatLine(said(s, "胡"), kWhite);
    Paint();
}

void CMj::OnEnterTable(const GameMsg &msg)
{
    const EnterTable e = ReadEnterTable(msg);
    if (infoformon)
        infoform->Hide();
    chatwnd[0]->Clear();
    showbanker = -1;
    ownseat = e.ownseat % 4;
    if (e.showstart)
        tablebuttons.Get(BTN_START)->visible = 1;
    rulemode = e.rulemode;
    ResetTable();
    restorediscards.reset();
    gamestatus = 0;
    if (curscreen == SCREEN_LOBBY && netroom)
        netroom->Hide();
    minfan = e.minfan;
    wildmode = e.wild;
    if (e.wild) {
        ChatLine("财神规则", kWhite);
        wildmj = wildindicator = kFaceDown;
    }
    SyncRules();
    for (CMjPlayer &p : player)
        p.wildmode = wildmode;
    Paint();
}

void CMj::OnHandResult(const GameMsg &msg)
{
    HandResult r;
    if (const char *why = ReadHandResult(msg, &r))
        return IgnoreRecord(msg, why);
    if (r.revealed) {
        for (int i = 0; i < 4; i++) {
            CMjPlayer &p = player[ServerSeatToLocal(i)];
            p.scorechange = r.change[i];
            p.cardnum = r.count[i];
            std::copy_n(r.tiles[i], r.count[i], p.Mj);
            p.drawflag = 0; // the whole hand is shown now
            p.SortMj();
        }
        Paint();
        return;
    }
    if (!r.drawn) {
        CMjPlayer &w = player[ServerSeatToLocal(r.winner)];
        // The grouping for the score screen, from a whole hand that was shown; a hidden one has none.
        if (HoldsAWholeHand(w, w.cardnum) && std::all_of(w.Mj, w.Mj + w.cardnum, IsRealTile)) {
            MjTile tiles[kHandTiles];
            std::copy_n(w.Mj, w.cardnum, tiles);
            SortMj(tiles, w.cardnum);
            gbhu.Hu(&w, tiles, w.cardnum, seenmj, std::max(0, MJ_TOTAL - mjindex));
        }
        w.totalfan = r.points;
        std::memcpy(gbhu.fanflag, r.fans, sizeof r.fans);
        std::memcpy(gbhu.fanflag + CGbHu::kExtraBase, r.extras, sizeof r.extras);
        std::memcpy(w.fanflag, r.fans, sizeof w.fanflag);
        std::memcpy(w.extrafanflag, r.extras, sizeof w.extrafanflag);
        if (w.flowernum > 0)
            w.fanflag[FAN_FLOWERS] = 1;
    }
    for (const char *line : {" ", "==结束==", " "})
        ChatLine(line, kWhite);
    gamestatus = 2;
    for (CMjPlayer &p : player)
        p.started = 0;
    Timer(TIMER_BLINK)->SetEnabled(false);
    Timer(GIVETIMER)->SetEnabled(false);
    Timer(ACTIONTIMER)->SetEnabled(false);
    for (uint8_t &ok : player[0].tileok)
        ok = 1;
    if (player[0].scorechange > 0)
        PlayEffect(EFFECT_WIN);
    draw.SetShowAll(1);
    player[0].drawflag = 0;
    scoreform->Show();
    FlashMainWindow(hMainWnd);
}

void CMj::OnTableChat(const GameMsg &msg)
{
    const TableChat c = ReadTableChat(msg);
    if (c.sender == kSystemSender)
        ChatLine("【系统消息】：" + c.text, kYellow);
    else if (c.sender < 4)
        ChatLine(player[ServerSeatToLocal(c.sender)].GetName() + "说：" + c.text, kWhite);
    else
        ChatLine(c.text, kWhite);
    Paint();
}

void CMj::OnGameRestore(const GameMsg &msg)
{
    if (msg.Get(1) != 1) {
        // The discards: kept, so that a first record coming after them does not wipe them.
        restorediscards = msg;
        RestoreDiscardRows(msg);
    } else {
        const RestoreHand r = ReadRestoreHand(msg);
        ResetTable();
        rulemode = r.rulemode;
        if (curscreen == SCREEN_LOBBY && netroom)
            netroom->Hide();
        gamestatus = 1;
        cansave = 0;
        const int before = ownseat;
        ownseat = r.ownseat % 4;

        CMjPlayer &me = player[0];
        g_log.Trace("手中的牌的张数是:%d", r.count);
        me.cardnum = r.count;
        for (int i = 0; i < r.count; i++) {
            me.Mj[i] = r.tiles[i];
            g_log.Trace("[%d %d] ", me.Mj[i].value, me.Mj[i].suit);
        }
        int flowers = 0;
        for (int i = 0; i < 4; i++) {
            const int s = ServerSeatToLocal(i);
            CMjPlayer &p = player[s];
            // The local count is the tiles it was given; a second count of them is not trusted.
            if (s != 0)
                p.cardnum = r.counts[i];
            else if (r.counts[i] != r.count)
                g_log.Trace("Restore: %d tiles counted for %d given.", r.counts[i], r.count);
            p.flowernum = r.flowers[i];
            flowers += r.flowers[i];
            p.ting = r.ready[i];
        }
        dice1 = r.dice[0];
        dice2 = r.dice[1];
        banker = ServerSeatToLocal(r.dealer);
        mjindex = r.mjindex;
        flyingseat = ServerSeatToLocal(r.lastseat);
        curplayer = ServerSeatToLocal(r.current);
        if (r.haslast) {
            lastdiscard = r.last;
            if (mjindex > kRestoreDiscardAfter) {
                CMjPlayer &p = player[flyingseat];
                p.playmj = r.last;
                p.hasplayed = 1;
                discardflying = 1;
            }
        }
        roundwind = r.roundwind;
        minfan = r.minfan;
        SyncRules();
        SetSeatWinds();
        if (r.waiting && curplayer == 0) {
            g_log.Trace("等待出牌的状态.");
            g_log.Trace("该自己出牌了.");
            LastToDrawn(me);
            cansave = 1;
        }
        // A seat holding a turn's tiles holds one apart. Another seat's count includes that tile,
        // as a draw record counts it; the local one keeps its tile as the drawn tile.
        for (int s = 0; s < 4; s++) {
            CMjPlayer &p = player[s];
            if (p.cardnum % 3 != 2)
                continue;
            if (s == 0)
                LastToDrawn(p);
            else
                p.drawflag = 1;
        }

        // The wall: the front taken up to the tiles drawn, the flowers' replacements off the back.
        Timer(TIMER_BLINK)->enabled = 1;
        sideseat = 1;
        changchengstart = kSideStart[sideseat] + dice1 + dice2 - 1;
        std::memset(wallstack, 2, sizeof wallstack);
        backdraws = 0;
        const int taken = mjindex;
        for (mjindex = 0; mjindex <= taken - flowers; mjindex++)
            DrawFromWall();
        mjindex = taken;
        for (int k = 0; k < flowers; k++)
            DrawFromWallEnd();

        for (int i = 0; i < 4; i++) {
            CMjPlayer &p = player[ServerSeatToLocal(i)];
            p.getnum = r.meldcount[i];
            for (int m = 0; m < r.meldcount[i]; m++) {
                const Meld &meld = r.melds[i][m];
                p.getmj[m] = GetMj{};
                p.getmj[m].count = meld.count;
                p.getmj[m].kind = meld.kind;
                std::copy_n(meld.tiles, meld.count, p.getmj[m].tiles);
            }
        }
        if (restorediscards)
            RestoreDiscardRows(*restorediscards);
        if (seatinfo && ownseat != before)
            OnTableUserInfo(*seatinfo);
    }
    curscreen = SCREEN_NONE;
    tablebuttons.Get(BTN_START)->visible = 0;
    Paint();
}

void CMj::RestoreDiscardRows(const GameMsg &msg)
{
    const RestoreDiscards d = ReadRestoreDiscards(msg);
    for (int i = 0; i < 4; i++) {
        CMjPlayer &p = player[ServerSeatToLocal(i)];
        p.outnum = d.count[i];
        std::copy_n(d.tiles[i], d.count[i], p.outmj);
    }
    // The rows are laid again turn by turn, as the discards came.
    ClearTableView();
    for (int k = 0; k < CMjPlayer::kMaxOut; k++)
        for (int seat = 0; seat < 4; seat++)
            if (k < player[seat].outnum)
                draw.AddToGrid(&player[seat], seat, &player[seat].outmj[k]);
}

void CMj::OnTableUserInfo(const GameMsg &msg)
{
    SeatInfo seats[4];
    ReadSeatInfo(msg, seats);
    seatinfo = msg;
    for (int i = 0; i < 4; i++) {
        const int s = ServerSeatToLocal(i);
        CMjPlayer &p = player[s];
        const SeatInfo &info = seats[i];
        p.seated = info.state != 0;
        if (p.seated)
            p.ready = info.state == 2;
        p.score = info.score;
        p.SetName(info.name);
        // The user list's rights mark the seat: a user it does not list has none.
        const UserRow *user = p.seated ? userlist.FindUserItem(p.GetName()) : nullptr;
        p.marklevel = user ? user->info.rights : 0;
        p.sex = info.male;
        // A picture the set does not have shows the default one for the seat's sex.
        const bool known = info.picture >= 1 && info.picture <= kPictures;
        p.avatarindex = known ? info.picture : (p.sex == 1 ? 7 : 1);
        draw.SetAvatar(s, p.avatarindex);
    }
    g_log.Trace("SC_TABLE_USERINFO gamestatus = %d.", gamestatus);
    Paint();
}

void CMj::OnUserStart(const GameMsg &msg)
{
    g_log.Trace("SC_USER_START.");
    for (int i = 0; i < 4; i++) {
        CMjPlayer &p = player[ServerSeatToLocal(i)];
        p.started = msg.Get(3 + i) != 0;
        if (p.started)
            g_log.Trace("%d start.gamestatus = %d %d", i, gamestatus, netgame);
    }
    Paint();
}

void CMj::OnFlowerCard(const GameMsg &msg)
{
    FlowerCard f;
    if (const char *why = ReadFlowerCard(msg, &f))
        return IgnoreRecord(msg, why);
    const int s = ServerSeatToLocal(f.seat);
    CMjPlayer &p = player[s];
    if (f.inplay) {
        if (s == 0 && p.cardnum >= kHandTiles)
            return IgnoreRecord(msg, "a drawn tile beside a full hand");
        TakeFromBack();
        AddFlowers(s, 1);
        PlayActionVoice(s, VOICE_FLOWER);
        p.drawmj = f.tiles[0];
        p.drawflag = 1;
        // The renderer reads the animation's frame while timer 101's flag is set.
        flowerseat = s;
        flowerframe = 0;
        Timer(TIMER_FLOWERPAUSE)->enabled = 1;
        records.Play({[this] {
            AnimationFrame();
            if (++flowerframe < kFlowerFrames)
                return RecordQueue::Beat{kFlowerFrameMs, true};
            Timer(TIMER_FLOWERPAUSE)->enabled = 0;
            Paint();
            return RecordQueue::Beat{};
        }});
        return;
    }
    if (s == 0) {
        // Each replacement takes the place of one flower: the drawn tile first, else the first in hand.
        for (int k = 0; k < f.count; k++) {
            if (p.drawflag && p.drawmj.suit == SUIT_HUA) {
                p.drawmj = f.tiles[k];
                continue;
            }
            MjTile *flower = std::find_if(p.Mj, p.Mj + p.cardnum, [](MjTile t) { return t.suit == SUIT_HUA; });
            if (flower != p.Mj + p.cardnum)
                *flower = f.tiles[k];
        }
        p.SortMj();
    }
    PlayActionVoice(s, VOICE_FLOWER);
    AddFlowers(s, f.count);
    for (int k = 0; k < f.count; k++)
        TakeFromFront();
    Paint();
}
