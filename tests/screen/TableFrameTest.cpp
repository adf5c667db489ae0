#include "platform/Profile.h"
#include "screen/SharedSprites.h"
#include "tests/kit/FrameProbe.h"
#include "tests/kit/HeldRecords.h"
#include "tests/kit/LocalRobot.h"
#include "tests/kit/ScriptRecord.h"
#include "tests/screen/TableScreenFixture.h"
#include "windows/CDxChatWnd.h"

#include <cstring>
#include <filesystem>
#include <functional>

// Frames of a game composed from the generated pictures, checked pixel by pixel where each piece
// must stand.
namespace {

int SpriteMismatches(const Surface &frame, Point at, const Sprite &sprite)
{
    return CellMismatches(frame, at.x, at.y, *sprite.surface, sprite.rect);
}

// The local hand's tiles, each checked at its place on the row.
void ExpectHandShown(const Surface &frame, const CMjDraw &d, const CMjPlayer &me)
{
    for (int i = 0; i < me.cardnum; ++i)
        EXPECT_EQ(0, CellMismatches(frame, 210 + 36 * i, 493, *d.zjzl.surface, SheetCell(d.zjzl, FaceCell(me.Mj[i]))))
            << "tile " << i;
}

TEST_F(TableScreen, TheLayoutFollowsThePictureSizes)
{
    const CMjDraw &d = mj->draw;
    const Point seat[4] = {{382, 421}, {626, 274}, {382, 102}, {138, 274}};
    const Point action[4] = {{340, 363}, {604, 270}, {340, 60}, {63, 270}};
    const Point dice[4] = {{363, 428}, {560, 263}, {363, 145}, {220, 263}};
    const Point wall[4] = {{184, 438}, {600, 140}, {184, 105}, {180, 140}};
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(seat[s], d.seatpoint[s]) << s;
        EXPECT_EQ(action[s], d.actionpoint[s]) << s;
        EXPECT_EQ(dice[s], d.dicestart[s]) << s;
        EXPECT_EQ(wall[s], d.wallorigin[s]) << s;
    }
    EXPECT_EQ(14, d.gridrows);
    EXPECT_EQ(6, d.gridcols);
}

TEST_F(TableScreen, TheLocalHandStandsOnItsRowWithTheDrawnTileApartAndAHoveredTileIsRaisedAndNamed)
{
    driver->NewGame();
    ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::LocalTurn));
    CMjPlayer &me = mj->player[0];
    ASSERT_EQ(13, me.cardnum);
    ASSERT_TRUE(me.drawflag);
    mj->Paint();
    ExpectHandShown(Frame(), mj->draw, me);
    EXPECT_EQ(0, CellMismatches(Frame(), 698, 493, *mj->draw.zjzl.surface, SheetCell(mj->draw.zjzl, FaceCell(me.drawmj))));
    EXPECT_EQ((Point{714, 493}), mj->draw.drawtarget[0]);

    // Hovering raises only that tile and names it.
    Surface before = Frame();
    driver->Move(210 + 36 * 3 + 5, 500);
    ASSERT_EQ(3, me.hoverindex);
    // Raised to 478; its top row lies under the balloon.
    Rect raised = SheetCell(mj->draw.zjzl, FaceCell(me.Mj[3]));
    raised.top = 1;
    EXPECT_EQ(0, CellMismatches(Frame(), 318, 479, *mj->draw.zjzl.surface, raised));
    // The tile's column and the balloon 40 to its left and 50 above the row, nothing else.
    Rect changed = ChangedRect(before, Frame());
    EXPECT_FALSE(changed.Empty());
    EXPECT_EQ(changed, Intersect(changed, {278, 443, 411, 545})) << changed.left << "," << changed.top << " "
                                                                  << changed.right << "," << changed.bottom;
    // The drawn tile's tool-tip stands 40 to its left too.
    driver->Move(700, 500);
    ASSERT_EQ(13, me.hoverindex);
    EXPECT_EQ((Point{658, 443}), mj->draw.tooltippoint);

    const struct {
        MjTile tile;
        const char *name;
    } names[] = {{MakeMj(5, 0), "Character 5"}, {MakeMj(2, 1), "Bamboo 2"},  {MakeMj(9, 2), "Circle 9"},
                 {MakeMj(1, 3), "East Wind"},   {MakeMj(7, 3), "White Dragon"}, {MakeMj(8, 3), "Wind "},
                 {MakeMj(3, 4), "Flower "}};
    for (const auto &n : names) {
        me.Mj[0] = n.tile;
        me.hoverindex = 0;
        mj->Paint();
        EXPECT_EQ(n.name, tooltiptext);
    }
}

TEST_F(TableScreen, ThirtySixDiscardsMakePyramidsOfShrinkingRows)
{
    const CMjDraw &d = mj->draw;
    // First tiles of the rows of 11, 9, 7, 5, 3 and 1 below (9, 7, 5, 3, 1 and single tiles beside).
    EXPECT_EQ((Point{229, 397}), d.DiscardPlace(0, 0));
    EXPECT_EQ((Point{255, 369}), d.DiscardPlace(0, 11));
    EXPECT_EQ((Point{333, 285}), d.DiscardPlace(0, 32));
    EXPECT_EQ((Point{333, 257}), d.DiscardPlace(0, 35)); // a row of one stays where the row below began
    EXPECT_EQ((Point{540, 140}), d.DiscardPlace(2, 0));
    EXPECT_EQ((Point{514, 168}), d.DiscardPlace(2, 11));
    EXPECT_EQ((Point{210, 162}), d.DiscardPlace(3, 0));
    EXPECT_EQ((Point{246, 182}), d.DiscardPlace(3, 9));
    EXPECT_EQ((Point{390, 262}), d.DiscardPlace(3, 25)); // the single tiles go on along the diagonal
    EXPECT_EQ((Point{426, 282}), d.DiscardPlace(3, 26));
    EXPECT_EQ((Point{558, 373}), d.DiscardPlace(1, 0));
    EXPECT_EQ((Point{522, 353}), d.DiscardPlace(1, 9));
    // The local player's tiles from the twelfth on are cut short; on the right all but a row's first.
    EXPECT_FALSE(d.DiscardIsShort(0, 10));
    EXPECT_TRUE(d.DiscardIsShort(0, 11));
    EXPECT_FALSE(d.DiscardIsShort(1, 9));
    EXPECT_TRUE(d.DiscardIsShort(1, 10));

    std::memset(mj->wallstack, 0, 72);
    for (int seat = 0; seat < 4; ++seat) {
        for (CMjPlayer &p : mj->player)
            p.outnum = 0;
        CMjPlayer &p = mj->player[seat];
        p.outnum = 36;
        for (int n = 0; n < 36; ++n)
            p.outmj[n] = MakeMj(n % 9 + 1, (n / 9) % 4);
        mj->Paint();
        const Sprite &sheet = seat == 0 ? d.zmp : d.wallsheet[seat];
        for (int n = 0; n < 36; ++n) {
            // Rows in front of the top and left seats cover the bottom 8 rows of the tile before.
            const int cut = d.DiscardIsShort(seat, n) || seat == 2 || seat == 3 ? 8 : 0;
            const Point at = d.DiscardPlace(seat, n);
            EXPECT_EQ(0, CellMismatches(Frame(), at.x, at.y, *sheet.surface, SheetCell(sheet, FaceCell(p.outmj[n]), cut)))
                << "seat " << seat << " discard " << n;
        }
    }
    // As many as a seat can hold are drawn, clipped where they leave the screen.
    for (CMjPlayer &p : mj->player)
        p.outnum = CMjPlayer::kMaxOut;
    mj->Paint();
}

// Two-high stacks are checked at every place by the online deal below.
TEST_F(TableScreen, AOneHighWallStackLiesFlatAndAnEmptyOneShowsNothing)
{
    uint8_t *stacks = mj->wallstack;
    std::memset(stacks, 0, 72);
    mj->player[2].playername[0] = 0; // the top seat's name is written over the top wall's left end
    mj->Paint();
    Surface empty = Frame();
    stacks[0] = 1;
    stacks[36] = 1;
    mj->Paint();
    const CMjDraw &d = mj->draw;
    EXPECT_EQ((Point{592, 438}), d.WallStackPlace(0));
    for (int stack : {0, 36})
        EXPECT_EQ(0, SpriteMismatches(Frame(), d.WallStackPlace(stack), d.wallpic[0])) << stack;
    Point p1 = d.WallStackPlace(1);
    for (int y = p1.y; y < p1.y + 30; ++y)
        for (int x = p1.x + 1; x < p1.x + 23; ++x)
            ASSERT_EQ(empty.Pixel(x, y), Frame().Pixel(x, y)) << x << "," << y;
}

TEST_F(TableScreen, DiceRollTwelvePixelsAFrameAndRestOnTheirFaces)
{
    driver->NewGame();
    const CMjDraw &d = mj->draw;
    ASSERT_EQ(CMjDraw::AnimDice, d.animkind);
    // Where the dice stand at each step is pinned by the renderer's own dice test.
    int frames = 0;
    while (d.animkind == CMjDraw::AnimDice) {
        Rect rolling{33 * (6 + d.step), 0, 33 * (7 + d.step), 33};
        ASSERT_EQ(0, CellMismatches(Frame(), d.pos.x, d.pos.y, *d.dice.surface, rolling)) << "step " << d.step;
        ASSERT_EQ(0, CellMismatches(Frame(), d.pos.x + 40, d.pos.y, *d.dice.surface, rolling));
        // No turn pointer while the dice are out.
        ASSERT_NE(0, CellMismatches(Frame(), 347, 241, *d.turnpointer[0].surface, d.turnpointer[0].rect));
        ++frames;
        ASSERT_TRUE(clock.Step());
    }
    EXPECT_GE(frames, 15);
    ASSERT_TRUE(d.diceshown);
    EXPECT_EQ(0, CellMismatches(Frame(), d.pos.x, d.pos.y, *d.dice.surface, {33 * (mj->dice1 - 1), 0, 33 * mj->dice1, 33}));
    EXPECT_EQ(0, CellMismatches(Frame(), d.pos.x + 40, d.pos.y, *d.dice.surface, {33 * (mj->dice2 - 1), 0, 33 * mj->dice2, 33}));
}

TEST_F(TableScreen, TheTurnPointerShowsOnlyWhileAHandIsPlayed)
{
    const CMjDraw &d = mj->draw;
    auto pointerShown = [&](int seat) {
        mj->Paint();
        return CellMismatches(Frame(), 347, 241, *d.turnpointer[seat].surface, d.turnpointer[seat].rect) == 0;
    };
    mj->gamestatus = 1;
    for (int seat = 0; seat < 4; ++seat) {
        mj->curplayer = seat;
        EXPECT_TRUE(pointerShown(seat)) << seat;
    }
    mj->draw.ShowDice(1);
    EXPECT_FALSE(pointerShown(3));
    mj->draw.ShowDice(0);
    mj->gamestatus = 2;
    EXPECT_FALSE(pointerShown(3));
}

TEST_F(TableScreen, AllEightFlowersShowTheirCount)
{
    const CMjDraw &d = mj->draw;
    // A count that cannot be shows the highest there is, and reads nothing past the pictures.
    for (int count : {0, 7, 8, 200}) {
        mj->player[0].flowernum = count;
        mj->Paint();
        EXPECT_EQ(0, SpriteMismatches(Frame(), {136, 572}, d.flower[2 + std::min(count, 8)])) << count;
    }
}

TEST_F(TableScreen, TheBannerFadesTheLogoInOnWhiteWithoutTakingTime)
{
    const int shownBefore = static_cast<int>(screen.shown.size());
    const uint64_t slept = clock.Slept();
    mj->OnShow();
    ASSERT_EQ(shownBefore + 40, static_cast<int>(screen.shown.size()));
    // The fade's two seconds pass on the game's clock alone.
    EXPECT_EQ(2000u, clock.Slept() - slept);
    const Surface &first = *screen.shown[shownBefore];
    for (int y = 0; y < 600; y += 7)
        for (int x = 0; x < 800; x += 7)
            ASSERT_EQ(0xFFFFu, first.Pixel(x, y)) << x << "," << y;
    // The logo's centre at the last step: alpha 234 of the logo over white.
    Sprite logo;
    GLoadSurface("Graphic\\Logo.bmp", logo.surface, logo.rect, false);
    ASSERT_TRUE(logo.surface);
    const int x = (800 - logo.rect.Width()) / 2 + logo.rect.Width() / 2;
    const int y = (600 - logo.rect.Height()) / 2 + logo.rect.Height() / 2;
    const uint32_t s = logo.surface->Pixel(logo.rect.Width() / 2, logo.rect.Height() / 2);
    auto mix = [](int src, int dst) { return dst + (((src - dst) * 234) >> 8); };
    const uint32_t expected = mix(s >> 11, 31) << 11 | mix(s >> 5 & 63, 63) << 5 | mix(s & 31, 31);
    EXPECT_EQ(expected, screen.shown.back()->Pixel(x, y));
}

// Links to each file under from, in real folders under to, so that a picture can go without touching
// the build's data folder.
void LinkEachFile(const std::filesystem::path &from, const std::filesystem::path &to)
{
    std::filesystem::create_directories(to);
    for (const auto &entry : std::filesystem::recursive_directory_iterator(from)) {
        const std::filesystem::path target = to / std::filesystem::relative(entry.path(), from);
        if (entry.is_directory())
            std::filesystem::create_directories(target);
        else
            std::filesystem::create_symlink(entry.path(), target);
    }
}

// The table's background, the local hand's tiles and the table's buttons lost from disk after the
// start: a switch of the display mode rebuilds them from the bundle beside the program.
TEST_F(TableScreen, AfterASwitchOfTheDisplayModeTheTableLooksTheSameWithItsPicturesGoneFromDisk)
{
    namespace fs = std::filesystem;
    const fs::path data(std::getenv("LANTILE_DATA"));
    fs::remove(folder.Path() / "Graphic"); // the link to the build's pictures
    LinkEachFile(data / "Graphic", folder.Path() / "Graphic");
    fs::create_symlink(data / "MjRes.rcc", folder.Path() / "MjRes.rcc");
    driver->NewGame();
    ASSERT_TRUE(driver->RunUntil(TableDriver::Moment::LocalTurn));
    mj->Paint();
    const Surface before = *screen.shown.back();
    for (const char *picture : {"Room.bmp", "zjzl.bmp", "peng.bmp", "guo.bmp", "DeskMj.bmp"})
        fs::remove(folder.Path() / "Graphic" / picture);

    mj->draw.ToggleFullScreen();
    ASSERT_TRUE(screen.fullScreen);
    EXPECT_EQ(Rect{}, ChangedRect(before, *screen.shown.back()));
}

TEST_F(TableScreen, EveryRepaintShowsOneFrame)
{
    driver->NewGame();
    for (int step = 0; step < 400 && mj->gamestatus == 1; ++step) {
        const int presents = screen.presents;
        mj->Paint();
        ASSERT_EQ(presents + 1, screen.presents) << "step " << step;
        if (!LocalRobot::Act(*mj))
            clock.Step();
    }
}

// A screen that changes the table while it is being restored, to tell a composed frame from a re-shown one.
class RestoringScreen : public FakeScreen {
public:
    DrawResult Restore() override
    {
        if (onRestore)
            onRestore();
        return FakeScreen::Restore();
    }
    std::function<void()> onRestore;
};

TEST_F(TableScreen, ALostFrameIsComposedAgainOnceAndThenDropped)
{
    RestoringScreen lossy;
    lpDDSPrimary = &lossy;
    lossy.onRestore = [&] { mj->player[1].score = 4321; };
    mj->player[1].score = 1000;
    lossy.loseNext = true;
    mj->Paint();
    EXPECT_EQ(1, lossy.restores);
    EXPECT_EQ(2, lossy.presents);
    ASSERT_EQ(1u, lossy.shown.size());
    Surface recomposed = *lossy.shown[0];
    mj->Paint();
    EXPECT_TRUE(ChangedRect(recomposed, *lossy.shown[1]).Empty());

    // A screen that loses every frame gets one restore and one more try per repaint.
    lossy.onRestore = nullptr;
    lossy.loseAlways = true;
    mj->Paint();
    EXPECT_EQ(2, lossy.restores);
    EXPECT_EQ(5, lossy.presents);
    lpDDSPrimary = &screen;
}

TEST_F(TableScreen, AnAvatarIsLoadedOnlyWhenItChanges)
{
    CMjDraw &d = mj->draw;
    d.SetAvatar(1, 5);
    ASSERT_NE(std::string::npos, avatarname[1].find("5.gif"));
    const Surface *picture = d.avatar[1].surface.get();
    const uint32_t corner = picture->Pixel(20, 20);
    // With the pictures gone the same avatar still needs nothing from the disk.
    std::filesystem::rename(folder.Path() / "Graphic", folder.Path() / "Graphic.away");
    d.SetAvatar(1, 5);
    EXPECT_EQ(picture, d.avatar[1].surface.get());
    EXPECT_EQ(corner, d.avatar[1].surface->Pixel(20, 20));
    std::filesystem::rename(folder.Path() / "Graphic.away", folder.Path() / "Graphic");
    const std::string shown = avatarname[0];
    d.SetAvatar(0, 0);
    d.SetAvatar(0, 13);
    d.SetAvatar(4, 3);
    EXPECT_EQ(shown, avatarname[0]);
}

TEST_F(TableScreen, AnOnlineDealShowsThirteenTilesOnEverySideAndAWallFiftyTwoShort)
{
    mj->NetStart();
    for (const char *line :
         {"9 3=0 4=1 6=1", "13 1=1 27=1 53=1 79=1", "5 2=1 3=0 4=1 5=1 6=2 7=3",
          "1 3=13 4=[t(1m#0),t(2m#0),t(3m#0),t(5s#0),t(6s#0),t(7s#0),t(2p#0),t(2p#1),t(9p#0),t(1z#0),t(1z#1),t(5z#0),t(7z#0)]"})
        mj->OnGameMsg(ScriptRecord(line));
    ASSERT_TRUE(PlayHeldRecords(*mj, clock));
    // The chat windows are blended over the ends of the right hand and the right wall.
    for (auto &wnd : mj->chatwnd)
        wnd->visible = 0;
    mj->Paint();
    const CMjDraw &d = mj->draw;
    const CMjPlayer &me = mj->player[0];
    ASSERT_EQ(13, me.cardnum);
    ExpectHandShown(Frame(), d, me);

    // The backs overlap: each is checked where the next leaves it uncovered, and a fourteenth
    // place must show none.
    auto backs = [&](int seat, Point first, Point step, int stripWidth, int stripHeight) {
        const Rect r = d.seatback[seat].rect;
        const Rect strip{r.left, r.top, r.left + stripWidth, r.top + stripHeight};
        int shown = 0;
        for (int i = 0; i < 14; ++i)
            shown += CellMismatches(Frame(), first.x + i * step.x, first.y + i * step.y, *d.seatback[seat].surface, strip) == 0;
        return shown;
    };
    const Rect top = d.seatback[2].rect, right = d.seatback[1].rect, left = d.seatback[3].rect;
    EXPECT_EQ(13, backs(2, {(800 - 13 * d.wallcell[2].width) / 2, tophandy}, {top.Width() - 1, 0}, top.Width() - 1, top.Height()));
    EXPECT_EQ(13, backs(1, {800 - 70 - right.Width() - 40, (600 - 20 * 12 - right.Height()) / 2}, {0, 20}, right.Width(), 20));
    EXPECT_EQ(13, backs(3, {110, (600 - 21 * 12 - left.Height()) / 2}, {0, 20}, left.Width(), 20));

    // The dealer's side is the right one (dice 1 and 1): the second throw of 2 and 3 opens it at
    // stack 58, and the deal takes stacks 58-71 and 0-11.
    std::vector<int> full(72, 2);
    for (int stack = 58; stack < 72 + 12; ++stack)
        full[stack % 72] = 0;
    EXPECT_EQ(full, std::vector<int>(std::begin(mj->wallstack), std::end(mj->wallstack)));
    for (int stack = 0; stack < 72; ++stack) {
        if (stack == 35)
            continue; // the top seat's plate lies over the left wall's first stack
        const int side = stack < 18 ? 0 : stack < 36 ? 3 : stack < 54 ? 2 : 1;
        const bool upright = side == 1 || side == 3;
        const Sprite &picture = d.wallpic[side];
        // A side stack is covered by the next one from 15 pixels down.
        const Rect strip{picture.rect.left, picture.rect.top, picture.rect.right,
                         upright ? picture.rect.top + 15 : picture.rect.bottom};
        const Point at = d.WallStackPlace(stack);
        const bool shown = CellMismatches(Frame(), at.x, at.y - (upright ? 8 : 5), *picture.surface, strip) == 0;
        EXPECT_EQ(full[stack] == 2, shown) << "stack " << stack;
    }
}

// A seated user whom the user list gives rights sparkles on timer 6, cell by cell; a user without
// rights, or one the list does not know, never does, and once no such user sits the sparkles stop.
TEST_F(TableScreen, ASeatedUserWithRightsSparklesCellByCellAndNoOneElseDoes)
{
    mj->NetStart();
    UserInfo vip{}, plain{};
    PutName(vip.name, "vip");
    vip.rights = 1;
    PutName(plain.name, "plain");
    mj->userlist.Add(vip, false);
    mj->userlist.Add(plain, false);
    mj->OnGameMsg(ScriptRecord("9 3=0 4=1 6=1"));
    const char *seated = "13 1=1 6:\"me\" 27=1 32:\"vip\" 53=1 58:\"stranger\" 79=1 84:\"plain\"";
    mj->OnGameMsg(ScriptRecord(seated));
    EXPECT_EQ((std::vector<int>{0, 1, 0, 0}),
              (std::vector<int>{mj->player[0].marklevel, mj->player[1].marklevel, mj->player[2].marklevel,
                                mj->player[3].marklevel}));
    for (auto &wnd : mj->chatwnd)
        wnd->visible = 0;
    // What each spot shows without sparkles, and with each cell over it.
    const Sprite &sparkles = sprites::sparkling;
    const int w = sparkles.rect.Width() / 4, h = sparkles.rect.Height();
    mj->Paint();
    const Surface bare = Frame();
    auto shownCells = [&](Point at) {
        std::vector<int> cells;
        for (int cell = -1; cell < 4; ++cell) {
            Surface expected = bare;
            if (cell >= 0)
                expected.Blit(at.x, at.y, *sparkles.surface, {cell * w, 0, (cell + 1) * w, h}, true);
            int wrong = 0;
            for (int y = at.y; y < at.y + h; ++y)
                for (int x = at.x; x < at.x + w; ++x)
                    wrong += Frame().Pixel(x, y) != expected.Pixel(x, y);
            if (wrong == 0)
                cells.push_back(cell);
        }
        return cells;
    };
    const Point right{716, 386}, top{550, 80}, left{60, 386};
    ASSERT_EQ(std::vector<int>{-1}, shownCells(right)) << "the cells differ from the table beneath";
    for (int tick = 0; tick < 6; ++tick) {
        clock.Advance(500);
        EXPECT_EQ(std::vector<int>{tick % 4}, shownCells(right)) << "tick " << tick;
        EXPECT_EQ(std::vector<int>{-1}, shownCells(top)) << "tick " << tick;
        EXPECT_EQ(std::vector<int>{-1}, shownCells(left)) << "tick " << tick;
    }
    // The user with rights leaves the table.
    mj->OnGameMsg(ScriptRecord("13 1=1 6:\"me\" 53=1 58:\"stranger\" 79=1 84:\"plain\""));
    clock.Advance(500);
    EXPECT_EQ(-1, mj->sparkleframe);
    EXPECT_EQ(std::vector<int>{-1}, shownCells(right));
}

// What a player reads on the table must stay readable: no picture over the names, the buttons,
// the discards or the wall, and a compass that points at seats, not at winds.
class ReadableTable : public TableScreen {
protected:
    // Online at server seat 2, four seated (two men, two women, with their default standing
    // figures), the hand under way and the claim of a bamboo 9 offered with win and pung.
    void OnlineClaim()
    {
        mj->NetStart();
        for (const char *line : {
                 "9 3=2 4=0 6=1 9=0",
                 "13 1=1 6:\"张三\" 26=1 27=1 32:\"小李\" 53=1 58:\"tester\" 78=1 79=1 84:\"李四\" 105=3 106=5 107=7 108=2",
                 "14 3=1 4=1 5=1 6=1", "5 2=1 3=0 4=3 5=4 6=2 7=5",
                 "1 3=13 4=[t(1m#0),t(2m#0),t(3m#0),t(9s#0),t(9s#1),t(5p#0),t(6p#0),t(7p#0),t(1z#0),t(2z#0),t(3z#0),t(4z#0),t(5z#0)]",
                 "7 3=0", "3 3=0 4=t(9p#3)", "11 1=100 2:\"本桌 8 番起和\"", "7 3=3", "3 3=3 4=t(9s#2)", "4 3=1 5=1"})
            mj->OnGameMsg(ScriptRecord(line));
        ASSERT_TRUE(PlayHeldRecords(*mj, clock));
        ASSERT_EQ(mj->gamestatus, 1);
        ASSERT_TRUE(mj->tablebuttons.Get(BTN_HU)->visible);
    }
    // The frame with and without what change does, put back afterwards.
    std::pair<Surface, Surface> WithAndWithout(const std::function<void(bool)> &change)
    {
        mj->Paint();
        Surface with = Frame();
        change(false);
        mj->Paint();
        Surface without = Frame();
        change(true);
        return {with, without};
    }
    static int Differing(const Surface &a, const Surface &b, Rect area)
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += a.Pixel(x, y) != b.Pixel(x, y);
        return n;
    }
    static Rect ButtonRect(const CBitButton &b) { return {b.x, b.y, b.x + b.GetWidth(), b.y + b.GetHeight()}; }
    Rect PlateRect(int seat) const
    {
        const CMjDraw &d = mj->draw;
        const Point at = d.chipplate[seat];
        return {at.x, at.y, at.x + d.chouma.rect.Width(), at.y + d.chouma.rect.Height()};
    }
};

TEST_F(ReadableTable, AnOnlineSeatPictureKeepsToItsSeatBoxAndItsProportionsInAHand)
{
    OnlineClaim();
    CMjDraw &d = mj->draw;
    for (int seat = 0; seat < 4; ++seat) {
        ASSERT_TRUE(d.avatar[seat].surface) << seat;
        ASSERT_GT(d.avatar[seat].rect.Height(), 56) << "the default pictures are standing figures";
        SurfaceSlot kept;
        auto [with, without] = WithAndWithout([&](bool on) {
            if (on)
                d.avatar[seat].surface = std::move(kept);
            else
                kept = std::move(d.avatar[seat].surface);
        });
        const Rect drawn = ChangedRect(with, without);
        ASSERT_FALSE(drawn.Empty()) << seat;
        EXPECT_EQ(Intersect(drawn, d.avatarrect[seat]), drawn) << "seat " << seat;
        // A standing figure scaled to the box's height takes less than half its width; stretched to
        // the box it would take more.
        EXPECT_LT(drawn.Width() * 2, d.avatarrect[seat].Width()) << "seat " << seat;
    }
}

// The top seat's plate lies where no wall stack reaches, and its name and score stand on it whole.
TEST_F(ReadableTable, TheTopSeatsPlateHoldsItsNameAndScoreAndNoWallPixel)
{
    mj->ResetTable();
    ASSERT_EQ(mj->wallstack[36], 2);
    const CMjDraw &d = mj->draw;
    const Rect plate = PlateRect(2);
    auto [walled, bare] = WithAndWithout([&](bool on) { std::memset(mj->wallstack + 36, on ? 2 : 0, 18); });
    ASSERT_FALSE(ChangedRect(walled, bare).Empty()) << "the top wall is drawn";
    EXPECT_EQ(Differing(walled, bare, plate), 0) << "a wall pixel on the plate at " << d.chipplate[2].x;
    CMjPlayer &top = mj->player[2];
    std::strcpy(top.playername, "Northman");
    auto [named, unnamed] = WithAndWithout([&](bool on) { top.playername[0] = on ? 'N' : 0; });
    EXPECT_GT(Differing(named, unnamed, plate), 40) << "the letters show";
    EXPECT_EQ(Intersect(ChangedRect(named, unnamed), plate), ChangedRect(named, unnamed));
    auto [scored, unscored] = WithAndWithout([&](bool on) { top.score = on ? 88888 : 1; });
    EXPECT_EQ(Intersect(ChangedRect(scored, unscored), plate), ChangedRect(scored, unscored));
}

// A ready badge stands beside its seat's plate in a hand under way: on no plate, wall or discard frame.
TEST_F(ReadableTable, TheReadyBadgesCoverNoPlateWallOrDiscardFrame)
{
    OnlineClaim();
    std::memset(mj->wallstack, 2, sizeof mj->wallstack);
    for (CMjPlayer &p : mj->player)
        p.hasplayed = 1, p.ready = 1;
    auto [walled, bare] = WithAndWithout([&](bool on) { std::memset(mj->wallstack, on ? 2 : 0, sizeof mj->wallstack); });
    auto [framed, unframed] = WithAndWithout([&](bool on) {
        for (CMjPlayer &p : mj->player)
            p.hasplayed = on;
    });
    const Rect walls = ChangedRect(walled, bare), frames = ChangedRect(framed, unframed);
    ASSERT_FALSE(walls.Empty());
    ASSERT_FALSE(frames.Empty());
    for (int seat = 1; seat < 4; ++seat) {
        auto [ready, waiting] = WithAndWithout([&](bool on) { mj->player[seat].ready = on; });
        const Rect badge = ChangedRect(ready, waiting);
        ASSERT_FALSE(badge.Empty()) << "seat " << seat;
        for (int other = 1; other < 4; ++other)
            EXPECT_TRUE(Intersect(badge, PlateRect(other)).Empty()) << "seat " << seat << " on plate " << other;
        EXPECT_TRUE(Intersect(badge, walls).Empty()) << "seat " << seat;
        EXPECT_TRUE(Intersect(badge, frames).Empty()) << "seat " << seat;
    }
}

TEST_F(ReadableTable, NoChatWindowSmallOrEnlargedCoversAButtonOfTheTable)
{
    OnlineClaim();
    // The claim row stands whole, the buttons not offered greyed.
    for (int i : {BTN_PENG, BTN_GANG, BTN_HU, BTN_PASS, BTN_CHI, BTN_TING})
        ASSERT_TRUE(mj->tablebuttons.Get(i)->visible) << i;
    for (const bool enlarged : {false, true}) {
        mj->EnlargeChat(enlarged);
        auto [with, without] = WithAndWithout([&](bool on) {
            for (auto &wnd : mj->chatwnd)
                wnd->visible = on;
        });
        ASSERT_FALSE(ChangedRect(with, without).Empty()) << "the windows are drawn";
        for (int i = 0; i < mj->tablebuttons.Count(); ++i) {
            const CBitButton &button = *mj->tablebuttons.Get(i);
            if (button.visible) {
                EXPECT_EQ(Differing(with, without, ButtonRect(button)), 0) << "button " << i << " enlarged " << enlarged;
            }
        }
    }
}

TEST_F(ReadableTable, ThePassHintLeavesTheLocalDiscardsTheWallAndTheLeftHandClear)
{
    OnlineClaim();
    auto [with, without] = WithAndWithout([&](bool on) { mj->ShowTips = on; });
    const Rect hint = ChangedRect(with, without);
    ASSERT_FALSE(hint.Empty()) << "the hint shows while pass is offered";
    // Right of it stand the left seat's hand (x 110), the wall's left end and the first discard.
    const CMjDraw &d = mj->draw;
    EXPECT_LE(hint.right, std::min({110, d.WallStackPlace(17).x, d.DiscardPlace(0, 0).x}));
}

// The four pointer pictures are one picture turned a quarter at a time, so none can name a fixed
// wind; whatever the round and the dealer, the lit arrow is that of the seat to move.
TEST_F(ReadableTable, TheCompassLightsTheSideOfTheSeatToMoveWhateverTheRound)
{
    const CMjDraw &d = mj->draw;
    for (int s = 0; s < 4; ++s) { // pixel (x, y) of seat s's is pixel (y, 105 - x) of the next seat's
        const Surface &from = *d.turnpointer[s].surface, &to = *d.turnpointer[(s + 1) % 4].surface;
        int differ = 0;
        for (int y = 0; y < 106; ++y)
            for (int x = 0; x < 106; ++x)
                differ += from.Pixel(x, y) != to.Pixel(y, 105 - x);
        EXPECT_LT(differ, 106 * 106 / 50) << "seat " << s;
    }
    // The arrows in the frame, bottom, right, top, left; the lit one is the brightest.
    const Rect arrows[4] = {{385, 313, 415, 333}, {419, 279, 439, 309}, {385, 255, 415, 275}, {361, 279, 381, 309}};
    auto lit = [&] {
        long brightest = -1, side = -1;
        for (int a = 0; a < 4; ++a) {
            long sum = 0;
            for (int y = arrows[a].top; y < arrows[a].bottom; ++y)
                for (int x = arrows[a].left; x < arrows[a].right; ++x)
                    sum += (Frame().Pixel(x, y) >> 11) + (Frame().Pixel(x, y) >> 5 & 63) / 2 + (Frame().Pixel(x, y) & 31);
            if (sum > brightest)
                brightest = sum, side = a;
        }
        return side;
    };
    mj->ResetTable();
    for (int round = 1; round <= 4; ++round) {
        mj->roundwind = round;
        for (int k = 0; k < 4; ++k) // the dealer moves on with the round
            mj->player[(round + k) % 4].seatwind = k + 1;
        for (int seat = 0; seat < 4; ++seat) {
            mj->curplayer = seat;
            mj->Paint();
            EXPECT_EQ(lit(), seat) << "round " << round;
        }
    }
}

TEST(RendererLifetime, LeavesThePlainWindowStyleEvenWithoutADevice)
{
    ScratchFolder folder;
    {
        CMjDraw draw;
        Profile::Edit ini("SET.ini");
        draw.WriteSettings(ini);
        std::string error;
        ASSERT_TRUE(ini.Commit(error)) << error;
    }
    char style[8] = {};
    Profile::ReadString("SET.ini", "Window", "Style", "", style, sizeof style);
    EXPECT_STREQ("0", style);
}

} // namespace
