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

// The seat as the audit kept it, its arrays whole and its counts as the seat has them: its hand, and
// what it has shown.
template <class Kept> bool SameHand(const Kept &k, const CMjPlayer &p)
{
    static_assert(sizeof k.Mj == sizeof p.Mj && sizeof k.getmj == sizeof p.getmj && sizeof k.outmj == sizeof p.outmj);
    return k.cardnum == p.cardnum && k.getnum == p.getnum && k.flowernum == p.flowernum && k.drawflag == p.drawflag &&
           k.ishu == p.ishu && IsSameMj(k.drawmj, p.drawmj) && IsSameMj(k.humj, p.humj) &&
           std::memcmp(k.Mj, p.Mj, sizeof k.Mj) == 0;
}

template <class Kept> bool SameShown(const Kept &k, const CMjPlayer &p)
{
    return k.getnum == p.getnum && k.outnum == p.outnum && k.hasplayed == p.hasplayed &&
           IsSameMj(k.playmj, p.playmj) && std::memcmp(k.getmj, p.getmj, sizeof k.getmj) == 0 &&
           std::memcmp(k.outmj, p.outmj, sizeof k.outmj) == 0;
}

// A count out of its array's range is kept as none, so the counting reads within the arrays; the seat
// then differs from its copy at every check, and the rules report what is missing.
template <class Kept> void KeepHand(Kept &k, const CMjPlayer &p)
{
    std::memcpy(k.Mj, p.Mj, sizeof k.Mj);
    k.cardnum = Used(p.cardnum, 14);
    k.getnum = Used(p.getnum, 5);
    k.flowernum = p.flowernum;
    k.drawmj = p.drawmj;
    k.humj = p.humj;
    k.drawflag = p.drawflag;
    k.ishu = p.ishu;
}

template <class Kept> void KeepShown(Kept &k, const CMjPlayer &p)
{
    std::memcpy(k.getmj, p.getmj, sizeof k.getmj);
    std::memcpy(k.outmj, p.outmj, sizeof k.outmj);
    k.getnum = Used(p.getnum, 5);
    for (int m = 0; m < k.getnum; m++)
        k.getmj[m].count = Used(p.getmj[m].count, 4);
    k.outnum = Used(p.outnum, CMjPlayer::kMaxOut);
    k.playmj = p.playmj;
    k.hasplayed = p.hasplayed;
}

// The hand by the shared counting rule (TileTally): the concealed tiles and the one kept apart, which
// seat 0's flower on show is not: that is already set aside.
template <class Count, class Seat> void CountHand(Count &c, const Seat &p, bool flowerOnShow)
{
    c.hand = TileTally{};
    c.hand.Add(p.Mj, p.cardnum);
    c.handNumber = p.cardnum + p.flowernum;
    if (!flowerOnShow && TileCount::Apart(p.cardnum, p.drawflag, p.ishu, p.getnum)) {
        c.hand.Add(p.drawflag ? p.drawmj : p.humj);
        c.handNumber++;
    }
}

// What every seat has seen of the seat: its melds, its discards and the discard on its way.
template <class Count, class Seat> void CountShown(Count &c, const Seat &p)
{
    c.shown = TileTally{};
    c.shown.AddShown(p);
    c.shownNumber = p.outnum;
    for (int m = 0; m < p.getnum; m++)
        c.shownNumber += p.getmj[m].count;
    if (p.hasplayed) {
        c.shown.Add(p.playmj);
        c.shownNumber++;
    }
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

void TableAudit::CountWall()
{
    wallFrom_.assign(MJ_TOTAL + 1, TileTally{});
    // One tile at a time from the end, each counted as the last tile of a wall.
    uint8_t last[MJ_TOTAL] = {};
    for (int i = MJ_TOTAL - 1; i >= 0; i--) {
        wallFrom_[i] = wallFrom_[i + 1];
        last[MJ_TOTAL - 1] = table_.wallmj[i];
        wallFrom_[i].AddWall(last, MJ_TOTAL - 2);
    }
}

void TableAudit::CheckTiles(const CMj &mj, bool drawnOnItsWay)
{
    // A flower drawn is on its way to be set aside, any other tile to a hand.
    TileTally onItsWay;
    int number = TileCount::WallLeft(table_.mjindex), setAside = 0;
    if (drawnOnItsWay) {
        if (mj.lastdrawn.suit == SUIT_HUA)
            setAside++;
        else
            onItsWay.Add(mj.lastdrawn);
        number++;
    }
    const TileTally &wall = wallFrom_[std::clamp(table_.mjindex + 1, 0, MJ_TOTAL)];
    int tiles[5][10], shown[5][10] = {};
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++)
            tiles[suit][value] = wall.Of(suit, value) + onItsWay.Of(suit, value);
    for (int seat = 0; seat < 4; seat++) {
        const SeatCount &c = count_[seat];
        number += c.handNumber + c.shownNumber;
        setAside += seat_[seat].flowernum;
        for (int suit = 0; suit < 5; suit++)
            for (int value = 0; value < 10; value++) {
                tiles[suit][value] += c.hand.Of(suit, value);
                shown[suit][value] += c.shown.Of(suit, value);
            }
    }
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++)
            tiles[suit][value] += shown[suit][value];

    std::vector<std::string> &broken = tileRules_;
    broken.clear();
    if (number != MJ_TOTAL)
        broken.push_back("tiles accounted: " + std::to_string(number));
    // Every tile counted is set aside, or of a kind, or misplaced: a flower in play or no tile at all.
    // Most checks find the table sound, so the kinds are first compared all at once.
    static const auto copies = [] {
        std::array<std::array<int, 10>, 5> c{};
        for (int suit = 0; suit < 5; suit++)
            for (int value = 0; value < 10; value++)
                c[suit][value] = TileCount::Copies(suit, value);
        return c;
    }();
    int misplaced = number - setAside, flowers = setAside;
    bool kindsOff = false, seenOff = false;
    const bool inPlay = InPlay(table_);
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++) {
            const int n = tiles[suit][value], seen = table_.seenmj[suit][value];
            misplaced -= n;
            kindsOff |= suit == SUIT_HUA ? n > copies[suit][value] : n != copies[suit][value];
            seenOff |= seen > 4 || seen < 0 || (inPlay && seen != shown[suit][value]);
        }
    for (int value = 0; value < 10; value++)
        flowers += tiles[SUIT_HUA][value];
    if (!Dealing(table_) && kindsOff) {
        for (int suit = 0; suit < 5; suit++)
            for (int value = 0; value < 10; value++) {
                const int n = tiles[suit][value];
                if (suit == SUIT_HUA ? n > copies[suit][value] : n != copies[suit][value])
                    broken.push_back("kind " + KindName(suit, value) + " is there " + std::to_string(n) + " times");
            }
    } else if (!Dealing(table_) && (misplaced != 0 || flowers != 8)) {
        broken.push_back("a flower, or a tile that is no tile, is in play, or a flower is missing");
    }
    for (int suit = 0; suit < 5 && seenOff; suit++)
        for (int value = 0; value < 10; value++) {
            const int seen = table_.seenmj[suit][value];
            if (seen > 4 || seen < 0 || (inPlay && seen != shown[suit][value]))
                broken.push_back("seen " + KindName(suit, value) + ": " + std::to_string(seen) + ", shown " +
                                 std::to_string(shown[suit][value]));
        }
    for (int seat = 0; seat < 4 && InPlay(table_); seat++) {
        const CMjPlayer &p = mj.player[seat];
        if (p.ishu)
            continue; // the hand is over
        int held = TileCount::Held(p.cardnum, p.drawflag, p.getnum);
        bool holdsTurnTile = held == 14 && seat == mj.curplayer && !p.hasplayed;
        if (held != 13 && !holdsTurnTile)
            broken.push_back("seat " + std::to_string(seat) + " holds " + std::to_string(held));
    }
}

std::vector<std::string> TableAudit::Check(const CMj &mj)
{
    // Whether a tile is on its way changes only with a step that moves one, so the timers are read
    // only when something the rules read has changed.
    TableTiles &t = table_;
    const bool wallSame = haveKept_ && std::memcmp(t.wallmj, mj.wallmj, sizeof t.wallmj) == 0;
    const bool tableSame = wallSame && t.mjindex == mj.mjindex && t.curplayer == mj.curplayer &&
                           t.gamestatus == mj.gamestatus && IsSameMj(t.lastdrawn, mj.lastdrawn) &&
                           std::memcmp(t.seenmj, mj.seenmj, sizeof t.seenmj) == 0;
    bool handSame[4], shownSame[4];
    bool same = tableSame;
    for (int seat = 0; seat < 4; seat++) {
        handSame[seat] = haveKept_ && SameHand(seat_[seat], mj.player[seat]);
        shownSame[seat] = haveKept_ && SameShown(seat_[seat], mj.player[seat]);
        same = same && handSame[seat] && shownSame[seat];
    }
    if (!same) {
        const InFlight flight = OnItsWay(mj);
        if (!tableSame) {
            std::memcpy(t.wallmj, mj.wallmj, sizeof t.wallmj);
            std::memcpy(t.seenmj, mj.seenmj, sizeof t.seenmj);
            t.mjindex = mj.mjindex;
            t.curplayer = mj.curplayer;
            t.gamestatus = mj.gamestatus;
            t.lastdrawn = mj.lastdrawn;
            if (!wallSame)
                CountWall();
        }
        if (flowerOnShow_ != flight.flowerOnShow)
            handSame[0] = false;
        flowerOnShow_ = flight.flowerOnShow;
        for (int seat = 0; seat < 4; seat++) {
            const CMjPlayer &p = mj.player[seat];
            // The hand is counted with the melds' number, so both parts are kept before either is counted.
            if (!handSame[seat])
                KeepHand(seat_[seat], p);
            if (!shownSame[seat])
                KeepShown(seat_[seat], p);
            if (!handSame[seat])
                CountHand(count_[seat], seat_[seat], seat == 0 && flight.flowerOnShow);
            if (!shownSame[seat])
                CountShown(count_[seat], seat_[seat]);
        }
        haveKept_ = true;
        CheckTiles(mj, flight.drawn);
    }

    std::vector<std::string> broken = tileRules_;
    int scores = 0;
    for (const CMjPlayer &p : mj.player)
        scores += p.score;
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
