#include "tests/kit/TableAudit.h"

#include "windows/CNetRoom.h"

#include "platform/TimerService.h"
#include "table/CMj.h"
#include "table/TileCount.h"

#include <algorithm>
#include <cstring>

namespace {

// What is on its way between the wall and a seat: a drawn tile flying from the wall or held up a
// moment for a ready player, out of the wall and in no hand yet; and the local player's flower,
// kept in view, already set aside, while its replacement is waited for, flies in and is held up.
struct InFlight {
    bool drawn = false;
    bool flowerOnShow = false;
};

InFlight OnItsWay(const CMj &mj)
{
    const TimerService &timers = TimerService::Current();
    InFlight f;
    f.drawn = timers.IsRunning(TIMER_READYDRAW) || timers.IsRunning(TIMER_FLIGHT);
    const CMjPlayer &own = mj.player[0];
    f.flowerOnShow = mj.curplayer == 0 && own.drawflag && own.drawmj.suit == SUIT_HUA &&
                     (f.drawn || timers.IsRunning(TIMER_FLOWERPAUSE));
    return f;
}

// The used part of a seat's arrays: a count out of its range reads none of them, and the rules
// report it.
int Used(int count, int size)
{
    return count < 0 || count > size ? 0 : count;
}

template <class Kept> bool SameSeat(const Kept &k, const CMjPlayer &p)
{
    if (k.cardnum != p.cardnum || k.getnum != p.getnum || k.outnum != p.outnum || k.flowernum != p.flowernum ||
        k.drawflag != p.drawflag || k.ishu != p.ishu || k.hasplayed != p.hasplayed || !IsSameMj(k.drawmj, p.drawmj) ||
        !IsSameMj(k.humj, p.humj) || !IsSameMj(k.playmj, p.playmj))
        return false;
    for (int m = 0; m < Used(p.getnum, 5); m++)
        if (k.getmj[m].count != p.getmj[m].count ||
            std::memcmp(k.getmj[m].tiles, p.getmj[m].tiles, sizeof k.getmj[m].tiles) != 0)
            return false;
    return std::memcmp(k.Mj, p.Mj, sizeof(MjTile) * Used(p.cardnum, 14)) == 0 &&
           std::memcmp(k.outmj, p.outmj, sizeof(MjTile) * Used(p.outnum, CMjPlayer::kMaxOut)) == 0;
}

template <class Kept> void KeepSeat(Kept &k, const CMjPlayer &p)
{
    static_assert(sizeof k.Mj == sizeof p.Mj && sizeof k.getmj == sizeof p.getmj && sizeof k.outmj == sizeof p.outmj);
    std::memcpy(k.Mj, p.Mj, sizeof(MjTile) * Used(p.cardnum, 14));
    std::memcpy(k.outmj, p.outmj, sizeof(MjTile) * Used(p.outnum, CMjPlayer::kMaxOut));
    for (int m = 0; m < Used(p.getnum, 5); m++)
        k.getmj[m] = p.getmj[m];
    k.cardnum = p.cardnum;
    k.getnum = p.getnum;
    k.outnum = p.outnum;
    k.flowernum = p.flowernum;
    k.drawmj = p.drawmj;
    k.humj = p.humj;
    k.playmj = p.playmj;
    k.drawflag = p.drawflag;
    k.ishu = p.ishu;
    k.hasplayed = p.hasplayed;
}

// Tiles by the shared counting rule (TileTally), with what is on its way, and what every seat has
// seen. The number of tiles, flowers set aside included, is counted here too, for the deal, when only
// the number agrees.
struct Tallies {
    TileTally tiles;
    TileTally shown;
    int number = 0;
};

template <class Seat> void CountSeat(Tallies &t, const Seat &p, bool flowerOnShow)
{
    if (flowerOnShow) {
        t.tiles.Add(p.Mj, p.cardnum);
        t.tiles.AddShown(p);
        t.tiles.SetAside(p.flowernum);
    } else {
        t.tiles.AddSeat(p);
        t.number += TileCount::Apart(p.cardnum, p.drawflag, p.ishu, p.getnum);
    }
    t.shown.AddShown(p);
    t.number += p.cardnum + p.outnum + p.flowernum;
    for (int m = 0; m < p.getnum; m++)
        t.number += p.getmj[m].count;
    if (p.hasplayed) {
        t.tiles.Add(p.playmj);
        t.shown.Add(p.playmj);
        t.number++;
    }
}

// The wall from the tally given, the seats, and the tile on its way.
template <class Table> Tallies Count(const TileTally &wall, const Table &table)
{
    Tallies t;
    t.tiles = wall;
    t.number = TileCount::WallLeft(table.mjindex);
    for (int seat = 0; seat < 4; seat++)
        CountSeat(t, table.seat[seat], seat == 0 && table.flowerOnShow);
    if (table.drawnOnItsWay) {
        // A flower drawn is on its way to be set aside.
        if (table.lastdrawn.suit == SUIT_HUA)
            t.tiles.SetAside(1);
        else
            t.tiles.Add(table.lastdrawn);
        t.number++;
    }
    return t;
}

std::string KindName(int suit, int value)
{
    return std::to_string(value) + "/" + std::to_string(suit);
}

// The deal hands out the tiles it chose before it counts them off the wall one by one: until it ends,
// the hands and the wall agree in number only.
template <class Table> bool Dealing(const Table &t)
{
    return t.gamestatus == 1 && t.curplayer < 0;
}

// In play every seat has seen the discards and melds; the hands join them at the end.
template <class Table> bool InPlay(const Table &t)
{
    return t.gamestatus == 1 && t.curplayer >= 0;
}

} // namespace

TableAudit TableAudit::Of(const CMj &mj)
{
    int total = 0;
    for (const CMjPlayer &p : mj.player)
        total += p.score;
    return TableAudit(total);
}

const TileTally &TableAudit::WallFrom(const uint8_t *wallmj, int mjindex)
{
    if (wallFrom_.empty() || std::memcmp(wall_.data(), wallmj, MJ_TOTAL) != 0) {
        std::memcpy(wall_.data(), wallmj, MJ_TOTAL);
        wallFrom_.assign(MJ_TOTAL + 1, TileTally{});
        // One tile at a time from the end, each counted as the last tile of a wall.
        uint8_t last[MJ_TOTAL] = {};
        for (int i = MJ_TOTAL - 1; i >= 0; i--) {
            wallFrom_[i] = wallFrom_[i + 1];
            last[MJ_TOTAL - 1] = wallmj[i];
            wallFrom_[i].AddWall(last, MJ_TOTAL - 2);
        }
    }
    return wallFrom_[std::clamp(mjindex + 1, 0, MJ_TOTAL)];
}

void TableAudit::CheckTiles(const TableTiles &now)
{
    tileRules_.clear();
    const Tallies t = Count(WallFrom(now.wallmj, now.mjindex), now);
    std::vector<std::string> &broken = tileRules_;
    if (t.number != MJ_TOTAL)
        broken.push_back("tiles accounted: " + std::to_string(t.number));
    if (!Dealing(now) && !t.tiles.Whole()) {
        size_t before = broken.size();
        for (int suit = 0; suit < 5; suit++)
            for (int value = 0; value < 10; value++) {
                const int n = t.tiles.Of(suit, value), copies = TileCount::Copies(suit, value);
                if (suit == SUIT_HUA ? n > copies : n != copies)
                    broken.push_back("kind " + KindName(suit, value) + " is there " + std::to_string(n) + " times");
            }
        if (broken.size() == before)
            broken.push_back("a flower, or a tile that is no tile, is in play, or a flower is missing");
    }
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++) {
            const int seen = now.seenmj[suit][value];
            if (seen > 4 || seen < 0 || (InPlay(now) && seen != t.shown.Of(suit, value)))
                broken.push_back("seen " + KindName(suit, value) + ": " + std::to_string(seen) + ", shown " +
                                 std::to_string(t.shown.Of(suit, value)));
        }
}

std::vector<std::string> TableAudit::Check(const CMj &mj)
{
    const InFlight flight = OnItsWay(mj);
    TableTiles &k = kept_;
    // The turn itself changes nothing the rules read but whether the deal or play goes on.
    bool same = haveKept_ && k.mjindex == mj.mjindex && Dealing(k) == Dealing(mj) && InPlay(k) == InPlay(mj) &&
                k.drawnOnItsWay == flight.drawn && (!flight.drawn || IsSameMj(k.lastdrawn, mj.lastdrawn)) &&
                k.flowerOnShow == flight.flowerOnShow &&
                std::memcmp(k.seenmj, mj.seenmj, sizeof k.seenmj) == 0 &&
                std::memcmp(k.wallmj, mj.wallmj, sizeof k.wallmj) == 0;
    for (int seat = 0; seat < 4 && same; seat++)
        same = SameSeat(k.seat[seat], mj.player[seat]);
    if (!same) {
        std::memcpy(k.wallmj, mj.wallmj, sizeof k.wallmj);
        std::memcpy(k.seenmj, mj.seenmj, sizeof k.seenmj);
        k.mjindex = mj.mjindex;
        k.curplayer = mj.curplayer;
        k.gamestatus = mj.gamestatus;
        k.lastdrawn = mj.lastdrawn;
        k.drawnOnItsWay = flight.drawn;
        k.flowerOnShow = flight.flowerOnShow;
        for (int seat = 0; seat < 4; seat++)
            KeepSeat(k.seat[seat], mj.player[seat]);
        haveKept_ = true;
        CheckTiles(k);
    }

    std::vector<std::string> broken = tileRules_;
    int scores = 0;
    for (int seat = 0; seat < 4; seat++) {
        const CMjPlayer &p = mj.player[seat];
        scores += p.score;
        if (p.ishu || mj.curplayer < 0 || mj.gamestatus != 1)
            continue; // the deal is still counting tiles in, or the hand is over
        int held = TileCount::Held(p.cardnum, p.drawflag, p.getnum);
        bool holdsTurnTile = held == 14 && seat == mj.curplayer && !p.hasplayed;
        if (held != 13 && !holdsTurnTile)
            broken.push_back("seat " + std::to_string(seat) + " holds " + std::to_string(held));
    }
    if (scores != scoreTotal_)
        broken.push_back("scores sum to " + std::to_string(scores));
    return broken;
}

namespace {

// Checks run after every record of long storms, so a name is made only for a broken bound.
struct BoundsCheck {
    std::vector<std::string> broken;
    static std::string Name(const char *what, int seat)
    {
        return seat < 0 ? what : "seat " + std::to_string(seat) + " " + what;
    }
    void Range(const char *what, int seat, long long value, long long low, long long high)
    {
        if (value < low || value > high)
            broken.push_back(Name(what, seat) + " " + std::to_string(value) + " outside " + std::to_string(low) +
                             ".." + std::to_string(high));
    }
    void Tile(const char *what, int seat, MjTile t)
    {
        if (!IsRealTile(t) && !(t.suit == SUIT_BACK && t.value == SUIT_BACK))
            broken.push_back(Name(what, seat) + " is no tile: " + std::to_string(t.value) + "/" +
                             std::to_string(t.suit));
    }
};

} // namespace

std::vector<std::string> TableAudit::Bounds(const CMj &mj)
{
    BoundsCheck c;
    for (int seat = 0; seat < 4; seat++) {
        const CMjPlayer &p = mj.player[seat];
        c.Range("cardnum", seat, p.cardnum, 0, 14);
        c.Range("outnum", seat, p.outnum, 0, CMjPlayer::kMaxOut);
        c.Range("getnum", seat, p.getnum, 0, 5);
        c.Range("flowernum", seat, p.flowernum, 0, 8);
        c.Range("avatar", seat, p.avatarindex, 0, 12);
        for (int m = 0; m < std::clamp(p.getnum, 0, 5); m++) {
            c.Range("meld count", seat, p.getmj[m].count, 2, 4);
            for (int t = 0; t < std::clamp(p.getmj[m].count, 0, 4); t++)
                c.Tile("meld tile", seat, p.getmj[m].tiles[t]);
        }
        for (int i = 0; i < std::clamp(p.outnum, 0, CMjPlayer::kMaxOut); i++)
            c.Tile("discard", seat, p.outmj[i]);
        if (p.hasplayed)
            c.Tile("discard in flight", seat, p.playmj);
    }
    // Only the local hand is known; its drawn tile must still find a place in it.
    const CMjPlayer &me = mj.player[0];
    for (int i = 0; i < std::clamp(me.cardnum, 0, 14); i++)
        c.Tile("tile", 0, me.Mj[i]);
    if (me.drawflag) {
        c.Tile("drawn tile", 0, me.drawmj);
        c.Range("cardnum beside a drawn tile", 0, me.cardnum, 0, 13);
    }
    c.Range("mjindex", -1, mj.mjindex, -1, MJ_TOTAL - 1);
    c.Range("changchengstart", -1, mj.changchengstart, 0, 71);
    for (uint8_t stack : mj.wallstack)
        c.Range("wallstack", -1, stack, 0, 2);
    c.Range("own seat", -1, mj.ownseat, 0, 3);
    c.Range("curplayer", -1, mj.curplayer, 0, 3);
    c.Range("banker", -1, mj.banker, 0, 3);
    c.Range("flyingseat", -1, mj.flyingseat, 0, 3);
    c.Range("dice1", -1, mj.dice1, 1, 6);
    c.Range("dice2", -1, mj.dice2, 1, 6);
    c.Range("roundwind", -1, mj.roundwind, 1, 4);
    c.Range("die face", -1, mj.draw.die1, 0, 5);
    c.Range("die face", -1, mj.draw.die2, 0, 5);

    // The lobby: the page and the tables it shows, the rows of the user list.
    const CNetRoom &room = *mj.lobby;
    c.Range("lobby page", -1, room.page, 0, TableStore::kPages - 1);
    c.Range("selected table", -1, room.selectedtable, -1, kTableCount - 1);
    for (int t = 0; t < kTableCount; t++)
        for (int seat = 0; seat < 4; seat++)
            if (room.GetTable(t)->state[seat] != 0)
                c.Range("table face", seat, room.GetTable(t)->face[seat], 0, 11);
    for (int i = 0; i < mj.userlist.Count(); i++) {
        const UserRow &row = mj.userlist.Row(i);
        c.Range("user name bytes", -1, static_cast<long long>(row.name.size()), 0, USERNAME_BYTES);
        c.Range("user face", -1, row.info.face, 1, 12);
        c.Range("user status picture", -1, row.statusimage, IMAGE_LOBBY, IMAGE_PLAYING);
    }
    c.Range("own account bytes", -1, static_cast<long long>(mj.myaccount.size()), 0, USERNAME_BYTES);
    return c.broken;
}
