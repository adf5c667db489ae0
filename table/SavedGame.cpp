#include "table/SavedGame.h"

#include "platform/Gbk.h"
#include "table/TileCount.h"

#include <cstring>

namespace {

constexpr char kTag[10] = {'V', 'I', 'D', 'I', '2', '.', '6', '.', '1', '\0'};
constexpr int kMeldRecord = 28;

// The layout is written once, in Transfer, for both directions: a Writer stores each field at the
// cursor and a Reader takes it from there.
class Writer {
public:
    explicit Writer(uint8_t *at) : at_(at) {}
    void Field(const int32_t &v)
    {
        auto u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; i++)
            *at_++ = static_cast<uint8_t>(u >> (8 * i));
    }
    void Field(const uint8_t &v) { *at_++ = v; }
    void Field(const MjTile &t)
    {
        *at_++ = static_cast<uint8_t>(t.value);
        *at_++ = static_cast<uint8_t>(t.suit);
    }
    void Raw(const void *src, size_t n)
    {
        std::memcpy(at_, src, n);
        at_ += n;
    }
    void Zeros(size_t n)
    {
        std::memset(at_, 0, n);
        at_ += n;
    }

private:
    uint8_t *at_;
};

class Reader {
public:
    explicit Reader(const uint8_t *at) : at_(at) {}
    void Field(int32_t &v)
    {
        uint32_t u = 0;
        for (int i = 0; i < 4; i++)
            u |= static_cast<uint32_t>(*at_++) << (8 * i);
        v = static_cast<int32_t>(u);
    }
    void Field(uint8_t &v) { v = *at_++; }
    void Field(MjTile &t)
    {
        t.value = static_cast<int8_t>(*at_++);
        t.suit = static_cast<int8_t>(*at_++);
    }
    void Raw(void *dest, size_t n)
    {
        std::memcpy(dest, at_, n);
        at_ += n;
    }
    void Zeros(size_t n) { at_ += n; } // readers ignore what writers zero

private:
    const uint8_t *at_;
};

// A meld record: four tiles, the count, the kind, the concealed-kong byte, then spare bytes.
template <class Stream, class Meld, class Flag> void TransferMeld(Stream &s, Meld &m, Flag &concealed)
{
    for (auto &tile : m.tiles)
        s.Field(tile);
    s.Field(m.count);
    s.Field(m.kind);
    s.Field(concealed);
    s.Zeros(kMeldRecord - 4 * sizeof(MjTile) - 4 - 2);
}

template <class Stream, class Seat> void TransferSeat(Stream &s, Seat &p)
{
    s.Raw(p.playername, sizeof p.playername);
    s.Field(p.cardnum);
    for (auto &tile : p.Mj)
        s.Field(tile);
    s.Field(p.getnum);
    for (int m = 0; m < 5; m++)
        TransferMeld(s, p.getmj[m], p.concealed[m]);
    s.Field(p.drawflag);
    s.Field(p.drawmj);
    s.Field(p.ishu);
    s.Field(p.humj);
    s.Field(p.payseat);
    s.Zeros(4); // a reserved field of the seat record
    s.Field(p.scorechange);
    s.Field(p.score);
    s.Field(p.gridcol);
    s.Field(p.gridrow);
    s.Field(p.outnum);
    for (auto &tile : p.outmj)
        s.Field(tile);
    s.Field(p.seatwind);
    s.Field(p.roundwind);
    s.Field(p.flowernum);
    s.Field(p.ting);
    s.Field(p.avatarindex);
}

// Everything after the tag.
template <class Stream, class Game> void Transfer(Stream &s, Game &g)
{
    s.Field(g.gamestatus);
    for (auto &seat : g.player)
        TransferSeat(s, seat);
    s.Field(g.minfan);
    s.Field(g.roundwind);
    s.Field(g.banker);
    s.Field(g.showbanker);
    s.Field(g.changchengstart);
    s.Field(g.mjindex);
    s.Raw(g.wallmj, sizeof g.wallmj);
    for (auto &row : g.seenmj)
        for (auto &n : row)
            s.Field(n);
    s.Raw(g.gridflags, sizeof g.gridflags);
    s.Field(g.wildmode);
    s.Field(g.wildmj);
    s.Field(g.wildindicator);
    s.Field(g.wildrule);
    s.Raw(g.grid, sizeof g.grid);
}

bool In(int v, int lo, int hi)
{
    return v >= lo && v <= hi;
}

// A tile that exists: characters, bamboo and dots 1-9, honours 1-7, flowers 1-8.
bool IsTile(MjTile t)
{
    static constexpr int kTop[5] = {9, 9, 9, 7, 8};
    return In(t.suit, 0, 4) && In(t.value, 1, kTop[t.suit]);
}

bool IsTileOrNone(MjTile t)
{
    return IsTile(t) || (t.value == 0 && t.suit == 0);
}

bool AllTiles(const MjTile *tiles, int n)
{
    for (int i = 0; i < n; i++)
        if (!IsTile(tiles[i]))
            return false;
    return true;
}

bool ValidMeld(const GetMj &m, uint8_t concealed)
{
    bool shape = m.kind == GETMJ_GANG ? m.count == 4 : (m.kind == GETMJ_PENG || m.kind == GETMJ_CHI) && m.count == 3;
    return shape && AllTiles(m.tiles, m.count) && (!concealed || m.kind == GETMJ_GANG);
}

bool ValidName(const char (&name)[20])
{
    return IsGbkText(std::string_view(name, strnlen(name, sizeof name)));
}

bool ValidScore(int32_t score)
{
    return In(score, -SavedGame::kScoreBound, SavedGame::kScoreBound);
}

bool ValidSeat(const SavedSeat &p)
{
    if (!ValidName(p.playername) || !In(p.cardnum, 0, 14) || !AllTiles(p.Mj, p.cardnum) || !In(p.getnum, 0, 5))
        return false;
    for (int m = 0; m < p.getnum; m++)
        if (!ValidMeld(p.getmj[m], p.concealed[m]))
            return false;
    return In(p.drawflag, 0, 1) && (!p.drawflag || IsTile(p.drawmj)) && In(p.ishu, 0, 1) &&
           (!p.ishu || IsTile(p.humj)) && In(p.payseat, -1, 3) && ValidScore(p.score) &&
           ValidScore(p.scorechange) && In(p.gridcol, -1, 20) && In(p.gridrow, -1, 20) && In(p.outnum, 0, 52) &&
           AllTiles(p.outmj, p.outnum) && In(p.seatwind, 1, 4) && In(p.roundwind, 1, 4) && In(p.flowernum, 0, 8) &&
           In(p.ting, 0, 1) && In(p.avatarindex, 0, 11);
}

bool IsPermutation(const uint8_t *wall)
{
    bool seen[MJ_TOTAL] = {};
    for (int i = 0; i < MJ_TOTAL; i++) {
        if (wall[i] >= MJ_TOTAL || seen[wall[i]])
            return false;
        seen[wall[i]] = true;
    }
    return true;
}

// The discard-grid flags, then the renderer's grid: occupancy bytes and each cell's tile; a cell in
// use holds a tile, a free one may keep the tile it held before.
bool ValidGrid(const uint8_t (&flags)[400], const uint8_t (&grid)[SavedGame::kGridBytes])
{
    constexpr int kCells = 400;
    for (int i = 0; i < kCells; i++) {
        MjTile tile = MakeMj(static_cast<int8_t>(grid[kCells + 2 * i]), static_cast<int8_t>(grid[kCells + 2 * i + 1]));
        if (flags[i] > 1 || grid[i] > 1 || !(grid[i] ? IsTile(tile) : IsTileOrNone(tile)))
            return false;
    }
    return true;
}

} // namespace

std::array<uint8_t, SavedGame::kSize> SavedGame::Bytes() const
{
    std::array<uint8_t, kSize> bytes{};
    Writer w(bytes.data());
    w.Raw(kTag, sizeof kTag);
    Transfer(w, *this);
    return bytes;
}

bool SavedGame::Parse(const uint8_t *data, size_t size, SavedGame &out)
{
    // The size is the only version mark the format has besides the tag.
    if (size != kSize || std::memcmp(data, kTag, sizeof kTag) != 0)
        return false;
    Reader r(data + sizeof kTag);
    Transfer(r, out);
    return out.Valid();
}

bool SavedGame::Valid() const
{
    if (!In(gamestatus, 0, 2) || !In(roundwind, 1, 4) || !In(banker, 0, 3) || !In(showbanker, 0, 3) ||
        !In(changchengstart, 0, 71) || !In(mjindex, -1, MJ_TOTAL) || !IsPermutation(wallmj) ||
        !IsTileOrNone(wildmj) || !IsTileOrNone(wildindicator) || !ValidGrid(gridflags, grid))
        return false;
    int flowers = 0;
    TileTally tiles;
    TileTally shown;
    tiles.AddWall(wallmj, mjindex);
    for (const SavedSeat &p : player) {
        if (!ValidSeat(p))
            return false;
        flowers += p.flowernum;
        tiles.AddSeat(p);
        shown.AddShown(p);
    }
    if (!tiles.Whole())
        return false;
    if (gamestatus != 1) {
        // The next hand starts afresh; the counts need only be possible ones.
        for (const auto &row : seenmj)
            for (int n : row)
                if (!In(n, 0, 4))
                    return false;
        return true;
    }

    // A hand in play resumes with the local player about to discard, holding its turn's tile apart
    // from a hand of 13 and in the slot after it, as play leaves it, or holding all 14 after taking a
    // claimed tile. Everyone else holds 13; a seat that has won holds its winning tile beside them.
    // The wall is rebuilt from the index, one tile from the back per flower.
    const SavedSeat &me = player[0];
    const bool drawn = me.drawflag && me.cardnum + 3 * me.getnum == 13 && IsSameMj(me.Mj[me.cardnum], me.drawmj);
    const bool claimed = !me.drawflag && me.cardnum + 3 * me.getnum == 14;
    if (!(drawn || claimed) || me.ishu || !In(mjindex, flowers - 1, MJ_TOTAL - 1))
        return false;
    for (const SavedSeat &p : player)
        if (&p != &me && TileCount::Held(p.cardnum, p.drawflag, p.getnum) != 13)
            return false;
    // Every discard and meld has been seen; a won seat's winning tile was, when it was a discard.
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++) {
            int wins = 0;
            for (const SavedSeat &p : player)
                wins += p.ishu && IsSameMj(p.humj, MakeMj(value, suit));
            if (!In(seenmj[suit][value], shown.Of(suit, value), shown.Of(suit, value) + wins))
                return false;
        }
    return true;
}
