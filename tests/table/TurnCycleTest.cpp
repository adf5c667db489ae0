#include "platform/MessageBox.h"
#include "tests/kit/LocalRobot.h"
#include "tests/kit/SelfPlay.h"
#include "tests/kit/TableAudit.h"
#include "tests/support/Tiles.h"
#include "tests/table/HandFixture.h"
#include "windows/CShowMessageForm.h"

namespace {

using TurnCycle = HandFixture;

// A winning hand on 5p, and one that waits on East.
constexpr const char *kWinsOn5p = "123m456m789m111s5p";

// Of several claims on one discard: the win nearest after the discarder, a robot's win over the local
// player's pung from a farther seat, a pung before a chow.
TEST_F(TurnCycle, ClaimsGoToTheNearestWinThenToAPungBeforeAChowAndAnUnclaimedTileLandsAfterTheRound)
{
    CMj &m = Table();
    Hand(3, kWinsOn5p); // seat 3 comes right after seat 2
    Hand(1, "111m222m333m444s5p");
    RobotDiscards(2, "5p");
    ASSERT_GE(m.claimcount, 2);
    EXPECT_EQ(m.claimlist[0].seat, 3);
    clock.Advance(m.robotpace);
    EXPECT_TRUE(m.player[3].ishu && !m.player[1].ishu);
    EXPECT_EQ(m.gamestatus, 2);

    CMj &n = Table();
    Hand(0, "55p1234567z123456z");
    Hand(1, kWinsOn5p);
    RobotDiscards(3, "5p");
    EXPECT_TRUE(n.player[1].ishu);
    EXPECT_EQ(n.player[0].getnum, 0);
    EXPECT_FALSE(n.buttons.shown);

    CMj &o = Table();
    Hand(0, "46p1234567z123456z"); // next after seat 3: a chow
    Hand(2, "55p19m19s1234567z");
    o.player[2].defaultplan = 1; // the default plan claims every pung
    RobotDiscards(3, "5p");
    EXPECT_EQ(o.claimlist[0].kind, CLAIM_PENG);
    clock.Advance(510); // a robot's pung follows half a second after the claim
    ASSERT_EQ(o.player[2].getnum, 1);
    EXPECT_EQ(o.seenmj[2][5], 3);
    EXPECT_EQ(o.player[0].getnum, 0);
    EXPECT_EQ(o.curplayer, 2);

    // A discard nobody wants lands half a second after the claims round.
    CMj &q = Table();
    RobotDiscards(3, "9p");
    clock.Advance(q.robotpace + 499);
    EXPECT_EQ(q.player[3].outnum, 0);
    clock.Advance(1);
    EXPECT_EQ(q.player[3].outnum, 1);
    EXPECT_EQ(q.curplayer, 0);
}

// The local player holds a pair of 5p and is asked about seat 3's 5p: a pung is carried out and
// the player discards; a pass lets the tile land and seat 0 draws.
TEST_F(TurnCycle, TheLocalPlayerIsAskedAndItsPungOrItsPassIsCarriedOut)
{
    for (bool pung : {true, false}) {
        CMj &m = Table();
        Hand(0, "55p13m1234567z12345z");
        m.wallmj[61] = 0; // 1m for seat 0's draw
        RobotDiscards(3, "5p");
        ASSERT_TRUE(m.buttons.shown && m.buttons.peng && m.buttons.pass);
        CMjPlayer &me = m.player[0];
        if (!pung) {
            m.Pass(0);
            EXPECT_EQ(m.player[3].outnum, 1);
            EXPECT_TRUE(IsSameMj(m.player[3].outmj[0], Tile("5p")));
            EXPECT_EQ(m.curplayer, 0);
            EXPECT_TRUE(me.drawflag && IsSameMj(me.drawmj, Tile("1m")));
            continue;
        }
        m.AnswerClaim(CLAIM_PENG);
        ASSERT_EQ(me.getnum, 1);
        EXPECT_EQ(m.curplayer, 0);
        EXPECT_TRUE(m.cansave); // now the player discards by clicking
        EXPECT_EQ(me.cardnum + 1 + 3 * me.getnum, 14);
        me.hoverindex = 0;
        m.PlayHighlighted();
        EXPECT_EQ(me.cardnum, 10);
        EXPECT_EQ(m.player[3].outnum, 0); // the claimed tile never landed
    }
}

TEST_F(TurnCycle, ConcealedAndAddedKongsOnTheOwnTurnAndNoKongWithoutAReplacement)
{
    CMj &m = Table();
    CMjPlayer &me = m.player[0];
    // Four in hand: a concealed kong; the drawn tile stays with the player.
    Hand(0, "5555p123456z1234z");
    Drawn(0, "9m");
    m.GangTile(Tile("5p"), 0);
    ASSERT_EQ(me.getnum, 1);
    EXPECT_EQ(me.exposed[0], 0);
    EXPECT_EQ(m.seenmj[2][5], 4);
    EXPECT_EQ(me.gangseat, -1);
    EXPECT_TRUE(me.FindMj(Tile("9m")));

    // Three in hand and the drawn one: also concealed.
    Hand(1, "777s1234567z123z");
    m.curplayer = 1;
    m.player[1].Mj[m.player[1].cardnum++] = Tile("7s");
    m.player[1].SortMj();
    m.GangTile(Tile("7s"), 1);
    EXPECT_EQ(m.player[1].exposed[m.player[1].getnum - 1], 0);
    EXPECT_EQ(m.seenmj[1][7], 4);

    // A pung on the table and its fourth copy drawn: the pung grows into a kong, not the chow of the
    // same tile laid before it.
    m.curplayer = 0;
    Pung(0, "2m");
    me.getmj[1] = me.getmj[0];
    me.exposed[1] = 1;
    me.getmj[0].kind = GETMJ_CHI;
    me.getmj[0].tiles[1] = Tile("3m");
    me.getmj[0].tiles[2] = Tile("4m");
    me.getnum = 2;
    m.seenmj[0][2] = 3;
    Drawn(0, "2m");
    int before = me.cardnum;
    m.GangTile(Tile("2m"), 0);
    EXPECT_EQ(me.getmj[0].count, 3);
    EXPECT_EQ(me.getmj[0].kind, GETMJ_CHI);
    EXPECT_EQ(me.getmj[1].count, 4);
    EXPECT_EQ(me.getmj[1].kind, GETMJ_GANG);
    EXPECT_EQ(me.exposed[1], 1);
    EXPECT_EQ(m.seenmj[0][2], 4);
    EXPECT_EQ(me.cardnum, before);

    // A kong needs a replacement: with the wall's last tile taken there is none, whether the fourth
    // copy is a discard or the player's own draw.
    for (int taken : {142, 143}) {
        CMj &t = Table();
        Hand(0, "555p1234567z1234z");
        t.mjindex = taken;
        RobotDiscards(3, "5p");
        EXPECT_TRUE(t.buttons.peng);
        EXPECT_EQ(t.buttons.gang != 0, taken == 142) << taken;
    }
    CMj &w = Table();
    for (int last : {141, 142}) {
        Hand(0, "555p1234567z123z");
        w.mjindex = last;
        Draws(0, "5p");
        ASSERT_TRUE(w.player[0].drawflag);
        EXPECT_EQ(w.buttons.gang != 0, last + 1 < 143) << "drawing tile " << last + 1;
        w.Pass(0);
    }
}

TEST_F(TurnCycle, AnAddedKongMayBeRobbedByARobotOrByTheLocalPlayer)
{
    CMj &m = Table();
    CMjPlayer &me = m.player[0];
    Hand(0, "1234567z123456z");
    me.cardnum = 10;
    Pung(0, "5p");
    Drawn(0, "5p");
    Hand(2, kWinsOn5p);
    m.GangTile(Tile("5p"), 0);
    EXPECT_TRUE(m.player[2].ishu);
    EXPECT_TRUE(m.player[2].fanflag[FAN_ROBBING_THE_KONG]);
    EXPECT_EQ(me.getmj[0].count, 3); // the kong was never made
    EXPECT_FALSE(me.drawflag);       // and its tile went to the winner
    EXPECT_LT(me.scorechange, 0);
    EXPECT_EQ(m.player[1].scorechange, 0);

    // Seat 1 adds the fourth 5p to its pung while seat 0 waits on 5p: the local player is offered
    // the win; taking it scores the robbed kong, passing lets the kong go ahead.
    for (bool rob : {true, false}) {
        CMj &n = Table();
        Hand(1, "5p1234567z12345z");
        n.player[1].cardnum = 11;
        Pung(1, "5p");
        Hand(0, kWinsOn5p);
        n.curplayer = 1;
        n.GangTile(Tile("5p"), 1);
        ASSERT_TRUE(n.roboffer && n.buttons.hu && n.buttons.pass);
        EXPECT_EQ(n.player[1].getmj[0].count, 3); // the kong waits for the answer
        int drawn = n.mjindex;
        if (rob) {
            n.AnswerClaim(CLAIM_HU);
            EXPECT_TRUE(n.player[0].ishu && n.player[0].fanflag[FAN_ROBBING_THE_KONG]);
            EXPECT_LT(n.player[1].scorechange, 0);
            EXPECT_EQ(n.player[2].scorechange, 0);
            continue;
        }
        n.Pass(0);
        EXPECT_FALSE(n.player[0].ishu);
        EXPECT_EQ(n.player[1].getmj[0].count, 4);
        EXPECT_EQ(n.player[1].getmj[0].kind, GETMJ_GANG);
        EXPECT_EQ(n.seenmj[2][5], 1);
        EXPECT_EQ(n.mjindex, drawn + 1); // the replacement tile
        EXPECT_EQ(n.curplayer, 1);
    }
}

// A ready local player throws out what it draws by itself, wins on its draw, and wins on a discard
// without being asked.
TEST_F(TurnCycle, TheReadyButtonDeclaresAndAReadyLocalPlayerPlaysAndWinsWithoutBeingAsked)
{
    CMj &m = Table();
    Hand(0, kWinsOn5p);
    m.player[0].ting = 1;
    Draws(0, "9p"); // no win, and nobody can claim it
    EXPECT_TRUE(IsSameMj(m.lastdiscard, Tile("9p")));
    EXPECT_EQ(m.player[0].cardnum, 13);
    clock.Advance(m.robotpace + 500);
    ASSERT_EQ(m.player[0].outnum, 1);
    EXPECT_TRUE(IsSameMj(m.player[0].outmj[0], Tile("9p")));
    m.Timer(TIMER_ROBOT)->SetEnabled(false); // seat 1's turn is skipped
    Draws(0, "5p");
    EXPECT_TRUE(m.player[0].ishu);
    EXPECT_EQ(m.gamestatus, 2);

    CMj &n = Table();
    Hand(0, kWinsOn5p);
    n.player[0].ting = 1;
    RobotDiscards(3, "5p");
    EXPECT_TRUE(n.player[0].ishu);
    EXPECT_EQ(n.gamestatus, 2);

    // The ready button lights when a discard leaves the hand waiting, and declares.
    CMj &r = Table();
    Hand(0, "123m456m789m11s59p");
    Draws(0, "5p"); // throwing the 9p leaves 55p and 11s waiting
    ASSERT_TRUE(r.buttons.shown && r.buttons.ting);
    r.readyrequest = 1; // the ready button
    r.ShowClaimButtons(false);
    Discard("9p");
    EXPECT_TRUE(r.player[0].ting);

    // A hand that no discard leaves waiting never lights it.
    Table();
    Hand(0, "1357m1357s1357p1z");
    Draws(0, "1z");
    EXPECT_FALSE(mj->buttons.ting);
}

// Seat 1 holds four 9p and has declared ready (waiting on East); it makes the concealed kong and
// throws out its replacement, which is `replacement`.
void KongAndDiscard(CMj &m, TestClock &clock, const char *replacement)
{
    CMjPlayer &robot = m.player[1];
    robot.cardnum = 0;
    for (MjTile t : Tiles("9999p123m456m789s1z"))
        robot.Mj[robot.cardnum++] = t;
    robot.SortMj();
    robot.ting = 1;
    m.curplayer = 1;
    m.wallmj[61] = static_cast<uint8_t>(MjToIndex(Tile(replacement)));
    m.GangTile(Tile("9p"), 1);
    clock.Advance(50); // the robot's turn: a ready robot discards what it drew
    ASSERT_TRUE(IsSameMj(m.lastdiscard, Tile(replacement)));
}

TEST_F(TurnCycle, OnlyAWinOnTheKongsOwnReplacementScoresItsFan)
{
    CMj &m = Table();
    Hand(0, kWinsOn5p);
    KongAndDiscard(m, clock, "5p");
    ASSERT_TRUE(m.buttons.hu);
    m.AnswerClaim(CLAIM_HU);
    CMjPlayer &me = m.player[0];
    ASSERT_TRUE(me.ishu);
    EXPECT_FALSE(me.fanflag[FAN_OUT_WITH_REPLACEMENT]);
    EXPECT_EQ(me.payseat, 1);
    EXPECT_EQ(me.scorechange, me.totalfan);
    for (int seat = 1; seat < 4; seat++)
        EXPECT_EQ(m.player[seat].scorechange, seat == 1 ? -me.totalfan : 0) << seat;

    // The kong's discard claimed for a pung ends the kong's turn: later the kong's maker wins on an
    // ordinary draw, and nothing of its kong's replacement is left.
    CMj &n = Table();
    Hand(0, "55s13m1234567z12z");
    KongAndDiscard(n, clock, "5s");
    ASSERT_TRUE(n.buttons.peng);
    n.AnswerClaim(CLAIM_PENG);
    n.player[0].hoverindex = 0; // 1m: nobody takes it
    n.PlayHighlighted();
    n.wallmj[62] = 108; // East: seat 1 draws its winning tile
    clock.Advance(n.robotpace + 500 + 50);
    CMjPlayer &robot = n.player[1];
    ASSERT_TRUE(robot.ishu);
    EXPECT_TRUE(robot.fanflag[FAN_SELF_DRAWN]);
    EXPECT_FALSE(robot.fanflag[FAN_OUT_WITH_REPLACEMENT]);

    // A claimed kong is exposed and draws its replacement; a self-drawn win on it names the supplier,
    // and all pay.
    CMj &k = Table();
    CMjPlayer &own = k.player[0];
    Hand(0, "555p123m456m789s1z");
    RobotDiscards(3, "5p");
    ASSERT_TRUE(k.buttons.gang);
    k.wallmj[61] = 108; // the replacement is East, the winning tile
    k.AnswerClaim(CLAIM_GANG);
    ASSERT_EQ(own.getnum, 1);
    EXPECT_EQ(own.getmj[0].count, 4);
    EXPECT_EQ(own.exposed[0], 1);
    EXPECT_EQ(own.gangseat, 3);
    EXPECT_EQ(k.seenmj[2][5], 4);
    EXPECT_EQ(k.mjindex, 61);
    EXPECT_TRUE(own.ganging);
    ASSERT_TRUE(k.buttons.hu);
    k.AnswerClaim(CLAIM_HU);
    ASSERT_TRUE(own.ishu);
    EXPECT_TRUE(own.fanflag[FAN_OUT_WITH_REPLACEMENT]);
    EXPECT_EQ(own.payseat, 3);
    EXPECT_EQ(own.scorechange, 3 * own.totalfan);
    for (int seat = 1; seat < 4; seat++)
        EXPECT_EQ(k.player[seat].scorechange, -own.totalfan) << seat;
}

// Points move only as far as a saved game can hold the scores, and what one seat loses another gains.
TEST_F(TurnCycle, APaymentStopsWhereASavedGameCouldNoLongerHoldTheScores)
{
    CMj &m = Table();
    Hand(0, kWinsOn5p);
    m.player[0].score = SavedGame::kScoreBound - 1;
    m.player[1].score = -SavedGame::kScoreBound + 1;
    m.player[2].score = 5;
    Draws(0, "5p");
    ASSERT_TRUE(m.buttons.hu);
    m.AnswerClaim(CLAIM_HU);
    ASSERT_GT(m.player[0].totalfan, 1);
    EXPECT_EQ(m.player[0].score, SavedGame::kScoreBound);
    EXPECT_EQ(m.player[0].scorechange, 1);
    EXPECT_EQ(m.player[1].score, -SavedGame::kScoreBound);
    EXPECT_EQ(m.player[1].scorechange, -1);
    EXPECT_EQ(m.player[2].score, 5);
    EXPECT_EQ(m.player[2].scorechange, 0);
}

TEST_F(TurnCycle, AFlowerDrawnInPlayComesFromTheBackOfTheWallAndIsReplaced)
{
    CMj &m = Table();
    m.changchengstart = 10;
    m.backdraws = 0;
    m.wallmj[62] = 0; // 1m
    Draws(1, "1f");
    EXPECT_EQ(m.player[1].drawflag, 0) << "a robot's flower is set aside at once";
    EXPECT_EQ(m.backdraws, 1);
    EXPECT_EQ(m.wallstack[9], 1) << "the stack before the front's start";
    EXPECT_EQ(m.player[1].flowernum, 1);
    EXPECT_EQ(m.mjindex, 61);
    clock.Advance(600); // the pause after a flower, then the replacement from the front
    EXPECT_EQ(m.mjindex, 62);
    EXPECT_EQ(m.wallstack[10 + (62 - 1) / 2], 1);
    EXPECT_TRUE(m.player[1].FindMj(Tile("1m")));
}

// The player's own flower, here drawn as a kong's replacement, stays in view through the pause until
// its replacement takes its place; meanwhile no click plays it or any other tile.
TEST_F(TurnCycle, ThePlayersOwnFlowerStaysInViewThroughThePauseAndCannotBePlayed)
{
    CMj &m = Table();
    Hand(0, "1111m2345678p12z");
    Drawn(0, "9p");
    CMjPlayer &me = m.player[0];
    me.Mj[13] = me.drawmj;
    m.wallmj[m.mjindex + 1] = static_cast<uint8_t>(MjToIndex(Tile("2f")));
    m.wallmj[m.mjindex + 2] = static_cast<uint8_t>(MjToIndex(Tile("9s")));
    m.DrawTile(true);
    ASSERT_TRUE(m.buttons.gang);
    m.AnswerClaim(CLAIM_GANG);
    ASSERT_TRUE(clock.IsRunning(TIMER_FLOWERPAUSE));
    EXPECT_EQ(me.flowernum, 1);
    EXPECT_EQ(me.drawflag, 1);
    EXPECT_TRUE(IsSameMj(me.drawmj, Tile("2f")));
    Discard("2f");
    Discard("2p");
    EXPECT_EQ(me.hasplayed, 0);
    EXPECT_EQ(me.cardnum, 10);
    EXPECT_EQ(me.drawflag, 1);
    EXPECT_TRUE(IsSameMj(me.drawmj, Tile("2f")));
    EXPECT_FALSE(m.SaveAllowed());

    clock.Advance(600);
    EXPECT_EQ(me.drawflag, 1);
    EXPECT_TRUE(IsSameMj(me.drawmj, Tile("9s")));
    EXPECT_EQ(me.flowernum, 1);
    EXPECT_TRUE(m.SaveAllowed());
}

TEST_F(TurnCycle, AnEndedHandMovesOnUnlessASeatIsAtZero)
{
    CMj &m = Table();
    Hand(0, kWinsOn5p); // the other seats hold a 5p each too
    m.banker = 3;
    m.roundwind = 1;
    m.curplayer = 3;
    m.mjindex = 143;
    m.DrawTile(false);
    ASSERT_EQ(m.gamestatus, 2);
    // The hands shown at the end count as seen.
    EXPECT_EQ(m.seenmj[SUIT_BING][5], 4);
    int seen = 0;
    for (const auto &row : m.seenmj)
        for (int n : row)
            seen += n;
    EXPECT_EQ(seen, 4 * 13);
    for (const CMjPlayer &p : m.player)
        EXPECT_EQ(p.score, 1000);
    EXPECT_EQ(m.banker, 0);
    EXPECT_EQ(m.roundwind, 2); // seat 0 deals again: the round wind moves on

    // A seat at zero is bankrupt, one at one is not.
    int boxes = 0;
    MessageBox::SetHandler([&](const MessageBox::Box &) { return ++boxes, MessageBox::ResultOk; });
    m.player[2].score = 0;
    m.NextHand();
    // The game screen says so itself: no desktop box.
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(showmsgon, 1);
    EXPECT_EQ(showmessageform->text, "Some people went bankrupt,  Game is over.");
    EXPECT_EQ(m.gamestatus, 2);

    showmsgon = 0;
    m.player[2].score = 1;
    m.NextHand();
    EXPECT_EQ(showmsgon, 0);
    EXPECT_EQ(m.gamestatus, 1);
    MessageBox::SetHandler(nullptr);
}

// The self-play seat sees the table as a player does: it presses only buttons that are shown, and
// of three chows takes the one it chose.
TEST_F(TurnCycle, TheSelfPlaySeatPressesOnlyShownButtonsAndTakesTheChowItChose)
{
    CMj &m = Table();
    Hand(0, kWinsOn5p);
    RobotDiscards(3, "5p");
    ASSERT_TRUE(m.buttons.hu);
    m.buttons.shown = 0; // a prompt the game waits on but never drew
    LocalRobot::Act(m);
    EXPECT_FALSE(m.player[0].ishu);
    m.buttons.shown = 1;
    LocalRobot::Act(m);
    EXPECT_TRUE(m.player[0].ishu);

    // 5m fits 4-6m, 3-4m and 6-7m; only 3-4m leaves the hand waiting (on 5m or 8m after the 1z).
    CMj &n = Table();
    Hand(0, "3467m123s456s99p1z");
    RobotDiscards(3, "5m");
    ASSERT_TRUE(n.buttons.chi);
    CMjPlayer &me = n.player[0];
    LocalRobot::Act(n); // three chows: the seat must point at one
    ASSERT_TRUE(me.chiflag);
    LocalRobot::Act(n);
    ASSERT_EQ(me.getnum, 1);
    EXPECT_TRUE(IsSameMj(me.getmj[0].tiles[0], Tile("3m")));
    EXPECT_TRUE(me.FindMj(Tile("6m")) && me.FindMj(Tile("7m")));
}

// Whole hands with the game's pauses (the default) and without them.
class WholeHands : public TableFixture, public testing::WithParamInterface<bool> {};

TEST_P(WholeHands, FourRobotsKeepTheTableSound)
{
    CMj &m = Make();
    m.SetAnimateOn(GetParam());
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

INSTANTIATE_TEST_SUITE_P(Animation, WholeHands, testing::Bool(),
                         [](const testing::TestParamInfo<bool> &info) { return info.param ? "On" : "Off"; });

} // namespace
