#include "tests/kit/TableAudit.h"

#include "windows/CNetRoom.h"

#include "platform/TimerService.h"
#include "table/CMj.h"
#include "table/TileCount.h"

namespace {

// The table's tiles by the shared counting rule (TileTally), and what every seat has seen, with the
// tiles on their way: a discard not yet landed or claimed (seen already), and a drawn tile flying
// from the wall or held up a moment for a ready player, out of the wall and in no hand yet.
struct Tallies {
    TileTally tiles;
    TileTally shown;
    int twice = 0; // tiles in the tally twice over
};

Tallies Count(const CMj &mj)
{
    Tallies t;
    t.tiles.AddWall(mj.wallmj, mj.mjindex);
    for (const CMjPlayer &p : mj.player) {
        t.tiles.AddSeat(p);
        t.shown.AddShown(p);
        if (p.hasplayed) {
            t.tiles.Add(p.playmj);
            t.shown.Add(p.playmj);
        }
    }
    const TimerService &timers = TimerService::Current();
    if (timers.IsRunning(TIMER_READYDRAW) || timers.IsRunning(TIMER_FLIGHT))
        t.tiles.Add(mj.lastdrawn);
    // The local player's flower stays in view, already among its flowers, while its replacement is
    // waited for, flies in and, for a ready player, is held up.
    const CMjPlayer &own = mj.player[0];
    const bool replacing = timers.IsRunning(TIMER_FLOWERPAUSE) || timers.IsRunning(TIMER_FLIGHT) ||
                           timers.IsRunning(TIMER_READYDRAW);
    if (mj.curplayer == 0 && own.drawflag && own.drawmj.suit == SUIT_HUA && replacing)
        t.twice++;
    return t;
}

std::string KindName(int suit, int value)
{
    return std::to_string(value) + "/" + std::to_string(suit);
}

} // namespace

TableAudit TableAudit::Of(const CMj &mj)
{
    int total = 0;
    for (const CMjPlayer &p : mj.player)
        total += p.score;
    return TableAudit(total);
}

std::vector<std::string> TableAudit::Check(const CMj &mj) const
{
    std::vector<std::string> broken;
    const Tallies t = Count(mj);
    if (t.tiles.Total() - t.twice != MJ_TOTAL)
        broken.push_back("tiles accounted: " + std::to_string(t.tiles.Total() - t.twice));
    if (t.tiles.Strays() != 0)
        broken.push_back("a tile that is no tile is on the table");
    // The deal hands out the tiles it chose before it counts them off the wall one by one: until it
    // ends, the hands and the wall agree in number only.
    const bool dealing = mj.gamestatus == 1 && mj.curplayer < 0;
    const bool inPlay = mj.gamestatus == 1 && !dealing;
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++) {
            if (!dealing && t.tiles.Of(suit, value) > TileCount::Copies(suit, value))
                broken.push_back("kind " + KindName(suit, value) + " is there " +
                                 std::to_string(t.tiles.Of(suit, value)) + " times");
            const int seen = mj.seenmj[suit][value];
            // In play every seat has seen the discards and melds; the hands join them at the end.
            if (seen > 4 || seen < 0 || (inPlay && seen != t.shown.Of(suit, value)))
                broken.push_back("seen " + KindName(suit, value) + ": " + std::to_string(seen) + ", shown " +
                                 std::to_string(t.shown.Of(suit, value)));
        }
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
