#include "tests/support/FrameContrast.h"
#include "tests/windows/GameScreenFixture.h"
#include "windows/CScoreForm.h"

#include <climits>

// The score screen: the fan list, the score changes in digits, the drawn hand, the space bar.
namespace {

class ScoreScreen : public GameScreenTest {
protected:
    void SetUp() override
    {
        GameScreenTest::SetUp();
        Game();
        score = scoreform;
    }

    // Seat 1 won with the fans given.
    void Won(std::initializer_list<int> fans, std::initializer_list<int> extras = {})
    {
        CMjPlayer &w = game->player[1];
        w.ishu = 1;
        for (int fan : fans)
            w.fanflag[fan] = 1;
        for (int extra : extras)
            w.extrafanflag[extra] = 1;
        score->Show();
    }
    // The frame with the panel drawn over the plain frame.
    std::unique_ptr<Surface> Drawn()
    {
        lpDDSBack->Fill(lpDDSBack->Bounds(), kBackground);
        score->Draw();
        return Snapshot();
    }

    CScoreForm *score = nullptr;
};

TEST_F(ScoreScreen, ScoreChangesShowFourDigitsOnlyWhileTheyFit)
{
    Won({FAN_SELF_DRAWN});
    const int x = score->x, y = score->y;
    const Rect seat0{x + 348, y + 249, x + 363 + 4 * 19, y + 267};
    game->player[0].scorechange = 10000;
    std::unique_ptr<Surface> none = Drawn();
    game->player[0].scorechange = -35;
    Drawn();
    std::unique_ptr<Surface> digits = Load("Graphic\\ScoreForm\\lresultnumber2.bmp");
    EXPECT_EQ(CellMismatches(*Load("Graphic\\ScoreForm\\lresultSign2.bmp"), {14, 0, 28, 12}, x + 348, y + 251, *none), 0);
    const int shown[4] = {0, 0, 3, 5};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(CellMismatches(*digits, {shown[i] * 19, 0, shown[i] * 19 + 19, 18}, x + 363 + 19 * i, y + 249, *none), 0)
            << i;
    for (int32_t change : {-12345, INT_MIN, 9999, -9999}) {
        game->player[0].scorechange = change;
        Drawn();
        EXPECT_EQ(Changed(*none, seat0), 0) << change;
    }
    game->player[0].scorechange = 9998;
    Drawn();
    EXPECT_GT(Changed(*none, seat0), 0);
}

TEST_F(ScoreScreen, TheWinnersHandLiesInOneRowWithAKongsFourthTileOverItsSecond)
{
    CMjPlayer &w = game->player[1];
    GetMj &kong = w.getmj[0];
    kong.count = 4;
    for (MjTile &t : kong.tiles)
        t = MakeMj(5, SUIT_TIAO);
    w.getnum = 1;
    w.cardnum = 2;
    w.Mj[0] = MakeMj(1, 5); // a suit the strip has no cells for
    w.Mj[1] = MakeMj(7, SUIT_ZI);
    Won({FAN_MELDED_KONG});
    const std::unique_ptr<Surface> tiles = Load("Graphic\\ScoreForm\\mj.bmp");
    auto cell = [](int c) { return Rect{c * 28, 0, (c + 1) * 28, 38}; };
    const int x = score->x + 15, y = score->y + 86, hand = x + 3 * 28 + 3;
    w.cardnum = 0;
    std::unique_ptr<Surface> bare = Drawn();
    w.cardnum = 2;
    std::unique_ptr<Surface> frame = Drawn();
    // Three tiles of the kong, the fourth 12 pixels up over the second, a gap, then the hand.
    for (int i : {0, 2})
        EXPECT_EQ(CellMismatches(*tiles, cell(9 + 4), x + i * 28, y, *frame), 0) << i;
    EXPECT_EQ(CellMismatches(*tiles, cell(9 + 4), x + 28, y - 12, *frame), 0);
    EXPECT_EQ(Changed(*bare, {hand, y, hand + 28, y + 38}), 0);
    EXPECT_EQ(CellMismatches(*tiles, cell(27 + 6), hand + 28, y, *frame), 0);
}

TEST_F(ScoreScreen, TheListScrollsOverEveryFanAndFlowersCountTheirOwn)
{
    CMjPlayer &w = game->player[1];
    w.flowernum = 3;
    // Seven fans and the flowers, which the hand's result did not flag; two extra fans no row shows.
    Won({FAN_PURE_SHIFTED_CHOWS, FAN_HALF_FLUSH, FAN_ALL_TYPES, FAN_DRAGON_PUNG, FAN_TILE_HOG, FAN_NO_HONOURS,
         FAN_SELF_DRAWN},
        {7, 8});
    ASSERT_EQ(score->Rows().size(), 8u);
    EXPECT_EQ(score->Rows()[7], (CScoreForm::FanRow{false, FAN_FLOWERS}));
    EXPECT_EQ(score->Points(score->Rows()[7]), 3);
    EXPECT_EQ(score->Points({false, FAN_HALF_FLUSH}), 6);
    EXPECT_EQ(score->Points({true, 0}), 6);
    Click(*score, CScoreForm::DOWN);
    EXPECT_EQ(score->firstrow, 1);
    for (int i = 0; i < 2; ++i)
        Click(*score, CScoreForm::DOWN);
    EXPECT_EQ(score->firstrow, 2);
    for (int i = 0; i < 3; ++i)
        Click(*score, CScoreForm::UP);
    EXPECT_EQ(score->firstrow, 0);

    // Rows take the hover from their left edge to the column, and a press away from the buttons
    // holds it until the release.
    const int x = score->x, y = score->y;
    score->MouseMove(x + 19, y + 321);
    EXPECT_EQ(score->hoverrow, 5);
    score->MouseMove(x + 280, y + 200);
    EXPECT_EQ(score->hoverrow, -1);
    score->MouseDown(x + 100, y + 20);
    score->MouseMove(x + 100, y + 180);
    EXPECT_EQ(score->hoverrow, -1);
    score->MouseUp(x + 100, y + 180);
    score->MouseMove(x + 100, y + 180);
    EXPECT_EQ(score->hoverrow, 0);
}

// The pointed row's letters (blue for a fan, black for an extra fan) are read against their ground.
TEST_F(ScoreScreen, ThePointedRowsLettersStandOutFromTheirGround)
{
    Won({FAN_HALF_FLUSH, FAN_SELF_DRAWN}, {1});
    const int x = score->x, y = score->y;
    const struct {
        int row;
        uint32_t ink;
    } rows[] = {{0, 0x001F}, {2, 0x0000}};
    for (const auto &r : rows) {
        const int top = y + 171 + r.row * 25;
        score->MouseMove(x + 100, top + 5);
        ASSERT_EQ(score->hoverrow, r.row);
        Drawn();
        EXPECT_GE(LettersContrast(*lpDDSBack, {x + 19, top, x + 200, top + 16}, r.ink), 3.0) << "row " << r.row;
    }
}

// Nothing of the panel's picture lies where the four score changes and names are written.
TEST_F(ScoreScreen, TheScoreChangesStandOnPlainGround)
{
    const Surface &panel = *score->background.Get();
    for (int y = 156; y < 300; ++y)
        for (int x = 300; x < 492; ++x)
            ASSERT_EQ(panel.Pixel(x, y), panel.Pixel(300, y)) << x << "," << y;
}

TEST_F(ScoreScreen, ADrawnHandShowsOnlyItsPictureAndSpaceHidesThePanel)
{
    score->Show();
    EXPECT_FALSE(score->buttons.Get(CScoreForm::UP)->visible);
    EXPECT_FALSE(score->buttons.Get(CScoreForm::DOWN)->visible);
    lpDDSBack->Fill(lpDDSBack->Bounds(), kBackground);
    std::unique_ptr<Surface> plain = Snapshot();
    std::unique_ptr<Surface> shown = Drawn();
    // The picture, keyed over the blended panel.
    EXPECT_EQ(shown->Pixel(score->x + 280, score->y + 110), Load("Graphic\\ScoreForm\\huangpai.bmp")->Pixel(139, 16));

    EXPECT_EQ(score->OnSpaceDown(' '), 0);
    Drawn();
    EXPECT_EQ(Changed(*plain, plain->Bounds()), 0);
    score->OnSpaceUp(' ');
    Drawn();
    EXPECT_EQ(Changed(*shown, shown->Bounds()), 0);
}

} // namespace
