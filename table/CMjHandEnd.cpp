// The end of a hand: the win, the payments, the dealer passing on, and the next hand.
#include "table/CMj.h"

#include "platform/MessageBox.h"
#include "table/ClientRecords.h"
#include "table/Shell.h"
#include "windows/CScoreForm.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

void CMj::Hu(int seat)
{
    CMjPlayer &p = player[seat];
    MjTile tiles[15];
    int n = p.cardnum;
    std::memcpy(tiles, p.Mj, sizeof(MjTile) * n);
    bool current = seat == curplayer;
    MjTile win;
    bool drawnInHand = false;
    if (seat == 0) {
        win = p.Mj[p.cardnum];
        tiles[n++] = win;
        SortMj(tiles, n);
    } else if (current) {
        win = p.drawmj;
        drawnInHand = true;
    } else {
        win = lastdiscard;
        tiles[n++] = win;
        SortMj(tiles, n);
    }
    bool robbed = robpossible != 0;
    if (!TestWin(p, tiles, n, win, current, robbed)) {
        if (shell)
            shell->PostBox("重新开始游戏", "dazu", MessageBox::IconInformation, nullptr);
        return;
    }
    if (drawnInHand)
        p.DeleteMj(win);
    p.humj = win;
    if (robbed && !current) {
        // The robbed tile leaves the hand of the seat that was adding it to its pung.
        CMjPlayer &loser = player[curplayer];
        if (loser.drawflag && IsSameMj(loser.drawmj, win))
            loser.drawflag = 0;
        else
            loser.DeleteMj(win);
    }

    std::memcpy(p.fanflag, gbhu.fanflag, sizeof p.fanflag);
    std::memcpy(p.extrafanflag, gbhu.fanflag + CGbHu::kExtraBase, sizeof p.extrafanflag);
    PlayActionVoice(seat, current ? VOICE_ZIMO : VOICE_HU);
    if (seat == 0)
        cansave = 0;
    if (!current) {
        player[curplayer].hasplayed = 0;
        ShowActionIcon(curplayer, 4);
        ShowActionIcon(seat, 3);
        Paint();
        FlyClaimedTile(seat);
    }
    p.ishu = 1;

    if (!current) {
        PayScore(seat, p.totalfan, false, curplayer);
        p.payseat = curplayer;
    } else {
        PayScore(seat, p.totalfan, true, -1);
        p.payseat = -1;
        if (p.ganging && p.gangseat != -1)
            p.payseat = p.gangseat;
    }
    curplayer = seat;
    NextPlayer();
    DrawTile(false);
}

void CMj::MoveScore(int from, int to, int64_t amount)
{
    // The chips fly from the payer's plate to the winner's before the points move.
    draw.StartSeatFlight(from, to);
    Fly(CMjDraw::AnimChip, 30);
    // No more moves than keeps both seats' scores, and this hand's changes, within what a saved game
    // holds: a game played on from any saved game can be saved and loaded again.
    CMjPlayer &payer = player[from];
    CMjPlayer &winner = player[to];
    constexpr int64_t bound = SavedGame::kScoreBound;
    const int64_t room = std::min({bound - winner.score, bound - winner.scorechange, payer.score + bound,
                                   payer.scorechange + bound});
    const auto moved = static_cast<int32_t>(std::clamp<int64_t>(amount, 0, std::max<int64_t>(room, 0)));
    payer.score -= moved;
    payer.scorechange -= moved;
    winner.score += moved;
    winner.scorechange += moved;
    PlayEffect(EFFECT_PAY);
}

void CMj::PayScore(int winner, int fan, bool selfdrawn, int payer)
{
    const int64_t unit = int64_t{fan} * scoremultiplier;
    if (!selfdrawn) {
        MoveScore(payer, winner, unit);
        return;
    }
    for (int s = 0; s < 4; s++)
        if (s != winner && !player[s].ishu)
            MoveScore(s, winner, unit);
}

void CMj::EndHand()
{
    banker = NextSeat(banker);
    if (banker == 0)
        roundwind = roundwind % 4 + 1;
    gamestatus = 2;
    for (const CMjPlayer &p : player)
        for (int i = 0; i < p.cardnum; i++)
            seenmj[p.Mj[i].suit][p.Mj[i].value]++;
    Timer(TIMER_SHOWALL)->SetEnabled(false);
    draw.SetShowAll(1);
    player[0].drawflag = 0;
    for (CMjPlayer &p : player) {
        if (!p.ishu || p.cardnum >= 14)
            continue;
        p.Mj[p.cardnum++] = p.humj;
        p.SortMj();
    }
    scoreform->Show();
    if (player[0].scorechange >= 1)
        PlayEffect(EFFECT_WIN);
}

void CMj::NextHand()
{
    if (netgame) {
        // The server deals the next hand once every seat is ready.
        BuildBare(sendbuf, CS_READY);
        SendBuffer();
        player[0].started = 1;
        return;
    }
    for (const CMjPlayer &p : player)
        if (p.score < 1) {
            ShowMessage("Some people went bankrupt,  Game is over.");
            return;
        }
    StartHand();
}

void CMj::SyncRules()
{
    gbhu.SetMinFan(minfan);
    gbhu.SetWildMode(wildmode, wildmj);
    ai.SetMinFan(minfan);
    ai.SetWildMode(wildmode, wildmj);
}
