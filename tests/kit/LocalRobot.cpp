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

bool AnswerClaims(CMj &mj)
{
    CMjPlayer &me = mj.player[0];
    const ClaimChoices &b = mj.buttons;
    int left = MJ_TOTAL - mj.mjindex;
    MjTile t = mj.lastdiscard;
    if (b.hu) {
        mj.AnswerClaim(CLAIM_HU);
    } else if (b.gang && mj.curplayer != 0 && mj.ai.NeedGang(&me, t, mj.seenmj, left)) {
        mj.AnswerClaim(CLAIM_GANG);
    } else if (b.gang && mj.curplayer == 0 && me.GetGangList() > 0 &&
               mj.ai.NeedGang(&me, me.gangchoice[0], mj.seenmj, left)) {
        mj.AnswerClaim(CLAIM_GANG);
    } else if (b.peng && mj.ai.NeedPeng(&me, t, mj.seenmj, left)) {
        mj.AnswerClaim(CLAIM_PENG);
    } else if (b.chi && mj.ai.NeedChi(&me, t, mj.seenmj, left)) {
        // The robot's chow is the shape chosen on the hand (its chimj), as a player would pick it.
        mj.AnswerClaim(CLAIM_CHI);
    } else if (b.pass) {
        mj.Pass(0);
    }
    return true;
}

// Chooses the discard as a robot would, on the hand with the drawn tile joined, then clicks it.
bool Discard(CMj &mj)
{
    CMjPlayer &me = mj.player[0];
    if (Offered(mj.buttons, mj.buttons.ting))
        mj.readyrequest = 1;
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
    me.hoverindex = -1;
    for (int i = 0; i < me.cardnum; i++)
        if (IsSameMj(me.Mj[i], choice))
            me.hoverindex = i;
    if (me.drawflag && IsSameMj(me.drawmj, choice))
        me.hoverindex = me.cardnum;
    if (me.hoverindex < 0)
        me.hoverindex = me.drawflag ? me.cardnum : me.cardnum - 1;
    mj.PlayHighlighted();
    return true;
}

} // namespace

bool LocalRobot::GameWaits(CMj &mj)
{
    for (unsigned id : kPlayTimers)
        if (mj.Timer(id)->GetEnabled())
            return false;
    return true;
}

// Only what a player sees: the claim buttons shown and enabled, and the own hand holding the tile
// of its turn. A prompt the game waits on but does not show leaves the robot clicking in vain, and
// the hand never ends.
bool LocalRobot::Act(CMj &mj)
{
    if (mj.gamestatus != 1 || !GameWaits(mj))
        return false;
    if (ClaimOffered(mj.buttons))
        return AnswerClaims(mj);
    if (mj.player[0].drawflag)
        return Discard(mj);
    return false;
}
