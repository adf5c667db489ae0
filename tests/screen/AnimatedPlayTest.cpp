#include "tests/kit/FrameProbe.h"
#include "windows/CDxChatWnd.h"
#include "tests/kit/HeldRecords.h"
#include "tests/kit/ScriptRecord.h"
#include "tests/kit/SelfPlay.h"
#include "tests/kit/TableAudit.h"
#include "tests/screen/TableScreenFixture.h"


// Local play with its animations shown: the dice, the flights of drawn, discarded, claimed and
// won tiles and of the chips, on the screen frame by frame, without costing the tests any time.
namespace {

TEST_F(TableScreen, ADiscardFliesFromTheHandToItsPlaceInThePyramid)
{
    driver->NewGame();
    ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::LocalTurn));
    CMjPlayer &me = mj->player[0];
    const Point place = mj->draw.DiscardPlace(0, 0);
    const MjTile played = me.Mj[4];
    driver->Click(210 + 36 * 4 + 10, 500);
    ASSERT_EQ(0, me.outnum);
    const int framesBefore = screen.presents;
    ASSERT_TRUE(driver->RunUntil([](const CMj &mj) { return mj.player[0].outnum == 1; }));
    EXPECT_TRUE(IsSameMj(played, me.outmj[0]));
    EXPECT_GT(screen.presents - framesBefore, 5) << "the flight is shown frame by frame";
    mj->Paint();
    const Sprite &small = mj->draw.zmp;
    EXPECT_EQ(0, CellMismatches(Frame(), place.x, place.y, *small.surface, SheetCell(small, FaceCell(played))));
}

TEST_F(TableScreen, ADrawnTileFliesFromTheWallOnTheTimer)
{
    driver->NewGame();
    ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::LocalTurn));
    driver->Click(210 + 10, 500);
    ASSERT_TRUE(driver->RunUntil([](const CMj &mj) { return mj.draw.animkind == CMjDraw::AnimWallTile; }));
    ASSERT_TRUE(mj->Timer(TIMER_FLIGHT)->GetEnabled());
    const CMjDraw &d = mj->draw;
    // It flies to where the seat's drawn tile stands.
    EXPECT_EQ(d.drawtarget[mj->curplayer], d.target);
    const Sprite &back = d.flightvertical ? d.wallpic[1] : d.wallpic[0];
    int steps = 0;
    while (d.animkind == CMjDraw::AnimWallTile) {
        if (d.step > 0) {
            EXPECT_EQ(0, CellMismatches(Frame(), d.pos.x, d.pos.y, *back.surface, back.rect)) << "step " << d.step;
        }
        ASSERT_TRUE(clock.Step());
        ++steps;
    }
    EXPECT_GE(steps, 2);
}

// The server's records of one read are shown together, once they are all in; dice thrown among them
// roll frame by frame on the clock, and the records after them wait until the dice rest, then are
// shown together too.
TEST_F(TableScreen, ARunOfServerRecordsIsShownOnceWhileDiceAmongThemRollFrameByFrame)
{
    mj->NetStart();
    auto feed = [&](std::string_view line) {
        std::string error;
        mj->OnGameMsg(ScriptRecord(line, &error));
        ASSERT_EQ(error, "") << line;
    };
    auto lines = [&] {
        size_t n = 0;
        const CChatPageList &pages = mj->chatwnd[0]->pages;
        for (int i = 0; i < pages.Count(); i++)
            n += pages.GetPage(i)->list.lines.size();
        return n;
    };
    const int before = screen.presents;
    mj->BeginRecords();
    for (int i = 0; i < 20; i++)
        feed("11 1=100 2:\"line\"");
    EXPECT_EQ(screen.presents, before) << "nothing shown inside the run";
    const size_t shown = lines();
    feed("5 2=1 3=0 4=1 5=2 6=3 7=4");
    for (int i = 0; i < 3; i++)
        feed("11 1=100 2:\"after\"");
    mj->EndRecords();
    EXPECT_EQ(lines(), shown) << "the lines after the dice wait for them";
    const int thrown = screen.presents;
    ASSERT_TRUE(PlayHeldRecords(*mj, clock));
    EXPECT_GT(screen.presents - thrown, 5) << "the throws, frame by frame";
    EXPECT_EQ(lines(), shown + 3);
    EXPECT_EQ(mj->gamestatus, 1);
    const int rested = screen.presents;
    feed("11 1=100 2:\"next\"");
    EXPECT_EQ(screen.presents, rested + 1) << "a record after them is handled at once";
}

// Two hundred hands in four runs of fifty, each from its own seed, so that they run side by side.
class AnimatedHands : public TableScreen, public testing::WithParamInterface<unsigned> {};

TEST_P(AnimatedHands, FiftyHandsOnTheScreenKeepTheTableSound)
{
    constexpr int kHands = 50;
    Random::Pin(GetParam());
    mj->SetAnimateOn(true);
    screen.keepFrames = false;
    SelfPlaySummary summary;
    SelfPlay play(*mj, clock);
    play.OnBroken([](const std::string &rule) { ADD_FAILURE() << rule; });
    play.Run(kHands, summary);
    EXPECT_EQ(kHands, summary.hands);
    EXPECT_EQ(0, summary.broken);
    EXPECT_EQ(0, screen.lost);
    // Every hand is seen: dice, deal, flights and turns, hundreds of frames each.
    EXPECT_GT(screen.presents, kHands * 300);
}

INSTANTIATE_TEST_SUITE_P(FourSeeds, AnimatedHands, testing::Values(11u, 22u, 33u, 44u));

} // namespace
