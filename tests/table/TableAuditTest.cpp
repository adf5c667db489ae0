#include "tests/kit/LocalRobot.h"
#include "tests/kit/TableAudit.h"
#include "tests/table/TableFixture.h"

#include <functional>

namespace {

class TableAuditTest : public TableFixture {};

// The check kept from step to step, as self-play keeps it: a fault planted in the middle of a robot
// hand, after the table was checked sound there, is found at the very next check.
TEST_F(TableAuditTest, ATileDuplicatedOrLostOrASeenCountOffIsFoundAtTheNextCheck)
{
    const std::pair<const char *, std::function<void(CMj &)>> faults[] = {
        {"a hand tile written over with another kind",
         [](CMj &m) {
             CMjPlayer &p = m.player[2];
             int i = 1;
             while (IsSameMj(p.Mj[i], p.Mj[0]))
                 i++;
             p.Mj[0] = p.Mj[i];
         }},
        {"a hand tile lost", [](CMj &m) { m.player[1].cardnum--; }},
        {"a wall tile written over with another kind",
         [](CMj &m) {
             int i = MJ_TOTAL - 2;
             while (IsSameMj(MjFromIndex(m.wallmj[i]), MjFromIndex(m.wallmj[MJ_TOTAL - 1])))
                 i--;
             m.wallmj[MJ_TOTAL - 1] = m.wallmj[i];
         }},
        {"a seen count one off", [](CMj &m) { m.seenmj[SUIT_ZI][7]++; }},
    };
    for (const auto &[what, fault] : faults) {
        CMj &m = Make();
        m.SetAnimateOn(false);
        m.NewLocalGame();
        TableAudit audit = TableAudit::Of(m);
        for (int steps = 0; m.gamestatus != 1 || m.mjindex < 70; steps++) {
            ASSERT_LT(steps, 100000) << "no hand got that far";
            if (m.gamestatus == 2)
                m.NextHand();
            else if (!LocalRobot::Act(m))
                clock.Step();
            const std::vector<std::string> broken = audit.Check(m);
            ASSERT_TRUE(broken.empty()) << broken[0];
        }
        fault(m);
        EXPECT_FALSE(audit.Check(m).empty()) << what;
    }
}

} // namespace
