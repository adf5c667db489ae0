#include "table/ServerRecords.h"

#include <algorithm>

namespace {

constexpr const char *kNoTile = "a tile that is no tile";
constexpr const char *kLongHand = "more tiles than a hand holds";

// n tiles from byte `off`; false when one is no tile or lies past the record's end.
bool ReadTiles(const GameMsg &m, int off, int n, MjTile *out)
{
    for (int i = 0; i < n; i++)
        if (!m.TileAt(off + i, &out[i]))
            return false;
    return true;
}

bool IsDie(int value)
{
    return value >= 1 && value <= 6;
}

// The tiles of a list that stops at its count or at the first byte that is no tile; how many were read.
int ReadTilesUpTo(const GameMsg &m, int off, int n, MjTile *out)
{
    int read = 0;
    while (read < n && m.TileAt(off + read, &out[read]))
        read++;
    return read;
}

} // namespace

const char *ReadDealCards(const GameMsg &m, DealCards *out)
{
    out->count = m.Get(3);
    if (out->count > kHandTiles)
        return kLongHand;
    if (!ReadTiles(m, 4, out->count, out->tiles))
        return kNoTile;
    out->wild = m.Get(31) == 1;
    out->extra = m.Get(33);
    if (out->wild && (!m.TileAt(32, &out->wildtile) || !m.TileAt(34, &out->indicator)))
        return kNoTile;
    return nullptr;
}

const char *ReadDrawCard(const GameMsg &m, MjTile *out)
{
    return m.TileAt(3, out) ? nullptr : kNoTile;
}

const char *ReadGiveCard(const GameMsg &m, GiveCard *out)
{
    out->seat = m.Get(3);
    out->ready = m.Get(5) == 1;
    return m.TileAt(4, &out->tile) ? nullptr : kNoTile;
}

Offers ReadOffers(const GameMsg &m, int first)
{
    Offers o;
    o.peng = m.Get(first) == 1;
    o.gang = m.Get(first + 1) == 1;
    o.hu = m.Get(first + 2) == 1;
    o.chi = m.Get(first + 3) == 1;
    return o;
}

const char *ReadDice(const GameMsg &m, Dice *out)
{
    out->roundwind = m.Get(2);
    out->dealer = m.Get(3);
    out->first[0] = m.Get(4);
    out->first[1] = m.Get(5);
    out->second[0] = m.Get(6);
    out->second[1] = m.Get(7);
    if (out->roundwind < 1 || out->roundwind > 4)
        return "a round wind that is no wind";
    if (!IsDie(out->first[0]) || !IsDie(out->first[1]) || !IsDie(out->second[0]) || !IsDie(out->second[1]))
        return "a die that shows no face";
    return nullptr;
}

const char *ReadSeatAction(const GameMsg &m, SeatAction *out)
{
    out->seat = m.Get(3);
    out->action = m.Get(4);
    out->kind = m.Get(6);
    if (!m.TileAt(5, &out->tile))
        return kNoTile;
    switch (out->action) {
    case SA_PENG:
    case SA_HU:
        return nullptr;
    case SA_GANG:
        return out->kind <= KONG_ADDED ? nullptr : "a kong of no kind";
    case SA_CHI:
        return ReadTiles(m, 6, 2, out->chow) ? nullptr : kNoTile;
    default:
        return "an action that is none";
    }
}

EnterTable ReadEnterTable(const GameMsg &m)
{
    EnterTable e;
    e.ownseat = m.Get(3);
    e.showstart = m.Get(4) == 0;
    e.rulemode = m.Get(6);
    e.minfan = m.Get(9);
    e.wild = m.Get(11) == 1;
    return e;
}

const char *ReadHandResult(const GameMsg &m, HandResult *out)
{
    out->revealed = m.Get(2) == 0;
    if (out->revealed) {
        int off = 3;
        for (int seat = 0; seat < 4; seat++) {
            out->change[seat] = m.GetI32(off);
            int n = m.Get(off + 4);
            off += 5;
            if (n > kHandTiles)
                return kLongHand;
            if (!ReadTiles(m, off, n, out->tiles[seat]))
                return kNoTile;
            out->count[seat] = n;
            off += n;
        }
        return nullptr;
    }
    // The result byte counts only in the first form of the result.
    out->drawn = m.Get(2) == 1 && m.Get(3) == 0;
    out->winner = m.Get(4);
    out->points = m.GetI32(7);
    for (int i = 0; i < 90; i++)
        out->fans[i] = m.Get(11 + i) == 1;
    for (int i = 0; i < 20; i++)
        out->extras[i] = m.Get(101 + i) == 1;
    return nullptr;
}

TableChat ReadTableChat(const GameMsg &m)
{
    return TableChat{m.Get(1), m.GetText({2, GameMsg::kSize - 2})};
}

RestoreHand ReadRestoreHand(const GameMsg &m)
{
    RestoreHand r;
    r.rulemode = m.Get(2) == 0 ? 1 : m.Get(2);
    r.count = ReadTilesUpTo(m, 4, std::min<int>(m.Get(3), kHandTiles), r.tiles);
    int flowers = 0;
    for (int i = 0; i < 4; i++) {
        r.counts[i] = std::min<int>(m.Get(18 + i), kHandTiles);
        r.flowers[i] = std::min<int>(m.Get(37 + i), kMaxFlowers - flowers);
        flowers += r.flowers[i];
        r.ready[i] = m.Get(41 + i) == 1;
    }
    r.dice[0] = std::clamp<int>(m.Get(22), 1, 6);
    r.dice[1] = std::clamp<int>(m.Get(23), 1, 6);
    r.dealer = m.Get(24);
    r.mjindex = std::min<int>(m.Get(25), MJ_TOTAL - 1);
    r.current = m.Get(26);
    r.haslast = m.TileAt(27, &r.last);
    r.lastseat = m.Get(28);
    r.waiting = m.Get(29) == 1;
    r.ownseat = m.Get(30);
    r.minfan = m.Get(31);
    r.roundwind = std::clamp<int>(m.Get(36), 1, 4);
    // The melds end at the first one that is no meld or does not fit.
    int off = 51;
    for (int seat = 0; seat < 4; seat++) {
        int n = m.Get(off++);
        if (n > kMaxMelds)
            break;
        for (int k = 0; k < n; k++) {
            Meld meld;
            meld.count = m.Get(off);
            meld.kind = m.Get(off + 1);
            if ((meld.count != 3 && meld.count != 4) || meld.kind > 2 || !ReadTiles(m, off + 2, meld.count, meld.tiles))
                return r;
            r.melds[seat][r.meldcount[seat]++] = meld;
            off += 2 + meld.count;
        }
    }
    return r;
}

RestoreDiscards ReadRestoreDiscards(const GameMsg &m)
{
    RestoreDiscards d;
    int off = 3;
    for (int seat = 0; seat < 4; seat++) {
        int n = m.Get(off++);
        d.count[seat] = ReadTilesUpTo(m, off, std::min(n, kMaxDiscards), d.tiles[seat]);
        if (d.count[seat] < n)
            break; // the list was cut: what follows it is not the next seat's
        off += n;
    }
    return d;
}

void ReadSeatInfo(const GameMsg &m, SeatInfo (&seats)[4])
{
    for (int i = 0; i < 4; i++) {
        const int block = 1 + 26 * i;
        SeatInfo &s = seats[i];
        s.state = m.Get(block);
        s.score = m.GetI32(block + 1);
        s.name = m.GetText({block + 5, 20});
        s.male = m.Get(block + 25) == 1;
        s.picture = m.Get(105 + i);
    }
}

const char *ReadFlowerCard(const GameMsg &m, FlowerCard *out)
{
    out->inplay = m.Get(2) == 1;
    out->seat = m.Get(3);
    out->count = out->inplay ? 1 : m.Get(4);
    if (out->count > kMaxFlowers)
        return "more flowers than there are";
    return ReadTiles(m, 6, out->count, out->tiles) ? nullptr : kNoTile;
}

AvatarInfo ReadAvatarInfo(const GameMsg &m)
{
    AvatarInfo a;
    a.isdefault = m.Get(AvatarInfoLayout::kind.off) == 1;
    a.male = m.Get(AvatarInfoLayout::sex.off) == 1;
    a.avatar.id = m.GetI32(AvatarInfoLayout::id.off);
    a.avatar.name = m.GetText(AvatarInfoLayout::name);
    a.avatar.md5 = m.GetText(AvatarInfoLayout::md5);
    a.avatar.address = m.GetText(AvatarInfoLayout::address);
    return a;
}
