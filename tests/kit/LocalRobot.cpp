#include "tests/kit/LocalRobot.h"

#include "table/CMj.h"

#include <algorithm>

namespace {

constexpr unsigned kPlayTimers[] = {TIMER_STATE, TIMER_CLAIMS, TIMER_PENG,   TIMER_FLOWERPAUSE, TIMER_ROBOT,
                                    TIMER_DICE,  TIMER_FLIGHT, TIMER_CLAIMFLIGHT, TIMER_READYDRAW};

// A claim button that can be pressed: shown and enabled.
bool Offered(const ClaimChoices &b, uint8_t enabled)
{
    return b.shown && enabled;
}

bool ClaimOffered(const ClaimChoices &b)
{
    return Offered(b, b.hu) || Offered(b, b.gang) || Offered(b, b.peng) || Offered(b, b.chi);
}

LocalInput Press(int button)
{
    return {LocalInput::Button, button};
}

LocalInput PointAt(int tile)
{
    return {LocalInput::Tile, tile};
}

// The hand tile (cardnum: the drawn tile) that is the tile, or -1.
int IndexOf(const CMjPlayer &me, MjTile tile)
{
    if (me.drawflag && IsSameMj(me.drawmj, tile))
        return me.cardnum;
    for (int i = 0; i < me.cardnum; i++)
        if (IsSameMj(me.Mj[i], tile))
            return i;
    return -1;
}

LocalInput AnswerClaims(CMj &mj)
{
    CMjPlayer &me = mj.player[0];
    const ClaimChoices &b = mj.buttons;
    int left = MJ_TOTAL - mj.mjindex;
    MjTile t = mj.lastdiscard;
    if (b.hu)
        return Press(BTN_HU);
    if (b.gang && mj.curplayer != 0 && mj.ai.NeedGang(&me, t, mj.seenmj, left))
        return Press(BTN_GANG);
    if (b.gang && mj.curplayer == 0 && me.GetGangList() > 0 && mj.ai.NeedGang(&me, me.gangchoice[0], mj.seenmj, left))
        return Press(BTN_GANG);
    if (b.peng && mj.ai.NeedPeng(&me, t, mj.seenmj, left))
        return Press(BTN_PENG);
    // The robot's chow is the shape it chose on the hand (its chimj), as a player would pick it.
    if (b.chi && mj.ai.NeedChi(&me, t, mj.seenmj, left))
        return Press(BTN_CHI);
    return Press(BTN_PASS);
}

// Of the chosen chow's two tiles, the one whose first chow is that chow.
LocalInput PointAtChow(const CMjPlayer &me)
{
    for (const MjTile &tile : me.chimj)
        for (int j = 0; j < me.chinum; j++) {
            const GetMj &c = me.chichoice[j];
            if (IsSameMj(c.tiles[0], tile) || IsSameMj(c.tiles[1], tile)) {
                if (IsSameMj(c.tiles[0], me.chimj[0]) && IsSameMj(c.tiles[1], me.chimj[1]))
                    return PointAt(IndexOf(me, tile));
                break;
            }
        }
    return Press(BTN_PASS);
}

// Chooses the discard as a robot would, on the hand with the drawn tile joined.
LocalInput Discard(CMj &mj)
{
    CMjPlayer &me = mj.player[0];
    MjTile hand[14];
    uint8_t marks[15];
    std::copy(me.Mj, me.Mj + 14, hand);
    std::copy(me.tilemark, me.tilemark + 15, marks);
    int count = me.cardnum;
    uint8_t drawn = me.drawflag;
    if (me.drawflag) {
        me.Mj[me.cardnum++] = me.drawmj;
        me.drawflag = 0;
    }
    me.SortMj();
    mj.ai.Play(&me, mj.seenmj, MJ_TOTAL - mj.mjindex, mj.wallmj, mj.mjindex);
    MjTile choice = me.playmj;
    std::copy(hand, hand + 14, me.Mj);
    std::copy(marks, marks + 15, me.tilemark);
    me.cardnum = count;
    me.drawflag = drawn;
    int index = -1;
    for (int i = 0; i < me.cardnum; i++)
        if (IsSameMj(me.Mj[i], choice))
            index = i;
    if (me.drawflag && IsSameMj(me.drawmj, choice))
        index = me.cardnum;
    if (index < 0)
        index = me.drawflag ? me.cardnum : me.cardnum - 1;
    return PointAt(index);
}

} // namespace

bool LocalRobot::GameWaits(CMj &mj)
{
    for (unsigned id : kPlayTimers)
        if (mj.Timer(id)->GetEnabled())
            return false;
    return true;
}

// Only what a player sees: the claim buttons shown and enabled, the tiles a choice lets it point
// at, and the own hand holding the tile of its turn. A prompt the game waits on but does not show
// leaves the robot with nothing to do, and the hand never ends.
LocalInput LocalRobot::Next(CMj &mj)
{
    if (mj.gamestatus != 1 || !GameWaits(mj))
        return {};
    CMjPlayer &me = mj.player[0];
    if (me.chiflag)
        return PointAtChow(me);
    if (me.gangflag) {
        const int kong = IndexOf(me, me.gangchoice[0]);
        return kong >= 0 ? PointAt(kong) : Press(BTN_PASS);
    }
    if (ClaimOffered(mj.buttons))
        return AnswerClaims(mj);
    if (me.drawflag)
        return Offered(mj.buttons, mj.buttons.ting) ? Press(BTN_TING) : Discard(mj);
    return {};
}

bool LocalRobot::Act(CMj &mj)
{
    const LocalInput input = Next(mj);
    switch (input.kind) {
    case LocalInput::Button:
        mj.TableButtonClicked(input.index);
        return true;
    case LocalInput::Tile:
        mj.player[0].hoverindex = input.index;
        mj.HandHovered();
        mj.HandPressed();
        return true;
    default:
        return false;
    }
}
