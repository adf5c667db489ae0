#include "screen/CDxSound.h"
#include "tests/table/TableFixture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <numeric>
#include <vector>

namespace {

using Deal = TableFixture;

// The tile kinds a seat ended up with plus the flowers it set aside must be exactly the tiles taken.
void ExpectHandsAreTheTilesTaken(const CMj &m)
{
    std::vector<int> held;
    int flowers = 0;
    for (const CMjPlayer &p : m.player) {
        for (int i = 0; i < p.cardnum; i++) {
            EXPECT_NE(p.Mj[i].suit, SUIT_HUA);
            held.push_back(MjToIndex(p.Mj[i]));
        }
        if (p.drawflag && p.cardnum % 3 == 1) { // a robot's drawn tile has joined its hand
            EXPECT_NE(p.drawmj.suit, SUIT_HUA);
            held.push_back(MjToIndex(p.drawmj));
        }
        flowers += p.flowernum;
    }
    std::vector<int> taken;
    for (int k = 0; k <= m.mjindex; k++) {
        MjTile t = MjFromIndex(m.wallmj[k]);
        if (t.suit != SUIT_HUA)
            taken.push_back(MjToIndex(t));
    }
    std::sort(held.begin(), held.end());
    std::sort(taken.begin(), taken.end());
    EXPECT_EQ(held, taken);
    EXPECT_EQ(m.mjindex, 52 + flowers);
    EXPECT_EQ(m.backdraws, flowers);
}

TEST_F(Deal, ALocalGameReachesTheDealersFirstTurnOnTimerTicksAloneWhoeverDeals)
{
    CMj &m = Make();
    m.NewLocalGame();
    EXPECT_EQ(m.curplayer, -1);
    EXPECT_EQ(m.gamestatus, 1);
    int firstSide = (m.banker + m.dice1 + m.dice2 - 1) % 4;

    // The first throw rests and the second one is thrown by the side seat.
    while (m.dicepass == 0)
        ASSERT_TRUE(clock.Step());
    EXPECT_EQ(m.sideseat, firstSide);
    const int secondSum = m.dice1 + m.dice2;

    RunToFirstTurn();
    const int sideStart[4] = {0, 54, 36, 18};
    EXPECT_EQ(m.changchengstart, sideStart[firstSide] + secondSum - 1);
    EXPECT_EQ(m.curplayer, 0);
    for (int seat = 0; seat < 4; seat++) {
        EXPECT_EQ(m.player[seat].cardnum, 13) << seat;
        EXPECT_EQ(m.player[seat].drawflag, seat == 0 ? 1 : 0) << seat;
        EXPECT_EQ(m.player[seat].seatwind, seat + 1);
        EXPECT_EQ(m.player[seat].score, 1000);
    }
    EXPECT_TRUE(IsSameMj(m.player[0].winmj, m.player[0].drawmj));
    ExpectHandsAreTheTilesTaken(m);
    EXPECT_GT(m.backdraws, 0) << "the fixed seed deals flowers, so their replacement is part of the run";
    EXPECT_FALSE(clock.IsRunning(TIMER_STATE));
    EXPECT_FALSE(clock.IsRunning(TIMER_DICE));

    // A later dealer is dealt first and gets the East wind.
    m.banker = 2;
    m.curplayer = -1;
    m.StartHand();
    EXPECT_EQ(m.showbanker, 2);
    RunToFirstTurn();
    EXPECT_EQ(m.curplayer, 2);
    EXPECT_EQ(m.player[2].drawflag, 1);
    EXPECT_EQ(m.player[0].drawflag, 0);
    const int winds[4] = {3, 4, 1, 2};
    for (int seat = 0; seat < 4; seat++) {
        EXPECT_EQ(m.player[seat].seatwind, winds[seat]);
        EXPECT_EQ(m.player[seat].cardnum, seat == 2 ? 14 : 13); // the robot dealer took its tile into the hand
    }
    ExpectHandsAreTheTilesTaken(m);
}

TEST_F(Deal, TheFirstThrowChoosesTheSideOfTheWallAndTheSecondOpensIt)
{
    CMj &m = Make();
    struct Case {
        int banker, d1, d2, side;
    } cases[] = {{0, 1, 1, 1}, {0, 2, 3, 0}, {0, 6, 6, 3}, {2, 6, 6, 1}, {3, 1, 1, 0}};
    for (const Case &c : cases) {
        m.banker = c.banker;
        m.dice1 = c.d1;
        m.dice2 = c.d2;
        m.dicepass = 0;
        m.DiceTimer();
        EXPECT_EQ(m.sideseat, c.side) << c.banker << ": " << c.d1 << "+" << c.d2;
        EXPECT_EQ(m.dicepass, 1);
        EXPECT_EQ(m.gamestate, STATE_DICE);
    }
    // The second throw opens the wall and deals the dealer four.
    m.banker = 1;
    m.sideseat = 1;
    m.dice1 = 6;
    m.dice2 = 6;
    m.dicepass = 1;
    m.Shuffle();
    m.DiceTimer();
    EXPECT_EQ(m.changchengstart, 65);
    EXPECT_EQ(m.mjindex, 3);
    EXPECT_EQ(m.player[1].cardnum, 4);
    EXPECT_EQ(std::vector<int>(m.wallstack + 65, m.wallstack + 68), (std::vector<int>{0, 0, 2}));
    EXPECT_EQ(m.gamestate, STATE_DEAL);
    EXPECT_TRUE(clock.IsRunning(TIMER_STATE));
}

// The wall is a ring of 72 stacks: the front runs from the last stack to the first, the back from
// the first to the last, and neither strays off the ring.
TEST_F(Deal, BothEndsOfTheWallWrapRoundTheRing)
{
    CMj &m = Make();
    m.changchengstart = 65;
    m.backdraws = 0;
    for (m.mjindex = 0; m.mjindex <= 15; m.mjindex++) {
        m.DrawFromWall();
        if (m.mjindex == 13) {
            EXPECT_EQ(m.laststack, 71);
        }
    }
    EXPECT_EQ(m.laststack, 0);
    EXPECT_EQ(m.wallstack[71] + m.wallstack[0], 0);
    EXPECT_EQ(m.wallstack[1], 2);

    std::memset(m.wallstack, 2, sizeof m.wallstack);
    m.changchengstart = 1;
    m.backdraws = 0;
    for (int k = 0; k < 3; k++)
        m.DrawFromWallEnd();
    EXPECT_EQ(m.wallstack[0], 0);
    EXPECT_EQ(m.wallstack[71], 1);
    EXPECT_EQ(m.backdraws, 3);
    EXPECT_EQ(m.wallstack[1], 2) << "the front's first stack is not touched";
    // However many tiles a table says were drawn from the back, the draw stays on the ring.
    m.backdraws = 200;
    m.DrawFromWallEnd();
    EXPECT_EQ(m.wallstack[44], 1);
}

TEST_F(Deal, ShuffleIsAPermutationThatTheNextShuffleStartsFrom)
{
    CMj &m = Make();
    m.banker = 3;
    Random::Pin(77);
    m.Shuffle();
    std::vector<int> all(MJ_TOTAL), sorted(m.wallmj, m.wallmj + MJ_TOTAL);
    std::iota(all.begin(), all.end(), 0);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, all);
    EXPECT_FALSE(std::equal(m.wallmj, m.wallmj + MJ_TOTAL, all.begin()));
    EXPECT_TRUE(std::equal(m.wallmj, m.wallmj + MJ_TOTAL, m.wallsrc));
    EXPECT_EQ(m.mjindex, -1);
    for (int p = 0; p < 13; p++)
        for (int seat = 0; seat < 4; seat++)
            EXPECT_TRUE(IsSameMj(m.player[seat].Mj[p], MjFromIndex(m.wallmj[p * 4 + seat])));
    EXPECT_TRUE(IsSameMj(m.player[3].Mj[13], MjFromIndex(m.wallmj[52])));
    EXPECT_EQ(m.player[3].cardnum, 0) << "the deal counts the tiles in";

    // The same swaps applied again move the previous order, not the fresh one.
    std::vector<int> first(m.wallmj, m.wallmj + MJ_TOTAL);
    Random::Pin(77);
    m.Shuffle();
    for (int k = 0; k < MJ_TOTAL; k++)
        ASSERT_EQ(m.wallmj[k], first[first[k]]) << k;
}

// Seat 0 deals last: the step that gives it its thirteenth and fourteenth tiles ends the deal. Each
// pass of replacements says the flower voice once for every seat that replaced in it.
TEST_F(Deal, AFlowerDrawnAsAReplacementIsReplacedAgainAndEachReplacingSeatSaysSo)
{
    if (const char *data = std::getenv("LANTILE_DATA"))
        std::filesystem::create_directory_symlink(std::filesystem::path(data) / "Wave", folder.Path() / "Wave");
    std::vector<std::string> heard;
    CDxSound::SetPlayHook([&heard](std::string_view file) { heard.emplace_back(file); });
    CMj &m = Make();
    dxsound->voiceon = 1;
    m.banker = 0;
    m.changchengstart = 10;
    std::memset(m.wallstack, 2, sizeof m.wallstack);
    for (int seat = 0; seat < 4; seat++) {
        CMjPlayer &p = m.player[seat];
        p.Reset();
        p.cardnum = seat == 0 ? 12 : 13;
        for (int i = 0; i < 14; i++)
            p.Mj[i] = MjFromIndex(static_cast<uint8_t>(seat * 14 + i));
        p.sex = seat == 0 ? 1 : 0; // the dealer speaks in the male voice, the others in the female one
    }
    for (m.mjindex = 0; m.mjindex <= 50; m.mjindex++)
        m.DrawFromWall();
    m.mjindex = 50;
    m.dealseat = 3;
    m.player[0].Mj[13] = MakeMj(1, SUIT_HUA); // the dealer's fourteenth tile
    m.player[2].Mj[5] = MakeMj(3, SUIT_HUA);
    m.player[2].Mj[6] = MakeMj(4, SUIT_HUA);
    m.wallmj[53] = 137; // the dealer's replacement is a flower too
    m.wallmj[54] = 20;
    m.wallmj[55] = 21;
    m.wallmj[56] = 9;
    m.DealStep();
    CDxSound::SetPlayHook(nullptr);

    EXPECT_EQ(m.curplayer, 0);
    EXPECT_EQ(m.mjindex, 56);
    EXPECT_EQ(m.backdraws, 4);
    EXPECT_EQ(m.player[0].flowernum, 2);
    EXPECT_EQ(m.player[2].flowernum, 2);
    EXPECT_EQ(m.player[0].cardnum, 13);
    EXPECT_TRUE(IsSameMj(m.player[0].drawmj, MjFromIndex(9)));
    EXPECT_TRUE(IsSameMj(m.player[0].winmj, MjFromIndex(9))) << "the first turn must not see the flower";
    EXPECT_FALSE(std::any_of(m.player[2].Mj, m.player[2].Mj + 13, [](MjTile t) { return t.suit == SUIT_HUA; }));
    EXPECT_EQ(TilesTaken(m), m.mjindex + 1);
    EXPECT_EQ(m.wallstack[9], 0);
    EXPECT_EQ(m.wallstack[8], 0);
    EXPECT_EQ(m.wallstack[7], 2);
    EXPECT_FALSE(clock.IsRunning(TIMER_STATE));
    // The dealer replaced in two passes; seat 2 twice in one.
    EXPECT_EQ(2, std::count(heard.begin(), heard.end(), "Wave\\Male\\buhua.wav"));
    EXPECT_EQ(1, std::count(heard.begin(), heard.end(), "Wave\\FeMale\\buhua.wav"));
}

TEST_F(Deal, ALocalGameAfterAnOnlineOnePlaysWithoutMinimumOrWildTileAndANameFitsItsField)
{
    CMj &m = Make();
    minfan = 8;
    wildmode = 1;
    wildmj = MakeMj(5, SUIT_BING);
    for (CMjPlayer &p : m.player) {
        p.wildmode = 1;
        p.wildmj = wildmj;
        p.score = 77;
    }
    m.banker = 2;
    m.NewLocalGame();
    RunToFirstTurn();
    EXPECT_EQ(minfan, 0);
    EXPECT_EQ(wildmode, 0);
    EXPECT_EQ(m.banker, 0);
    for (const CMjPlayer &p : m.player) {
        EXPECT_EQ(p.wildmode, 0);
        EXPECT_EQ(p.score, 1000);
        EXPECT_FALSE(p.IsWildMj(MakeMj(5, SUIT_BING), p.wildmj));
    }

    // A local name must fit the twenty-byte field.
    m.SetPlayerName("");
    const std::string fallback = m.player[0].GetName();
    EXPECT_FALSE(fallback.empty());

    m.SetPlayerName("twenty-byte-name-xyz");
    EXPECT_EQ(m.player[0].GetName(), "twenty-byte-name-xyz");
    m.SetPlayerName("twenty-one-byte-name!");
    EXPECT_EQ(m.player[0].GetName(), fallback);
    m.SetPlayerName("十个汉字的名字正好满");
    EXPECT_EQ(m.player[0].GetName().size(), 20u);
    m.SetPlayerName(nullptr);
    EXPECT_EQ(m.player[0].GetName(), fallback);
}

} // namespace
