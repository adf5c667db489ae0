#include "platform/MessageBox.h"
#include "tests/kit/LocalRobot.h"
#include "tests/kit/SelfPlay.h"
#include "tests/kit/TableAudit.h"
#include "tests/support/Tiles.h"
#include "tests/table/HandFixture.h"

namespace {

using TurnCycle = HandFixture;

TEST_F(TurnCycle, TheNearerOfTwoWinnersAfterTheDiscarderTakesTheTile)
{
    CMj &m = Table();
    Hand(3, "123m456m789m111s5p"); // seat 3 comes right after seat 2
    Hand(1, "111m222m333m444s5p");
    RobotDiscards(2, "5p");
    ASSERT_GE(m.claimcount, 2);
    EXPECT_EQ(m.claimlist[0].seat, 3);
    clock.Advance(m.robotpace);
    EXPECT_TRUE(m.player[3].ishu);
    EXPECT_FALSE(m.player[1].ishu);
    EXPECT_EQ(m.gamestatus, 2);
}

TEST_F(TurnCycle, ARobotsWinBeatsTheLocalPlayersPungEvenFromAFartherSeat)
{
    CMj &m = Table();
    Hand(0, "55p1234567z123456z");
    Hand(1, "123m456m789m111s5p");
    RobotDiscards(3, "5p");
    EXPECT_TRUE(m.player[1].ishu);
    EXPECT_EQ(m.player[0].getnum, 0);
    EXPECT_FALSE(m.buttons.shown);
}

TEST_F(TurnCycle, APungComesBeforeAChowOfTheSameDiscard)
{
    CMj &m = Table();
    Hand(0, "46p1234567z123456z"); // next after seat 3: a chow
    Hand(2, "55p19m19s1234567z");
    m.player[2].defaultplan = 1; // the default plan claims every pung
    RobotDiscards(3, "5p");
    EXPECT_EQ(m.claimlist[0].kind, CLAIM_PENG);
    clock.Advance(510); // a robot's pung follows half a second after the claim
    ASSERT_EQ(m.player[2].getnum, 1);
    EXPECT_EQ(m.player[2].getmj[0].kind, GETMJ_PENG);
    EXPECT_EQ(m.seenmj[2][5], 3);
    EXPECT_EQ(m.player[0].getnum, 0);
    EXPECT_EQ(m.curplayer, 2);
}

TEST_F(TurnCycle, TheLocalPlayerIsAskedAndItsPungIsCarriedOut)
{
    CMj &m = Table();
    Hand(0, "55p13m1234567z12345z");
    RobotDiscards(3, "5p");
    ASSERT_TRUE(m.buttons.shown);
    EXPECT_TRUE(m.buttons.peng);
    EXPECT_TRUE(m.buttons.pass);
    EXPECT_TRUE(m.claimbuttonsup);
    m.AnswerClaim(CLAIM_PENG);
    ASSERT_EQ(m.player[0].getnum, 1);
    EXPECT_EQ(m.curplayer, 0);
    EXPECT_TRUE(m.cansave); // now the player discards by clicking
    EXPECT_EQ(m.player[0].cardnum + 1 + 3 * m.player[0].getnum, 14);
    m.player[0].hoverindex = 0;
    m.PlayHighlighted();
    EXPECT_EQ(m.player[0].cardnum, 10);
    EXPECT_EQ(m.player[3].outnum, 0); // the claimed tile never landed
}

TEST_F(TurnCycle, PassingLetsTheDiscardLandAndTheNextSeatDraw)
{
    CMj &m = Table();
    Hand(0, "55p13m1234567z12345z");
    m.wallmj[61] = 0; // 1m for seat 0's draw
    RobotDiscards(3, "5p");
    m.Pass(0);
    EXPECT_EQ(m.player[3].outnum, 1);
    EXPECT_TRUE(IsSameMj(m.player[3].outmj[0], Tile("5p")));
    EXPECT_EQ(m.curplayer, 0);
    EXPECT_TRUE(m.player[0].drawflag);
    EXPECT_TRUE(IsSameMj(m.player[0].drawmj, Tile("1m")));
}

TEST_F(TurnCycle, AClaimedKongIsExposedAndDrawsAReplacement)
{
    CMj &m = Table();
    Hand(0, "555p1234567z1234z");
    RobotDiscards(3, "5p");
    ASSERT_TRUE(m.buttons.gang);
    m.AnswerClaim(CLAIM_GANG);
    ASSERT_EQ(m.player[0].getnum, 1);
    EXPECT_EQ(m.player[0].getmj[0].count, 4);
    EXPECT_EQ(m.player[0].exposed[0], 1);
    EXPECT_EQ(m.player[0].gangseat, 3);
    EXPECT_EQ(m.seenmj[2][5], 4);
    EXPECT_EQ(m.mjindex, 61); // the replacement came from the wall
    EXPECT_TRUE(m.player[0].ganging);
}

TEST_F(TurnCycle, ConcealedAndAddedKongsOnTheOwnTurn)
{
    CMj &m = Table();
    // Four in hand: a concealed kong.
    Hand(0, "5555p123456z1234z");
    m.player[0].drawmj = Tile("9m");
    m.player[0].drawflag = 1;
    m.GangTile(Tile("5p"), 0);
    ASSERT_EQ(m.player[0].getnum, 1);
    EXPECT_EQ(m.player[0].exposed[0], 0);
    EXPECT_EQ(m.seenmj[2][5], 4);
    EXPECT_EQ(m.player[0].gangseat, -1);
    EXPECT_TRUE(m.player[0].FindMj(Tile("9m"))); // the drawn tile stayed with the player

    // Three in hand and the drawn one: also concealed.
    Hand(1, "777s1234567z123z");
    m.curplayer = 1;
    m.player[1].Mj[m.player[1].cardnum++] = Tile("7s");
    m.player[1].SortMj();
    m.GangTile(Tile("7s"), 1);
    EXPECT_EQ(m.player[1].exposed[m.player[1].getnum - 1], 0);
    EXPECT_EQ(m.seenmj[1][7], 4);

    // A pung on the table and its fourth copy drawn: the pung grows into a kong.
    CMjPlayer &me = m.player[0];
    m.curplayer = 0;
    Pung(0, "2m");
    m.seenmj[0][2] = 3;
    me.drawmj = Tile("2m");
    me.drawflag = 1;
    int before = me.cardnum;
    m.GangTile(Tile("2m"), 0);
    EXPECT_EQ(me.getmj[0].count, 4);
    EXPECT_EQ(me.getmj[0].kind, GETMJ_GANG);
    EXPECT_EQ(me.exposed[0], 1);
    EXPECT_EQ(m.seenmj[0][2], 4);
    EXPECT_EQ(me.cardnum, before);
}

TEST_F(TurnCycle, ARobotRobsTheKongTheLocalPlayerAdds)
{
    CMj &m = Table();
    CMjPlayer &me = m.player[0];
    Hand(0, "1234567z123456z");
    me.cardnum = 10;
    Pung(0, "5p");
    me.drawmj = Tile("5p");
    me.drawflag = 1;
    Hand(2, "123m456m789m111s5p");
    m.GangTile(Tile("5p"), 0);
    EXPECT_TRUE(m.player[2].ishu);
    EXPECT_TRUE(m.player[2].fanflag[FAN_ROBBING_THE_KONG]);
    EXPECT_EQ(me.getmj[0].count, 3); // the kong was never made
    EXPECT_FALSE(me.drawflag);       // and its tile went to the winner
    EXPECT_LT(me.scorechange, 0);
    EXPECT_EQ(m.player[1].scorechange, 0);
}

// Seat 1 holds a pung of 5p and its fourth copy; seat 0 waits on 5p.
class RobbingFromARobot : public TurnCycle {
protected:
    CMj &Offer()
    {
        CMj &m = Table();
        CMjPlayer &robot = m.player[1];
        Hand(1, "5p1234567z12345z");
        robot.cardnum = 11;
        Pung(1, "5p");
        Hand(0, "123m456m789m111s5p");
        m.curplayer = 1;
        m.GangTile(Tile("5p"), 1);
        return m;
    }
};

TEST_F(RobbingFromARobot, TheLocalPlayerIsOfferedTheWinAndTakesIt)
{
    CMj &m = Offer();
    ASSERT_TRUE(m.roboffer);
    EXPECT_TRUE(m.buttons.hu);
    EXPECT_TRUE(m.buttons.pass);
    EXPECT_EQ(m.player[1].getmj[0].count, 3); // the kong waits for the answer
    m.AnswerClaim(CLAIM_HU);
    EXPECT_TRUE(m.player[0].ishu);
    EXPECT_TRUE(m.player[0].fanflag[FAN_ROBBING_THE_KONG]);
    EXPECT_LT(m.player[1].scorechange, 0);
    EXPECT_EQ(m.player[2].scorechange, 0);
}

TEST_F(RobbingFromARobot, PassingLetsTheKongGoAhead)
{
    CMj &m = Offer();
    ASSERT_TRUE(m.roboffer);
    int drawn = m.mjindex;
    m.Pass(0);
    EXPECT_FALSE(m.player[0].ishu);
    EXPECT_EQ(m.player[1].getmj[0].count, 4);
    EXPECT_EQ(m.player[1].getmj[0].kind, GETMJ_GANG);
    EXPECT_EQ(m.seenmj[2][5], 1);
    EXPECT_EQ(m.mjindex, drawn + 1); // the replacement tile
    EXPECT_EQ(m.curplayer, 1);
}

TEST_F(TurnCycle, KongsAreOfferedWithOneTileLeftButNotWithNone)
{
    CMj &m = Table();
    Hand(0, "555p1234567z1234z");
    m.mjindex = 142;
    RobotDiscards(3, "5p");
    EXPECT_TRUE(m.buttons.gang);
    m.Pass(0);

    m.ResetTable();
    m.gamestatus = 1;
    Hand(0, "555p1234567z1234z");
    for (int seat = 1; seat < 4; seat++)
        Hand(seat, "1357m1357s1357p1z");
    m.mjindex = 143;
    RobotDiscards(3, "5p");
    EXPECT_FALSE(m.buttons.gang);
    EXPECT_TRUE(m.buttons.peng);
}

TEST_F(TurnCycle, AReadyLocalPlayerDiscardsWhatItDrawsUnlessItWins)
{
    CMj &m = Table();
    Hand(0, "123m456m789m111s5p");
    m.player[0].ting = 1;
    m.curplayer = 0;
    m.wallmj[61] = 80; // 9p: no win, and nobody can claim it
    m.DrawTile(false);
    EXPECT_TRUE(IsSameMj(m.lastdiscard, Tile("9p")));
    EXPECT_EQ(m.player[0].cardnum, 13);
    clock.Advance(m.robotpace + 500);
    ASSERT_EQ(m.player[0].outnum, 1);
    EXPECT_TRUE(IsSameMj(m.player[0].outmj[0], Tile("9p")));

    m.Timer(TIMER_ROBOT)->SetEnabled(false); // seat 1's turn is skipped
    m.wallmj[m.mjindex + 1] = 76;            // 5p: the player wins instead
    m.curplayer = 0;
    m.DrawTile(false);
    EXPECT_TRUE(m.player[0].ishu);
    EXPECT_EQ(m.gamestatus, 2);
}

TEST_F(TurnCycle, PaymentsFollowTheWayTheHandWasWon)
{
    CMj &m = Table();
    m.PayScore(1, 3, true, -1);
    EXPECT_EQ(m.player[1].scorechange, 9);
    EXPECT_EQ(m.player[0].scorechange, -3);
    EXPECT_EQ(m.player[2].score, 997);
    EXPECT_EQ(m.player[3].score, 997);

    m.PayScore(2, 5, false, 0);
    EXPECT_EQ(m.player[0].score, 992);
    EXPECT_EQ(m.player[2].score, 1002);
    EXPECT_EQ(m.player[3].score, 997);
}

TEST_F(TurnCycle, ADrawnHandMovesNoPointsButTheDealerPasses)
{
    CMj &m = Table();
    m.banker = 3;
    m.roundwind = 1;
    m.curplayer = 3;
    m.mjindex = 143;
    m.DrawTile(false);
    EXPECT_EQ(m.gamestatus, 2);
    for (const CMjPlayer &p : m.player)
        EXPECT_EQ(p.score, 1000);
    EXPECT_EQ(m.banker, 0);
    EXPECT_EQ(m.roundwind, 2); // seat 0 deals again: the round wind moves on
}

TEST_F(TurnCycle, ASeatAtZeroIsBankruptButOneAtOneIsNot)
{
    CMj &m = Table();
    std::vector<std::string> shown;
    MessageBox::SetHandler([&](const MessageBox::Box &b) {
        shown.push_back(b.text);
        return MessageBox::ResultOk;
    });
    m.gamestatus = 2;
    m.player[2].score = 0;
    m.NextHand();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Some people went bankrupt,  Game is over.");
    EXPECT_EQ(m.gamestatus, 2);

    m.player[2].score = 1;
    m.NextHand();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(m.gamestatus, 1);
    MessageBox::SetHandler(nullptr);
}

TEST_F(TurnCycle, WholeHandsWithFourRobotsKeepTheTableSound)
{
    CMj &m = Make();
    m.SetAnimateOn(false);
    SelfPlay play(m, clock);
    std::vector<std::string> broken;
    play.OnBroken([&](const std::string &rule) { broken.push_back(rule); });
    SelfPlaySummary s;
    play.Run(150, s);
    EXPECT_EQ(s.hands, 150);
    EXPECT_EQ(s.broken, 0) << (broken.empty() ? "" : broken[0]);
    EXPECT_GT(s.wins[0] + s.wins[1] + s.wins[2] + s.wins[3], 100);
    EXPECT_GT(s.selfdrawn, 0);
}

} // namespace
