#include "tests/kit/SelfPlay.h"

#include "platform/TestClock.h"
#include "table/CMj.h"
#include "tests/kit/LocalRobot.h"
#include "tests/kit/TableAudit.h"

namespace {

// A hand takes a few thousand ticks; one that goes on far longer will never end.
constexpr int kMaxStepsPerHand = 200000;

int ScoreTotal(const CMj &mj)
{
    int total = 0;
    for (const CMjPlayer &p : mj.player)
        total += p.score;
    return total;
}

} // namespace

void SelfPlay::Record(SelfPlaySummary &s) const
{
    s.hands++;
    int winner = -1, payers = 0;
    for (int seat = 0; seat < 4; seat++) {
        if (mj_.player[seat].ishu)
            winner = seat;
        if (mj_.player[seat].scorechange < 0)
            payers++;
    }
    if (winner < 0) {
        s.draws++;
        return;
    }
    const CMjPlayer &w = mj_.player[winner];
    s.wins[winner]++;
    if (payers > 1)
        s.selfdrawn++;
    s.fantotal += w.totalfan;
    for (int fan = 1; fan < FAN_COUNT; fan++)
        if (w.fanflag[fan])
            s.fancount[fan]++;
}

void SelfPlay::Run(int hands, SelfPlaySummary &summary)
{
    mj_.NewLocalGame();
    TableAudit audit(ScoreTotal(mj_));
    int steps = 0;
    int played = 0;
    while (played < hands) {
        if (mj_.gamestatus == 2) {
            Record(summary);
            played++;
            steps = 0;
            bool bankrupt = false;
            for (const CMjPlayer &p : mj_.player)
                bankrupt = bankrupt || p.score < 1;
            if (bankrupt)
                mj_.NewLocalGame();
            else
                mj_.NextHand();
            continue;
        }
        if (!LocalRobot::Act(mj_))
            clock_.Step();
        for (const std::string &rule : audit.Check(mj_)) {
            summary.broken++;
            if (report_)
                report_(rule);
        }
        if (++steps > kMaxStepsPerHand) {
            summary.broken++;
            if (report_)
                report_("a hand did not end");
            mj_.NewLocalGame();
            steps = 0;
        }
    }
}
