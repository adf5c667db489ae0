#include "rules/CLog.h"
#include "rules/CMjAi.h"
#include "rules/CMjPlayer.h"

#include <utility>

namespace {

// Lends the seat a meld while the robot thinks about a claim; the seat's melds are exactly as
// before once it is returned or goes out of scope.
class LentMeld {
public:
    LentMeld(CMjPlayer &seat, GetMjKind kind, MjTile a, MjTile b, MjTile c, int count) : seat(seat)
    {
        if (seat.getnum < 0 || seat.getnum >= 5)
            return;
        slot = seat.getnum;
        saved = seat.getmj[slot];
        GetMj &meld = seat.getmj[slot];
        meld = GetMj{};
        meld.tiles[0] = a;
        meld.tiles[1] = b;
        meld.tiles[2] = c;
        meld.tiles[3] = a;
        meld.count = count;
        meld.kind = kind;
        seat.getnum++;
    }
    ~LentMeld() { Return(); }
    LentMeld(const LentMeld &) = delete;
    LentMeld &operator=(const LentMeld &) = delete;

    // False when the seat has no room for another meld.
    explicit operator bool() const { return slot >= 0; }

    void Return()
    {
        if (slot < 0)
            return;
        seat.getmj[slot] = saved;
        seat.getnum = slot;
        slot = -1;
    }

private:
    CMjPlayer &seat;
    int slot = -1;
    GetMj saved;
};

// The tiles less up to n copies of tile (all of them for n < 0), into out.
int TakeOut(const MjTile *tiles, int count, MjTile tile, int n, MjTile *out)
{
    int m = 0, taken = 0;
    for (int i = 0; i < count; i++) {
        if (IsSameMj(tiles[i], tile) && (n < 0 || taken < n))
            taken++;
        else
            out[m++] = tiles[i];
    }
    if (n >= 0 && taken < n)
        g_log.Error("错误，未找到删除的牌.\n");
    return m;
}

MjTile Up(MjTile tile, int dv)
{
    return MakeMj(tile.value + dv, tile.suit);
}

} // namespace

bool CMjAi::NeedPeng(CMjPlayer *player, MjTile tile, const int (*seenmj)[10], int)
{
    // A hand already waiting to win does not break itself up for a pung.
    if (!player->CanPeng(tile) || player->ting || gbhu.CanHu(player, player->Mj, player->cardnum) >= 1)
        return false;
    if (player->defaultplan)
        return true;
    if (player->qiduiplan || player->bukaoplan)
        return false;

    MjTile rest[14];
    int n = TakeOut(player->Mj, player->cardnum, tile, 2, rest);
    LentMeld pung(*player, GETMJ_PENG, tile, tile, tile, 3);
    if (!pung)
        return false;
    if (ReadyHand(player, rest, n, seenmj))
        return true;
    int before = evaluation.Evaluate(player, player->Mj, player->cardnum, seenmj, nullptr, nullptr, nullptr);
    int after = evaluation.Evaluate(player, rest, n, seenmj, nullptr, nullptr, nullptr);
    return after >= 0 && before > after;
}

bool CMjAi::NeedChi(CMjPlayer *player, MjTile tile, const int (*seenmj)[10], int)
{
    if (!player->CanChi(tile) || player->ting)
        return false;
    if (gbhu.CanHu(player, player->Mj, player->cardnum) > 0)
        return false;
    if (player->defaultplan || player->qiduiplan || player->bukaoplan)
        return false;

    // The discard in the middle first, then below, then above.
    int v = tile.value;
    const struct {
        bool fits;
        int lo, hi;
    } shapes[3] = {{v >= 2 && v <= 8, -1, 1}, {v > 2, -2, -1}, {v < 8, 1, 2}};
    for (const auto &shape : shapes) {
        MjTile a = Up(tile, shape.lo), b = Up(tile, shape.hi);
        if (!shape.fits || !player->FindMj(a) || !player->FindMj(b))
            continue;
        MjTile rest[14], fewer[14];
        int n = TakeOut(player->Mj, player->cardnum, a, 1, fewer);
        n = TakeOut(fewer, n, b, 1, rest);
        MjTile low = shape.lo < 0 ? a : tile;
        LentMeld chow(*player, GETMJ_CHI, low, Up(low, 1), Up(low, 2), 3);
        if (chow && ReadyHand(player, rest, n, seenmj)) {
            player->chimj[0] = a;
            player->chimj[1] = b;
            return true;
        }
    }

    EvalPlan plan;
    if (evaluation.Evaluate(player, player->Mj, player->cardnum, seenmj, nullptr, nullptr, &plan) < 1)
        return false;
    for (int g = 0; g < plan.groupnum; g++) {
        const EvalGroup &group = plan.groups[g];
        if (group.heldnum != 2 || IsSameMj(group.held[0], group.held[1]) || group.neednum < 1 ||
            !IsSameMj(group.need[0], tile))
            continue;
        MjTile a = group.held[0], b = group.held[1];
        if (a.value > b.value)
            std::swap(a, b);
        bool adjacent = b.value == a.value + 1 && v == a.value + 2;
        bool gap = b.value == a.value + 2 && v == a.value + 1;
        if (a.suit == tile.suit && b.suit == tile.suit && (adjacent || gap)) {
            player->chimj[0] = a;
            player->chimj[1] = b;
            return true;
        }
    }
    return false;
}

bool CMjAi::NeedGang(CMjPlayer *player, MjTile tile, const int (*seenmj)[10], int)
{
    MjTile rest[14];
    int n = TakeOut(player->Mj, player->cardnum, tile, -1, rest);
    LentMeld kong(*player, GETMJ_GANG, tile, tile, tile, 4);
    if (!kong)
        return false;
    // A ready seat declares a kong only when its hand still waits to win after it.
    if (player->ting)
        return gbhu.CanHu(player, rest, n) >= 1;
    if (player->defaultplan)
        return true;
    if (player->qiduiplan || player->bukaoplan)
        return false;
    if (gbhu.CanHu(player, rest, n) >= 1)
        return true;

    // Whether the hand already waits is asked of its own melds: with the kong lent too, the
    // reading would hold more groups than a hand has.
    kong.Return();
    if (gbhu.CanHu(player, player->Mj, player->cardnum) > 0)
        return false;
    LentMeld again(*player, GETMJ_GANG, tile, tile, tile, 4);
    int before = evaluation.Evaluate(player, player->Mj, player->cardnum, seenmj, nullptr, nullptr, nullptr);
    int after = evaluation.Evaluate(player, rest, n, seenmj, nullptr, nullptr, nullptr);
    return after >= 0 && before >= after;
}
