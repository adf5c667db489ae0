#include "rules/CMjPlayer.h"

#include "rules/CLog.h"

#include <algorithm>
#include <cstring>

namespace {

std::unique_ptr<CMjTimer> MakeTimer(unsigned interval)
{
    auto timer = std::make_unique<CMjTimer>();
    timer->interval = interval;
    return timer;
}

bool IsNumbered(MjTile tile)
{
    return tile.suit >= SUIT_WAN && tile.suit <= SUIT_BING;
}

bool IsOpenPung(const GetMj &meld)
{
    return meld.count == 3 && meld.kind == GETMJ_PENG;
}

} // namespace

CMjPlayer::CMjPlayer()
    : animtimer(MakeTimer(kAnimInterval)), speechtimer(MakeTimer(kSpeechInterval)),
      actiontimer(MakeTimer(kActionInterval))
{
    Reset();
}

CMjPlayer::~CMjPlayer() = default;

void CMjPlayer::Reset()
{
    action = 0;
    chiflag = 0;
    scorechange = 0;
    cardnum = 0;
    getnum = 0;
    outnum = 0;
    hoverindex = -1;
    std::fill(std::begin(exposed), std::end(exposed), 1);
    std::fill(std::begin(meldshown), std::end(meldshown), 0);
    std::fill(std::begin(tilemark), std::end(tilemark), 0);
    std::fill(std::begin(tileok), std::end(tileok), 1);
    payseat = -1;
    ting = 0;
    zimo = 0;
    ishu = 0;
    hasplayed = 0;
    drawflag = 0;
    totalfan = 0;
    flowernum = 0;
    // A hand that ended on a kong's replacement must not lend its kong flags to the next one.
    ganging = 0;
    gangseat = -1;
    ganghu = 0;
    qiangganghu = 0;
    drawcount = 0;
    onesuitplan = 0;
    onesuit = 0;
    qiduiplan = 0;
    defaultplan = 0;
    bukaoplan = 0;
    zuhelongplan = 0;
    std::fill(std::begin(bukaosuits), std::end(bukaosuits), 0);
    std::fill(std::begin(zuhelongsuits), std::end(zuhelongsuits), 0);
    std::memset(fanflag, 0, sizeof fanflag);
    std::memset(extrafanflag, 0, sizeof extrafanflag);
    chinum = 0;
    gangnum = 0;
    hunum = 0;
}

std::string CMjPlayer::GetName() const
{
    return std::string(playername, strnlen(playername, sizeof playername));
}

void CMjPlayer::SetName(std::string_view name)
{
    std::memset(playername, 0, sizeof playername);
    std::memcpy(playername, name.data(), std::min(name.size(), sizeof playername));
}

void CMjPlayer::SortMj()
{
    if (MarksAlike()) {
        // Tiles of one kind are told apart only by their marks, so while those agree every sort
        // ends alike; hands arrive sorted but for a drawn tile, which insertion places in one pass.
        for (int i = 1; i < cardnum; i++)
            for (int j = i; j > 0 && NeedSwap(j - 1, j); j--)
                SwapMj(j - 1, j);
    } else {
        // The exchange order decides where marks of equal tiles end up.
        for (int i = 0; i < cardnum - 1; i++)
            for (int j = i + 1; j < cardnum; j++)
                if (NeedSwap(i, j))
                    SwapMj(i, j);
    }
    CountSuits();
}

bool CMjPlayer::MarksAlike() const
{
    for (int i = 1; i < cardnum; i++)
        if (tilemark[i] != tilemark[0])
            return false;
    return true;
}

bool CMjPlayer::WildNeedSwap(int i, int j) const
{
    bool wi = IsWildMj(Mj[i], wildmj);
    bool wj = IsWildMj(Mj[j], wildmj);
    if (wi != wj)
        return wj;
    if (wi)
        return Mj[j].value < Mj[i].value;
    return MjGreater(Mj[i], Mj[j]);
}

void CMjPlayer::SwapMj(int i, int j)
{
    ::SwapMj(Mj, i, j);
    std::swap(tilemark[i], tilemark[j]);
}

void CMjPlayer::CountSuits()
{
    std::fill(std::begin(suitcount), std::end(suitcount), 0);
    for (int i = 0; i < cardnum; i++)
        if (IsNumbered(Mj[i]))
            suitcount[Mj[i].suit]++;
}

bool CMjPlayer::CanPeng(MjTile tile) const
{
    return !IsWildMj(tile, wildmj) && GetMjCount(tile) >= 2;
}

bool CMjPlayer::CanGang(MjTile tile) const
{
    return !IsWildMj(tile, wildmj) && GetMjCount(tile) == 3;
}

bool CMjPlayer::IsGang(MjTile tile) const
{
    return CanGang(tile);
}

bool CMjPlayer::CanChi(MjTile tile)
{
    chinum = 0;
    if (IsWildMj(tile, wildmj) || !IsNumbered(tile))
        return false;
    int v = tile.value;
    auto tryShape = [&](bool fits, int a, int b) {
        if (!fits)
            return;
        MjTile ta = MakeMj(a, tile.suit);
        MjTile tb = MakeMj(b, tile.suit);
        if (!FindMj(ta) || !FindMj(tb) || IsWildMj(ta, wildmj) || IsWildMj(tb, wildmj))
            return;
        chichoice[chinum].tiles[0] = ta;
        chichoice[chinum].tiles[1] = tb;
        chinum++;
    };
    tryShape(v >= 2 && v <= 8, v - 1, v + 1);
    tryShape(v > 2, v - 2, v - 1);
    tryShape(v < 8, v + 1, v + 2);
    return chinum > 0;
}

int CMjPlayer::FindIndex(MjTile tile) const
{
    for (int i = 0; i < cardnum; i++)
        if (IsSameMj(Mj[i], tile))
            return i;
    return -1;
}

void CMjPlayer::RemoveAt(int index)
{
    for (int i = index; i < cardnum - 1; i++) {
        Mj[i] = Mj[i + 1];
        tilemark[i] = tilemark[i + 1];
    }
    cardnum--;
}

void CMjPlayer::RemovePlayMj()
{
    int i = FindIndex(playmj);
    if (i >= 0)
        RemoveAt(i);
}

void CMjPlayer::PlayMj()
{
    RemovePlayMj();
    hasplayed = 1;
}

void CMjPlayer::DeleteMj(MjTile tile)
{
    int i = FindIndex(tile);
    if (i < 0) {
        g_log.Error("DeleteMj can't find mj to delete.\n");
        return;
    }
    RemoveAt(i);
}

void CMjPlayer::DeleteMjN(MjTile tile, int n)
{
    for (int k = 0; k < n; k++)
        DeleteMj(tile);
}

int CMjPlayer::GetMjCount(MjTile tile) const
{
    return static_cast<int>(std::count_if(Mj, Mj + cardnum, [&](MjTile t) { return IsSameMj(t, tile); }));
}

bool CMjPlayer::FindMj(MjTile tile) const
{
    return FindIndex(tile) >= 0;
}

bool CMjPlayer::FindAnGang(MjTile *out)
{
    SortMj();
    for (int i = 0; i < cardnum;) {
        int run = 1;
        while (i + run < cardnum && IsSameMj(Mj[i + run], Mj[i]))
            run++;
        if (run == 4) {
            *out = Mj[i];
            return true;
        }
        i += run;
    }
    return false;
}

bool CMjPlayer::CanBuGang(MjTile tile) const
{
    for (int m = 0; m < getnum; m++)
        if (IsOpenPung(getmj[m]) && IsSameMj(getmj[m].tiles[0], tile))
            return true;
    return false;
}

bool CMjPlayer::FindBuGang(MjTile *out) const
{
    for (int m = 0; m < getnum; m++) {
        if (!IsOpenPung(getmj[m]))
            continue;
        int i = FindIndex(getmj[m].tiles[0]);
        if (i >= 0) {
            *out = Mj[i];
            return true;
        }
    }
    return false;
}

int CMjPlayer::GetGangList()
{
    gangnum = 0;
    auto add = [&](MjTile tile) {
        if (gangnum < static_cast<int>(std::size(gangchoice)) && !::FindMj(gangchoice, gangnum, tile))
            gangchoice[gangnum++] = tile;
    };
    if (drawflag && GetMjCount(drawmj) == 3)
        add(drawmj);
    for (int i = 0; i < cardnum - 3; i++)
        if (GetMjCount(Mj[i]) == 4)
            add(Mj[i]);
    if (drawflag && CanBuGang(drawmj))
        add(drawmj);
    for (int i = 0; i < cardnum; i++)
        if (CanBuGang(Mj[i]))
            add(Mj[i]);
    return gangnum;
}

int CMjPlayer::GetSuitCount(int suit) const
{
    int n = 0;
    for (int i = 0; i < cardnum; i++)
        if (Mj[i].suit == suit)
            n++;
    for (int m = 0; m < getnum; m++)
        for (int k = 0; k < getmj[m].count; k++)
            if (getmj[m].tiles[k].suit == suit)
                n++;
    return n;
}

int CMjPlayer::FindMainSuit(int threshold) const
{
    for (int suit = SUIT_WAN; suit <= SUIT_BING; suit++)
        if (GetSuitCount(suit) >= threshold)
            return suit;
    return 10;
}

bool CMjPlayer::IsWildMj(MjTile tile, MjTile wild) const
{
    if (!wildmode)
        return false;
    return IsSameMj(tile, wild) || (tile.suit == SUIT_HUA && wild.suit == SUIT_HUA);
}
