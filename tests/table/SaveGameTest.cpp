#include "platform/MessageBox.h"
#include "tests/kit/LocalRobot.h"
#include "tests/kit/SelfPlay.h"
#include "tests/kit/TableAudit.h"
#include "tests/kit/TableSetup.h"
#include "tests/table/HandFixture.h"
#include "windows/CShowMessageForm.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char *const kDamaged = "this document edition is lower or is damaged.";
const char *const kNotYourTurn = "It's your turn to discard a tile then you can preserve the progress.";

class SaveGame : public HandFixture {
protected:
    void SetUp() override
    {
        HandFixture::SetUp();
        MessageBox::SetHandler([this](const MessageBox::Box &box) {
            boxes.push_back(box);
            return static_cast<int>(MessageBox::ResultOk);
        });
    }
    void TearDown() override
    {
        MessageBox::SetHandler(nullptr);
        HandFixture::TearDown();
    }

    // One step of play as the self-play driver takes it: seat 0 acts when it can, else time passes.
    void Step()
    {
        if (mj->gamestatus == 2)
            mj->NextHand();
        else if (!LocalRobot::Act(*mj))
            clock.Step();
    }
    template <class Done> void PlayUntil(Done done)
    {
        for (int steps = 0; !done(); steps++) {
            ASSERT_LT(steps, 200000) << "the moment never came";
            Step();
        }
    }
    // A robot-played game at the first moment in a hand when the local player may save and the
    // table is as `wanted` says.
    template <class Wanted> CMj &GameAtSavePoint(Wanted wanted)
    {
        CMj &m = Fresh();
        m.NewLocalGame();
        PlayUntil([&] { return m.gamestatus == 1 && m.SaveAllowed() && wanted(m); });
        return m;
    }
    // The same with at least `drawn` tiles taken from the wall.
    CMj &GameAtSavePoint(int drawn)
    {
        return GameAtSavePoint([drawn](const CMj &m) { return m.mjindex >= drawn; });
    }
    // Loading the file is refused with the message, and the table stays as it was.
    bool Refused(const std::string &bytes)
    {
        const std::string before = Saved();
        folder.Write("Save/x.cmj", bytes);
        boxes.clear();
        bool loaded = mj->LoadGame("Save\\x.cmj");
        return !loaded && boxes.size() == 1 && boxes[0].text == kDamaged && boxes[0].title == "信息" &&
               Saved() == before;
    }
    // Plays on, the table audited after every step, until the hand is over.
    void PlayOutAudited()
    {
        TableAudit audit = TableAudit::Of(*mj);
        PlayUntil([&] {
            for (const std::string &broken : audit.Check(*mj))
                ADD_FAILURE() << broken;
            return mj->gamestatus == 2 || HasFailure();
        });
    }
    std::string Saved() const
    {
        auto bytes = mj->Snapshot().Bytes();
        return std::string(bytes.begin(), bytes.end());
    }
    CMj &Fresh()
    {
        CMj &m = Make();
        m.SetAnimateOn(false);
        return m;
    }

    std::vector<MessageBox::Box> boxes;
};

int32_t I32At(const std::string &bytes, size_t offset)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; i--)
        v = v << 8 | static_cast<uint8_t>(bytes[offset + i]);
    return static_cast<int32_t>(v);
}

// A table at seat 0's discard with a distinct value in every field the file keeps: seat 0 holds a
// concealed kong of 9m, ten tiles and a drawn 5s; seat 1 has discarded twice, seat 2 drawn three
// flowers. The wall holds the rest, 85 tiles, and every seat has seen the discards and the kong.
CMj &DistinctTable(CMj &m)
{
    CMjPlayer &me = m.player[0];
    me.getmj[0] = GetMj{{Tile("9m"), Tile("9m"), Tile("9m"), Tile("9m")}, 4, GETMJ_GANG, {}};
    me.exposed[0] = 0;
    me.getnum = 1;
    me.drawmj = Tile("5s");
    me.drawflag = 1;
    me.Mj[me.cardnum] = me.drawmj;
    m.player[1].outmj[0] = Tile("3z");
    m.player[1].outmj[1] = Tile("7p");
    m.player[1].outnum = 2;
    m.player[2].flowernum = 3;
    m.player[1].SetName("ABCDEFGHIJKLMNOPQRST");
    const int avatars[4] = {7, 8, 9, 2};
    for (int seat = 0; seat < 4; seat++) {
        CMjPlayer &p = m.player[seat];
        p.score = 1000 + 111 * seat;
        p.scorechange = -seat;
        p.avatarindex = avatars[seat];
        p.gridcol = seat + 1;
        p.gridrow = 10 - seat;
        p.payseat = seat - 1;
        p.seatwind = (seat + 2) % 4 + 1;
        p.roundwind = 3;
    }
    m.player[3].ting = 1;
    me.humj = Tile("2z");
    m.roundwind = 3;
    m.banker = 2;
    m.showbanker = 1;
    m.changchengstart = 41;
    m.gridflags[77] = 1;
    m.draw.gridused[3][5] = 1;
    m.draw.grid[3][5] = Tile("4p");
    wildmj = Tile("6p");
    m.wildindicator = Tile("3s");
    m.wildrule = 3;
    m.cansave = 1;
    TableSetup::Settle(m);
    return m;
}

TEST_F(SaveGame, EveryFieldKeepsItsPlaceAndComesBackIntoAFreshGameWhereAConcealedKongStaysConcealed)
{
    CMj &m = Table();
    Hand(0, "138m268s48p13z");
    DistinctTable(m);
    ASSERT_EQ(m.mjindex, 58) << "15 + 3 x 13 held, 2 discarded, 3 flowers";
    ASSERT_TRUE(m.SaveGame("Save\\3.cmj")) << "the Save folder is made when missing";
    // A save removes only what a kill left of its own file: another slot's is not its to remove.
    folder.Write("Save/5.cmj.tmp", "half a game");
    ASSERT_TRUE(m.SaveGame("Save\\3.cmj"));
    EXPECT_TRUE(fs::exists(folder.Path() / "Save/5.cmj.tmp"));
    const std::string file = folder.Read("Save/3.cmj");
    ASSERT_EQ(file.size(), 3392u);
    EXPECT_EQ(file.substr(0, 10), std::string("VIDI2.6.1\0", 10));
    EXPECT_EQ(I32At(file, 382), 13) << "seat 1's tile count";
    EXPECT_EQ(I32At(file, 358), 7) << "seat 0's avatar";
    EXPECT_EQ(file[11 + 200], 2) << "seat 0's winning tile";
    EXPECT_EQ(file[11 + 56 + 13], 1) << "seat 0's first meld is a concealed kong";
    EXPECT_EQ(I32At(file, 1435), 58);
    EXPECT_EQ(I32At(file, 2188), 3);
    EXPECT_EQ(file[2192 + 3 * 20 + 5], 1) << "the renderer's grid, row by row";
    EXPECT_EQ(file.substr(2592 + 2 * (3 * 20 + 5), 2), "\4\2");

    CMj &loaded = Fresh();
    ASSERT_TRUE(loaded.LoadGame("Save\\3.cmj"));
    EXPECT_TRUE(boxes.empty());
    const std::string again = Saved();
    auto diff = std::mismatch(file.begin(), file.end(), again.begin()).first - file.begin();
    EXPECT_EQ(diff, 3392) << "the first byte that did not come back";
    EXPECT_EQ(TilesTaken(loaded), 59) << "the wall's stacks are rebuilt";
    EXPECT_TRUE(avatarname[0].ends_with("8.gif")) << "avatar 7 shows picture 8: " << avatarname[0];
    EXPECT_EQ(loaded.player[0].sex, 1);
    EXPECT_EQ(loaded.player[3].sex, 0);
    EXPECT_TRUE(loaded.SaveAllowed()) << "the local player discards next";

    // A concealed kong still scores as concealed after a load.
    CMj &k = Table();
    Hand(0, "123m456s789p5z");
    DistinctTable(k);
    k.player[0].drawmj = k.player[0].Mj[10] = Tile("5z");
    k.player[1].outnum = 0;
    k.player[2].flowernum = 0;
    TableSetup::Settle(k);
    ASSERT_TRUE(k.SaveGame("Save\\1.cmj"));
    auto winFans = [&](CMj &table) {
        EXPECT_TRUE(table.buttons.hu);
        table.AnswerClaim(CLAIM_HU);
        const CMjPlayer &me = table.player[0];
        EXPECT_TRUE(me.ishu);
        return std::vector<uint8_t>(std::begin(me.fanflag), std::end(me.fanflag));
    };
    k.DrawTile(true);
    const std::vector<uint8_t> played = winFans(k);
    EXPECT_TRUE(played[FAN_CONCEALED_KONG]);

    CMj &reloaded = Fresh();
    ASSERT_TRUE(reloaded.LoadGame("Save\\1.cmj"));
    EXPECT_EQ(winFans(reloaded), played);
}

TEST_F(SaveGame, SavingWaitsForTheLocalPlayersDiscardOrTheHandsEndAndNotForAKongsReplacement)
{
    CMj &m = Fresh();
    EXPECT_FALSE(m.SaveGame("Save\\1.cmj")) << "no game yet";
    EXPECT_EQ(showmessageform->text, kNotYourTurn);
    m.NewLocalGame();
    PlayUntil([&] { return m.curplayer == 1; });
    showmessageform->text.clear();
    EXPECT_FALSE(m.SaveGame("Save\\1.cmj")) << "a robot's turn";
    EXPECT_EQ(showmessageform->text, kNotYourTurn);
    EXPECT_FALSE(fs::exists(folder.Path() / "Save"));

    PlayUntil([&] { return m.gamestatus == 2; });
    ASSERT_TRUE(m.SaveGame("Save\\1.cmj"));
    const int banker = m.banker, scores[4] = {m.player[0].score, m.player[1].score, m.player[2].score, m.player[3].score};
    CMj &loaded = Fresh();
    ASSERT_TRUE(loaded.LoadGame("Save\\1.cmj"));
    EXPECT_EQ(loaded.gamestatus, 1) << "the next hand is dealt";
    EXPECT_EQ(loaded.banker, banker);
    for (int seat = 0; seat < 4; seat++)
        EXPECT_EQ(loaded.player[seat].score, scores[seat]);

    // Nor while a kong's replacement is on its way.
    CMj &k = Table();
    Hand(0, "1111m2345678p12z");
    Drawn(0, "9p");
    k.player[0].Mj[13] = k.player[0].drawmj;
    k.wallmj[61] = 136; // the replacement is a flower, replaced in turn after a pause
    k.DrawTile(true);
    ASSERT_TRUE(k.buttons.gang);
    k.AnswerClaim(CLAIM_GANG);
    ASSERT_TRUE(clock.IsRunning(TIMER_FLOWERPAUSE));
    EXPECT_FALSE(k.SaveGame("Save\\1.cmj"));
    PlayUntil([&] { return !clock.IsRunning(TIMER_FLOWERPAUSE); });
    EXPECT_TRUE(k.SaveGame("Save\\1.cmj"));

    // Nor while an ordinary replacement flies in from the wall.
    CMj &f = Table();
    f.SetAnimateOn(true);
    Hand(0, "1111m2345678p12z");
    Drawn(0, "9p");
    f.player[0].Mj[13] = f.player[0].drawmj;
    f.wallmj[61] = MjToIndex(Tile("5s"));
    f.DrawTile(true);
    ASSERT_TRUE(f.buttons.gang);
    f.AnswerClaim(CLAIM_GANG);
    ASSERT_TRUE(clock.IsRunning(TIMER_FLIGHT));
    EXPECT_FALSE(f.SaveGame("Save\\1.cmj"));
    PlayUntil([&] { return !clock.IsRunning(TIMER_FLIGHT); });
    EXPECT_TRUE(IsSameMj(f.player[0].drawmj, Tile("5s")));
    EXPECT_TRUE(f.SaveGame("Save\\1.cmj"));
}

TEST_F(SaveGame, DamagedFilesAreRefusedWholeAndChangeNothingAndASoundOneStopsTheRobot)
{
    CMj &m = GameAtSavePoint(70);
    const std::string before = Saved();
    auto refused = [&](const std::string &bytes) { return Refused(bytes); };
    int loose = 0;
    for (size_t n = 0; n < before.size(); n++)
        loose += !refused(before.substr(0, n));
    EXPECT_EQ(loose, 0) << "cut files not refused cleanly";
    EXPECT_TRUE(refused(before + '\0'));
    std::string tag = before;
    tag[9] = '1';
    EXPECT_TRUE(refused(tag));

    // What cannot be read, or is not there at all, is damaged.
    fs::create_directory(folder.Path() / "Save/folder.cmj");
    ASSERT_EQ(mkfifo((folder.Path() / "Save/pipe.cmj").c_str(), 0600), 0);
    for (const char *path : {"Save\\folder.cmj", "Save\\pipe.cmj", "Save\\missing.cmj"}) {
        boxes.clear();
        EXPECT_FALSE(m.LoadGame(path));
        EXPECT_EQ(boxes.size(), 1u) << path;
    }
    boxes.clear();

    // A sound file is refused too while an online table runs.
    folder.Write("Save/good.cmj", before);
    m.netgame = 1;
    EXPECT_FALSE(m.LoadGame("Save\\good.cmj"));
    m.netgame = 0;
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Saved(), before);

    // A load during a robot's turn leaves the robot nothing to do.
    ASSERT_TRUE(m.SaveGame("Save\\1.cmj"));
    PlayUntil([&] { return clock.IsRunning(TIMER_ROBOT); });
    ASSERT_TRUE(m.LoadGame("Save\\1.cmj"));
    clock.Advance(5000);
    EXPECT_EQ(Saved(), before);
}

// Files damaged as a hand-edited or half-overwritten file would be: each breaks the table as a whole
// (a tile twice, a kind five times, a seen count that does not match, a score no game reaches, a
// name that is no text, a grid cell out of its range) though every field alone looks possible.
TEST_F(SaveGame, FilesThatBreakTheTableAsAWholeAreRefusedAndTheSoundOneStillLoads)
{
    // A hand in play where a robot has made a pung, so that a kind can spread over a hand and melds,
    // and seat 1 has set a flower aside and discarded, with the local player holding a drawn tile.
    CMj &m = GameAtSavePoint([](const CMj &g) {
        return g.mjindex >= 50 && !g.claimtaken && g.player[1].flowernum > 0 && g.player[1].outnum > 0 &&
               std::any_of(g.player + 1, g.player + 4,
                           [](const CMjPlayer &p) { return p.getnum > 0 && p.getmj[0].kind == GETMJ_PENG; });
    });
    const std::string before = Saved();
    SavedGame good;
    ASSERT_TRUE(SavedGame::Parse(reinterpret_cast<const uint8_t *>(before.data()), before.size(), good));
    int melder = 1;
    while (good.player[melder].getnum == 0 || good.player[melder].getmj[0].kind != GETMJ_PENG)
        melder++;
    const MjTile pung = good.player[melder].getmj[0].tiles[0];
    // The first hand tile of the seat that is not the tile.
    auto other = [](const SavedSeat &p, MjTile tile) {
        int i = 0;
        while (IsSameMj(p.Mj[i], tile))
            i++;
        return i;
    };

    // A flower set aside, put where a tile belongs: the number of tiles still comes to 144.
    MjTile flower;
    for (int i = 0; i <= good.mjindex; i++)
        if (MjFromIndex(good.wallmj[i]).suit == SUIT_HUA)
            flower = MjFromIndex(good.wallmj[i]);

    const std::pair<const char *, std::function<void(SavedGame &)>> damages[] = {
        {"a hand tile's suit changed", [](SavedGame &g) { g.player[1].Mj[0].suit = (g.player[1].Mj[0].suit + 1) % 3; }},
        {"a hand tile duplicated",
         [&](SavedGame &g) { g.player[2].Mj[other(g.player[2], g.player[2].Mj[0])] = g.player[2].Mj[0]; }},
        {"five of a kind across a hand and a pung",
         [&](SavedGame &g) { g.player[melder].Mj[other(g.player[melder], pung)] = pung; }},
        {"a seen count one too high", [&](SavedGame &g) { g.seenmj[pung.suit][pung.value]++; }},
        {"scores at the ends of their field",
         [](SavedGame &g) {
             g.player[1].score = INT32_MAX;
             g.player[2].score = INT32_MIN;
         }},
        {"a name of invalid GBK bytes without a terminator",
         [](SavedGame &g) { std::memset(g.player[3].playername, 0xFF, sizeof g.player[3].playername); }},
        {"grid cells of 0xFF", [](SavedGame &g) { std::fill(g.grid, g.grid + 400, 0xFF); }},
        {"a grid flag of 0xFF", [](SavedGame &g) { g.gridflags[210] = 0xFF; }},
        {"a grid tile of 0xFF bytes", [](SavedGame &g) { std::fill(g.grid + 400, g.grid + 402, 0xFF); }},
        {"a flower in a hand", [&](SavedGame &g) { g.player[1].Mj[0] = flower; }},
        {"a flower among the discards, seen as it shows",
         [&](SavedGame &g) {
             const MjTile was = g.player[1].outmj[0];
             g.seenmj[was.suit][was.value]--;
             g.seenmj[flower.suit][flower.value]++;
             g.player[1].outmj[0] = flower;
         }},
        {"a flower as the drawn tile",
         [&](SavedGame &g) { g.player[0].drawmj = g.player[0].Mj[g.player[0].cardnum] = flower; }},
        {"a seat's prevailing wind with its top bit flipped",
         [](SavedGame &g) { g.player[2].roundwind = static_cast<int32_t>(0x80000001u); }},
    };
    for (const auto &[what, damage] : damages) {
        SavedGame g = good;
        damage(g);
        const auto bytes = g.Bytes();
        EXPECT_TRUE(Refused(std::string(bytes.begin(), bytes.end()))) << what;
    }

    // Scores as far out as the bound, and a full name with no room for a terminator, still load.
    SavedGame far = good;
    far.player[1].score = SavedGame::kScoreBound;
    far.player[2].score = -SavedGame::kScoreBound;
    std::memcpy(far.player[3].playername, "ABCDEFGHIJKLMNOPQR\xD6\xD0", 20);
    const auto farBytes = far.Bytes();
    folder.Write("Save/far.cmj", std::string(farBytes.begin(), farBytes.end()));
    ASSERT_TRUE(m.LoadGame("Save\\far.cmj"));
    EXPECT_EQ(m.player[1].score, SavedGame::kScoreBound);
    // Played on from there to a won hand, the scores stay where a saved game can hold them.
    for (SavedSeat &seat : far.player)
        seat.score = SavedGame::kScoreBound;
    const auto topBytes = far.Bytes();
    folder.Write("Save/top.cmj", std::string(topBytes.begin(), topBytes.end()));
    ASSERT_TRUE(m.LoadGame("Save\\top.cmj"));
    PlayUntil([&] { return m.gamestatus == 2 && std::any_of(m.player, m.player + 4, [](auto &p) { return p.ishu; }); });
    ASSERT_TRUE(m.SaveGame("Save\\top.cmj"));
    ASSERT_TRUE(m.LoadGame("Save\\top.cmj"));
    folder.Write("Save/good.cmj", before);
    ASSERT_TRUE(m.LoadGame("Save\\good.cmj"));
    EXPECT_EQ(Saved(), before);
}

// After a pung the local player holds fourteen with no tile drawn, and that is how the file keeps
// it: loaded, the player discards at once, and is offered nothing a drawn tile would offer.
TEST_F(SaveGame, AGameSavedRightAfterAPungComesBackWithThePlayerDiscardingWithoutADraw)
{
    CMj &m = GameAtSavePoint([](const CMj &g) {
        const CMjPlayer &me = g.player[0];
        return g.claimtaken && me.getnum > 0 && me.getmj[me.getnum - 1].kind == GETMJ_PENG;
    });
    ASSERT_TRUE(m.SaveGame("Save\\pung.cmj"));
    const std::string file = folder.Read("Save/pung.cmj");
    EXPECT_EQ(file[11 + 196], 0) << "seat 0 holds no drawn tile";
    EXPECT_EQ(I32At(file, 11 + 20) + 3 * I32At(file, 11 + 52), 14);

    CMj &loaded = Fresh();
    ASSERT_TRUE(loaded.LoadGame("Save\\pung.cmj"));
    const CMjPlayer &me = loaded.player[0];
    EXPECT_TRUE(loaded.claimtaken);
    EXPECT_TRUE(me.drawflag) << "the last tile stands apart, so that the hand shows fourteen";
    EXPECT_EQ(loaded.mjindex, I32At(file, 1435)) << "nothing drawn";
    EXPECT_FALSE(loaded.buttons.hu || loaded.buttons.gang) << "the claimed tile is no self-drawn one";
    EXPECT_EQ(Saved(), file) << "it saves again byte for byte";
    EXPECT_TRUE(TableAudit::Of(loaded).Check(loaded).empty());
    // The player discards (the ready button answered first when it is offered), drawing nothing.
    PlayUntil([&] { return me.cardnum + 3 * me.getnum == 13 && !me.drawflag; });
    EXPECT_EQ(loaded.mjindex, I32At(file, 1435));
    EXPECT_FALSE(loaded.claimtaken);
    PlayOutAudited();
}

// A seat marked as won in a hand still in play is believed only when its hand and winning tile win.
TEST_F(SaveGame, ASeatMarkedAsWonMustHoldAWinningHandOrTheFileChangesNothing)
{
    // Seat 2 has won on 5p with 234m 567m 789m 222s 5p; seat 0 is about to discard its drawn 9m.
    auto save = [&](const char *win, const char *file) {
        CMj &t = Table();
        Hand(0, "2468m2468s2468p2z");
        Drawn(0, "9m");
        t.player[0].Mj[t.player[0].cardnum] = t.player[0].drawmj;
        Hand(2, "234m567m789m222s5p");
        t.player[2].ishu = 1;
        t.player[2].humj = Tile(win);
        t.cansave = 1;
        TableSetup::Settle(t);
        ASSERT_TRUE(t.SaveGame(file));
    };
    save("5p", "Save\\won.cmj");
    save("9p", "Save\\not.cmj");

    GameAtSavePoint(20);
    const std::string before = Saved();
    EXPECT_TRUE(Refused(folder.Read("Save/not.cmj")));
    // Won on a discard, the winning tile was seen once more than the table shows; never twice more.
    const std::string won = folder.Read("Save/won.cmj");
    SavedGame onDiscard;
    ASSERT_TRUE(SavedGame::Parse(reinterpret_cast<const uint8_t *>(won.data()), won.size(), onDiscard));
    auto withSeen = [&](int more) {
        SavedGame g = onDiscard;
        g.seenmj[Tile("5p").suit][Tile("5p").value] += more;
        const auto bytes = g.Bytes();
        return std::string(bytes.begin(), bytes.end());
    };
    EXPECT_TRUE(Refused(withSeen(2)));
    folder.Write("Save/discard.cmj", withSeen(1));
    ASSERT_TRUE(mj->LoadGame("Save\\discard.cmj"));
    EXPECT_TRUE(mj->player[2].ishu);
    ASSERT_TRUE(mj->LoadGame("Save\\won.cmj"));
    EXPECT_TRUE(mj->player[2].ishu);
    EXPECT_NE(Saved(), before);
    // The local player discards, nobody else plays, and the hand ends with seat 2's win shown.
    PlayOutAudited();
    EXPECT_EQ(mj->player[2].cardnum, 14);
}

// Three thousand files of one to four changed bytes: some 7500 changes over the 3392 bytes reach
// every field many times, both refused and loaded ones, with play going on after each load.
TEST_F(SaveGame, MutatedFilesAreRefusedOrPlayOn)
{
    CMj &m = GameAtSavePoint(70);
    const std::string before = Saved();
    folder.Write("Save/good.cmj", before);
    std::mt19937 random(15);
    int refused = 0, unclean = 0;
    for (int i = 0; i < 3000; i++) {
        std::string bytes = before;
        for (int k = random() % 4; k >= 0; k--)
            bytes[random() % bytes.size()] = static_cast<char>(random());
        folder.Write("Save/x.cmj", bytes);
        boxes.clear();
        if (!m.LoadGame("Save\\x.cmj")) {
            refused++;
            unclean += boxes.size() != 1 || Saved() != before;
            continue;
        }
        for (int tick = 0; tick < 500; tick++)
            Step();
        ASSERT_TRUE(m.LoadGame("Save\\good.cmj"));
    }
    EXPECT_EQ(unclean, 0);
    EXPECT_GT(refused, 600);
    EXPECT_LT(refused, 2700);
}

TEST_F(SaveGame, AFailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    CMj &m = GameAtSavePoint(0);
    const std::string old = "the game saved before";
    folder.Write("Save/2.cmj", old);
    const fs::path tmp = folder.Path() / "Save/2.cmj.tmp";

    // A file may grow to 1000 bytes only: the write stops part way.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        bool saved = m.SaveGame("Save\\2.cmj");
        _exit(!saved && showmsgon && showmessageform->text == "The game could not be saved." ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save reported no failure";
    EXPECT_EQ(folder.Read("Save/2.cmj"), old);
    EXPECT_FALSE(fs::exists(tmp));

    // A folder where the temporary file goes.
    fs::create_directory(tmp);
    showmsgon = 0;
    EXPECT_FALSE(m.SaveGame("Save\\2.cmj"));
    EXPECT_TRUE(showmsgon);
    EXPECT_EQ(folder.Read("Save/2.cmj"), old);
    EXPECT_TRUE(fs::is_directory(tmp));
}

TEST_F(SaveGame, SavedEverywhereInTwoHundredHandsEveryGameComesBackAndPlaysOn)
{
    CMj &m = Fresh();
    SelfPlay play(m, clock);
    play.SaveEverywhere("Save\\roundtrip.cmj");
    std::vector<std::string> problems;
    play.OnBroken([&](const std::string &what) { problems.push_back(what); });
    SelfPlaySummary s;
    play.Run(200, s);
    EXPECT_EQ(s.mismatches, 0);
    EXPECT_EQ(s.broken, 0);
    EXPECT_GT(s.roundtrips, 1500);
    EXPECT_TRUE(problems.empty()) << problems[0];
}

} // namespace
