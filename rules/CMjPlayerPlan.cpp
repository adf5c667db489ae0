#include "rules/CEvaluation.h"
#include "rules/CLog.h"
#include "rules/CMjPlayer.h"
#include "rules/HandCount.h"

void CMjPlayer::ChoosePlan()
{
    if (!robot)
        return;
    // The plan is chosen from the dealt hand alone, before anything has been seen.
    static const int noneSeen[5][10] = {};
    CEvaluation evaluation;
    int distance = evaluation.Evaluate(this, Mj, cardnum, noneSeen, nullptr, nullptr, nullptr);
    int mainsuit = FindMainSuit(7);
    if ((distance == -1 || distance > 2) && mainsuit <= SUIT_BING) {
        onesuitplan = 1;
        onesuit = static_cast<uint8_t>(mainsuit);
        return;
    }

    SortMj();
    int pairs = 0;
    for (int i = 0; i + 1 < cardnum;) {
        if (IsSameMj(Mj[i], Mj[i + 1])) {
            pairs++;
            i += 2;
        } else {
            i++;
        }
    }
    if (pairs >= 4) {
        g_log.Trace("玩家选择了做暗七对：\n");
        qiduiplan = 1;
        return;
    }
    if (pairs == 3 && distance == -1) {
        defaultplan = 1;
        return;
    }

    int honours = 0;
    for (int v = 1; v <= 7; v++)
        if (FindMj(MakeMj(v, SUIT_ZI)))
            honours++;
    int order[3];
    int knitted = BestKnittedOrder(Mj, cardnum, order);
    if (honours + knitted > 8) {
        bukaoplan = 1;
        for (int k = 0; k < 3; k++)
            bukaosuits[k] = order[k];
    } else if (knitted > 6) {
        zuhelongplan = 1;
        for (int k = 0; k < 3; k++)
            zuhelongsuits[k] = order[k];
    }
}
