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

// Walks, in one order, every field the tile rules read; Visit takes an address and a byte count.
template <class Visit> void TileFields(const CMj &mj, const InFlight &flight, Visit &&visit)
{
    auto field = [&](const auto &v) { visit(&v, sizeof v); };
    auto tiles = [&](const MjTile *t, int n) { visit(t, sizeof(MjTile) * static_cast<size_t>(std::clamp(n, 0, 64))); };
    field(mj.gamestatus);
    field(mj.curplayer);
    field(mj.mjindex);
    field(mj.wallmj);
    field(mj.seenmj);
    field(mj.lastdrawn);
    field(flight.drawn);
    field(flight.flowerOnShow);
    for (const CMjPlayer &p : mj.player) {
        field(p.cardnum);
        tiles(p.Mj, std::min(p.cardnum, 14));
        field(p.drawflag);
        field(p.drawmj);
        field(p.ishu);
        field(p.humj);
        field(p.getnum);
        for (int m = 0; m < std::clamp(p.getnum, 0, 5); m++) {
            field(p.getmj[m].count);
            tiles(p.getmj[m].tiles, std::min(p.getmj[m].count, 4));
        }
        field(p.outnum);
        tiles(p.outmj, std::min(p.outnum, CMjPlayer::kMaxOut));
        field(p.flowernum);
        field(p.hasplayed);
        field(p.playmj);
    }
}

// The table's tiles by the shared counting rule (TileTally), with what is on its way, and what every
// seat has seen. The number of tiles is counted here too, for the deal, when only the number agrees.
struct Tallies {
    TileTally tiles;
    TileTally shown;
    int number = 0;
};

Tallies Count(const CMj &mj, const InFlight &flight)
{
    Tallies t;
    t.tiles.AddWall(mj.wallmj, mj.mjindex);
    t.number = TileCount::WallLeft(mj.mjindex);
    for (int seat = 0; seat < 4; seat++) {
        const CMjPlayer &p = mj.player[seat];
        if (seat == 0 && flight.flowerOnShow) {
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
    if (flight.drawn) {
        // A flower drawn is on its way to be set aside.
        if (mj.lastdrawn.suit == SUIT_HUA)
            t.tiles.SetAside(1);
        else
            t.tiles.Add(mj.lastdrawn);
        t.number++;
    }
    return t;
}

std::string KindName(int suit, int value)
{
    return std::to_string(value) + "/" + std::to_string(suit);
}

// The tile rules: each tile once, and the seen counts as the table shows them.
std::vector<std::string> CheckTiles(const CMj &mj, const InFlight &flight)
{
    std::vector<std::string> broken;
    const Tallies t = Count(mj, flight);
    if (t.number != MJ_TOTAL)
        broken.push_back("tiles accounted: " + std::to_string(t.number));
    // The deal hands out the tiles it chose before it counts them off the wall one by one: until it
    // ends, the hands and the wall agree in number only.
    const bool dealing = mj.gamestatus == 1 && mj.curplayer < 0;
    const bool inPlay = mj.gamestatus == 1 && !dealing;
    if (!dealing && !t.tiles.Whole()) {
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
            const int seen = mj.seenmj[suit][value];
            // In play every seat has seen the discards and melds; the hands join them at the end.
            if (seen > 4 || seen < 0 || (inPlay && seen != t.shown.Of(suit, value)))
                broken.push_back("seen " + KindName(suit, value) + ": " + std::to_string(seen) + ", shown " +
                                 std::to_string(t.shown.Of(suit, value)));
        }
    return broken;
}

} // namespace

TableAudit TableAudit::Of(const CMj &mj)
{
    int total = 0;
    for (const CMjPlayer &p : mj.player)
        total += p.score;
    return TableAudit(total);
}

std::vector<std::string> TableAudit::Check(const CMj &mj)
{
    const InFlight flight = OnItsWay(mj);
    bool same = haveCounted_;
    size_t at = 0;
    TileFields(mj, flight, [&](const void *field, size_t n) {
        same = same && at + n <= counted_.size && std::memcmp(counted_.bytes + at, field, n) == 0;
        at += n;
    });
    if (!same || at != counted_.size) {
        counted_.size = 0;
        TileFields(mj, flight, [&](const void *field, size_t n) {
            std::memcpy(counted_.bytes + counted_.size, field, n);
            counted_.size += n;
        });
        haveCounted_ = true;
        tileRules_ = CheckTiles(mj, flight);
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
