#include "tests/kit/TableAudit.h"

#include "windows/CNetRoom.h"

#include "platform/TimerService.h"
#include "table/CMj.h"
#include "table/TileCount.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

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

uint64_t Word(const unsigned char *at)
{
    uint64_t w;
    std::memcpy(&w, at, sizeof w);
    return w;
}

// The bits in which a kept copy differs from the table's bytes; none when it is the same. Most steps
// change nothing, so every byte is read anyway: arrays are compared a word at a time with no early
// exit (the last word overlapping the one before), which the compiler turns into vector compares.
template <size_t Size> uint64_t DiffBytes(const void *kept, const void *live)
{
    const auto *a = static_cast<const unsigned char *>(kept);
    const auto *b = static_cast<const unsigned char *>(live);
    if constexpr (Size < 8) {
        uint64_t x = 0, y = 0;
        std::memcpy(&x, a, Size);
        std::memcpy(&y, b, Size);
        return x ^ y;
    } else {
        uint64_t diff = 0;
        for (size_t i = 0; i + 8 <= Size; i += 8)
            diff |= Word(a + i) ^ Word(b + i);
        return diff | (Word(a + Size - 8) ^ Word(b + Size - 8));
    }
}

template <class T> uint64_t Diff(const T &kept, const T &live)
{
    static_assert(std::is_trivially_copyable_v<T>);
    return DiffBytes<sizeof(T)>(&kept, &live);
}

// The same for the first entries of an array, as many as the kept count says, in whole words: the
// copy is of the whole array, so the bytes read past the used part are the same unless play wrote
// there, which at worst counts the part again.
template <class T, size_t N> uint64_t DiffUsed(const T (&kept)[N], const T (&live)[N], int used)
{
    static_assert(sizeof kept >= 8);
    const auto *a = reinterpret_cast<const unsigned char *>(kept);
    const auto *b = reinterpret_cast<const unsigned char *>(live);
    const size_t bytes = static_cast<size_t>(used) * sizeof(T);
    uint64_t diff = 0;
    for (size_t i = 0; i < bytes; i += 8) {
        const size_t at = std::min(i, sizeof kept - 8);
        diff |= Word(a + at) ^ Word(b + at);
    }
    return diff;
}

// The seat as the audit kept it, and its counts as the seat has them: its hand, and what it has shown.
template <class Kept> bool SameHand(const Kept &k, const CMjPlayer &p)
{
    static_assert(sizeof k.Mj == sizeof p.Mj && sizeof k.getmj == sizeof p.getmj && sizeof k.outmj == sizeof p.outmj);
    return (Diff(k.cardnum, p.cardnum) | Diff(k.getnum, p.getnum) | Diff(k.flowernum, p.flowernum) |
            Diff(k.drawflag, p.drawflag) | Diff(k.ishu, p.ishu) | Diff(k.drawmj, p.drawmj) | Diff(k.humj, p.humj) |
            Diff(k.Mj, p.Mj)) == 0;
}

template <class Kept> bool SameShown(const Kept &k, const CMjPlayer &p)
{
    return (Diff(k.getnum, p.getnum) | Diff(k.outnum, p.outnum) | Diff(k.hasplayed, p.hasplayed) |
            Diff(k.playmj, p.playmj) | DiffUsed(k.getmj, p.getmj, k.getnum) |
            DiffUsed(k.outmj, p.outmj, k.outnum)) == 0;
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

constexpr int kSlots = 50; // [suit][value], laid out in one row

int Slot(int suit, int value)
{
    return suit * 10 + value;
}

// A tally in one row, so that the parts of the table add up a vector at a time.
template <class Kinds> void Flatten(Kinds &to, const TileTally &tally)
{
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++)
            to[Slot(suit, value)] = tally.Of(suit, value);
}

// A part counted again: the sum over the seats takes the difference.
template <class Kinds> void Replace(Kinds &sum, const TileTally &was, const TileTally &now)
{
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++)
            sum[Slot(suit, value)] += now.Of(suit, value) - was.Of(suit, value);
}

// The hand by the shared counting rule (TileTally): the concealed tiles and the one kept apart, which
// seat 0's flower on show is not: that is already set aside.
template <class Seat> TileTally CountHand(const Seat &p, bool flowerOnShow, int &number)
{
    TileTally hand;
    hand.Add(p.Mj, p.cardnum);
    number = p.cardnum + p.flowernum;
    if (!flowerOnShow && TileCount::Apart(p.cardnum, p.drawflag, p.ishu, p.getnum)) {
        hand.Add(p.drawflag ? p.drawmj : p.humj);
        number++;
    }
    return hand;
}

// What every seat has seen of the seat: its melds, its discards and the discard on its way.
template <class Seat> TileTally CountShown(const Seat &p, int &number)
{
    TileTally shown;
    shown.AddShown(p);
    number = p.outnum;
    for (int m = 0; m < p.getnum; m++)
        number += p.getmj[m].count;
    if (p.hasplayed) {
        shown.Add(p.playmj);
        number++;
    }
    return shown;
}

std::string KindName(int slot)
{
    return std::to_string(slot % 10) + "/" + std::to_string(slot / 10);
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

// A seat in play holds 13 tiles, or 14 while it holds its turn's tile; a seat that has won is done.
bool HeldOff(const CMj &mj, int seat)
{
    const CMjPlayer &p = mj.player[seat];
    if (p.ishu)
        return false;
    const int held = TileCount::Held(p.cardnum, p.drawflag, p.getnum);
    const bool holdsTurnTile = held == 14 && seat == mj.curplayer && !p.hasplayed;
    return held != 13 && !holdsTurnTile;
}

// How often each kind may be counted: as often as the set has it, except that a flower set aside is
// counted by number only, so each flower is there once or not at all.
struct KindBounds {
    int lowest[kSlots], highest[kSlots];
};

const KindBounds &KindLimits()
{
    static const KindBounds bounds = [] {
        KindBounds b;
        for (int suit = 0; suit < 5; suit++)
            for (int value = 0; value < 10; value++) {
                const int slot = Slot(suit, value);
                b.highest[slot] = TileCount::Copies(suit, value);
                b.lowest[slot] = suit == SUIT_HUA ? 0 : b.highest[slot];
            }
        return b;
    }();
    return bounds;
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
    wallFrom_.resize(MJ_TOTAL + 1);
    // One tile at a time from the end, each counted as the last tile of a wall.
    TileTally wall;
    uint8_t last[MJ_TOTAL] = {};
    Flatten(wallFrom_[MJ_TOTAL], wall);
    for (int i = MJ_TOTAL - 1; i >= 0; i--) {
        last[MJ_TOTAL - 1] = table_.wallmj[i];
        wall.AddWall(last, MJ_TOTAL - 2);
        Flatten(wallFrom_[i], wall);
    }
}

void TableAudit::CheckTiles(const CMj &mj, bool drawnOnItsWay)
{
    TileCensus c;
    // A flower drawn is on its way to be set aside, any other tile to a hand.
    Kinds onItsWay{};
    c.number = TileCount::WallLeft(table_.mjindex);
    if (drawnOnItsWay) {
        TileTally drawn;
        if (mj.lastdrawn.suit == SUIT_HUA)
            c.setAside++;
        else
            drawn.Add(mj.lastdrawn);
        Flatten(onItsWay, drawn);
        c.number++;
    }
    for (const SeatCount &seat : count_)
        c.number += seat.handNumber + seat.shownNumber;
    for (const SeatTiles &p : seat_)
        c.setAside += p.flowernum;
    const Kinds &wall = wallFrom_[std::clamp(table_.mjindex + 1, 0, MJ_TOTAL)];
    for (int k = 0; k < kSlots; k++)
        c.tiles[k] = wall[k] + onItsWay[k] + inHands_[k] + shown_[k];

    // Most checks find the table sound: the kinds and the seen counts are compared all at once, and
    // the broken rules are named only when something is off.
    const KindBounds &bounds = KindLimits();
    const int inPlay = InPlay(table_);
    int misplaced = c.number - c.setAside, flowers = c.setAside;
    int kindsOff = 0, seenOff = 0;
    for (int k = 0; k < kSlots; k++) {
        const int n = c.tiles[k], seen = table_.seenmj[k];
        misplaced -= n;
        kindsOff |= (n < bounds.lowest[k]) | (n > bounds.highest[k]);
        seenOff |= (seen > 4) | (seen < 0) | (inPlay & (seen != shown_[k]));
    }
    for (int value = 0; value < 10; value++)
        flowers += c.tiles[Slot(SUIT_HUA, value)];
    c.kindsOff = !Dealing(table_) && kindsOff;
    c.strays = !Dealing(table_) && (misplaced != 0 || flowers != 8);
    c.seenOff = seenOff;
    bool heldOff = false;
    for (int seat = 0; seat < 4 && inPlay; seat++)
        heldOff |= HeldOff(mj, seat);
    tileRules_.clear();
    if (c.number != MJ_TOTAL || c.kindsOff || c.strays || c.seenOff || heldOff)
        NameBroken(mj, c);
}

void TableAudit::NameBroken(const CMj &mj, const TileCensus &c)
{
    std::vector<std::string> &broken = tileRules_;
    if (c.number != MJ_TOTAL)
        broken.push_back("tiles accounted: " + std::to_string(c.number));
    // Every tile counted is set aside, or of a kind, or misplaced: a flower in play or no tile at all.
    const KindBounds &bounds = KindLimits();
    if (c.kindsOff) {
        for (int k = 0; k < kSlots; k++)
            if (c.tiles[k] < bounds.lowest[k] || c.tiles[k] > bounds.highest[k])
                broken.push_back("kind " + KindName(k) + " is there " + std::to_string(c.tiles[k]) + " times");
    } else if (c.strays) {
        broken.push_back("a flower, or a tile that is no tile, is in play, or a flower is missing");
    }
    const bool inPlay = InPlay(table_);
    for (int k = 0; k < kSlots && c.seenOff; k++) {
        const int seen = table_.seenmj[k];
        if (seen > 4 || seen < 0 || (inPlay && seen != shown_[k]))
            broken.push_back("seen " + KindName(k) + ": " + std::to_string(seen) + ", shown " + std::to_string(shown_[k]));
    }
    for (int seat = 0; seat < 4 && inPlay; seat++)
        if (HeldOff(mj, seat)) {
            const CMjPlayer &p = mj.player[seat];
            broken.push_back("seat " + std::to_string(seat) + " holds " +
                             std::to_string(TileCount::Held(p.cardnum, p.drawflag, p.getnum)));
        }
}

std::vector<std::string> TableAudit::Check(const CMj &mj)
{
    // Whether a tile is on its way changes only with a step that moves one, so the timers are read
    // only when something the rules read has changed.
    TableTiles &t = table_;
    static_assert(sizeof t.seenmj == sizeof mj.seenmj);
    const bool wallSame = haveKept_ && Diff(t.wallmj, mj.wallmj) == 0;
    const bool tableSame = wallSame && (Diff(t.mjindex, mj.mjindex) | Diff(t.curplayer, mj.curplayer) |
                                        Diff(t.gamestatus, mj.gamestatus) | Diff(t.lastdrawn, mj.lastdrawn) |
                                        DiffBytes<sizeof t.seenmj>(t.seenmj, mj.seenmj)) == 0;
    bool handSame[4], shownSame[4];
    bool same = tableSame;
    for (int seat = 0; seat < 4; seat++) {
        handSame[seat] = haveKept_ && SameHand(seat_[seat], mj.player[seat]);
        shownSame[seat] = haveKept_ && SameShown(seat_[seat], mj.player[seat]);
        same &= handSame[seat] & shownSame[seat];
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
            SeatCount &c = count_[seat];
            if (!handSame[seat]) {
                const TileTally hand = CountHand(seat_[seat], seat == 0 && flight.flowerOnShow, c.handNumber);
                Replace(inHands_, c.hand, hand);
                c.hand = hand;
            }
            if (!shownSame[seat]) {
                const TileTally shown = CountShown(seat_[seat], c.shownNumber);
                Replace(shown_, c.shown, shown);
                c.shown = shown;
            }
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
