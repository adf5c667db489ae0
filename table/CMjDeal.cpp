// A new local game and the preparation of every hand: seats, dice, shuffle, wall and deal.
#include "table/CMj.h"

#include "platform/Random.h"

#include <cstring>
#include <string_view>
#include <utility>

namespace {

// Robot seats are named after the avatar they show (avatar index 0-11: 0-5 women, 6-11 men).
const char *const kRobotNames[12] = {"小静", "花花", "阿芳", "小梅", "阿丽", "婷婷",
                                     "阿强", "大刘", "老王", "胖虎", "阿杰", "小明"};
const char *const kDefaultLocalName = "小兰";

// Tiles of the deal before the last round: three rounds of four to each seat.
constexpr int kLastFourDealt = 47;
// The dealer's fourteenth tile ends the deal.
constexpr int kLastDealt = 52;

int Roll()
{
    return Random::Next() % 6 + 1;
}

} // namespace

void CMj::SetPlayerName(const char *name)
{
    std::string_view given = name ? name : "";
    if (given.empty() || given.size() > CMjPlayer::kNameSize)
        given = kDefaultLocalName;
    player[0].SetName(given);
}

void CMj::NewLocalGame()
{
    // An online table may have left its minimum and its wild tile behind.
    minfan = 0;
    wildmode = 0;
    wildmj = MjTile{};
    SyncRules();
    Random::SeedWithTime();
    for (CMjPlayer &p : player) {
        p.score = 1000;
        p.wildmode = wildmode;
    }
    for (int seat = 0; seat < 4; seat++)
        draw.SetAvatar(seat, player[seat].avatarindex + 1);
    banker = 0;
    for (int seat = 1; seat < 4; seat++) {
        int avatar = player[seat].avatarindex;
        player[seat].SetName(kRobotNames[avatar >= 0 && avatar < 12 ? avatar : 0]);
    }
    roundwind = 1;
    StartHand();
}

void CMj::StopPlay()
{
    static constexpr unsigned kPlayTimers[] = {TIMER_STATE,       GIVETIMER,   ACTIONTIMER, TIMER_CLAIMS,
                                               TIMER_PENG,        TIMER_FLOWERPAUSE, TIMER_ROBOT, TIMER_DICE,
                                               TIMER_FLIGHT,      TIMER_CLAIMFLIGHT, TIMER_READYDRAW};
    for (unsigned id : kPlayTimers)
        Timer(id)->SetEnabled(false);
    cansave = 0;
    discardhint = 0;
    readyrequest = 0;
    firstdiscard = 0;
    claimtaken = 0;
    hufound = 0;
    robpossible = 0;
    roboffer = 0;
    robseat = -1;
    claimcount = 0;
    ShowClaimButtons(false);
}

void CMj::ResetSeat(CMjPlayer &p)
{
    p.Reset();
    p.gridrow = 0;
    p.gridcol = 0;
}

void CMj::StartHand()
{
    StopPlay();
    curplayer = -1;
    showbanker = banker;
    gamestatus = 1;
    backdraws = 0;

    for (int seat = 0; seat < 4; seat++) {
        CMjPlayer &p = player[seat];
        ResetSeat(p);
        p.animation = 0;
        p.animtimer->interval = 4000 + 500 * seat;
        p.animtimer->SetEnabled(true);
    }
    SetSeatWinds();
    std::memset(wallstack, 2, sizeof wallstack);
    std::memset(seenmj, 0, sizeof seenmj);
    std::memset(gridflags, 0, sizeof gridflags);
    ClearTableView();
    Paint();

    Random::SeedWithTime();
    dice1 = Roll();
    dice2 = Roll();
    Shuffle();
    dicepass = 0;
    ThrowDice(banker);
}

void CMj::SetSeatWinds()
{
    for (int k = 0; k < 4; k++) {
        CMjPlayer &p = player[(banker + k) % 4];
        p.seatwind = k + 1;
        p.roundwind = roundwind;
    }
}

void CMj::ThrowDice(int thrower)
{
    draw.StartDice(thrower, dice1 - 1, dice2 - 1);
    draw.SetAnimKind(CMjDraw::AnimDice);
    draw.ShowDice(1);
    Paint();
    PlayEffect(EFFECT_DICE);
    SetGameState(STATE_DICE);
}

void CMj::Shuffle()
{
    Random::SeedWithTime();
    int rounds = Random::Next() % 20 + 17;
    rounds *= Random::Next() % 20 + 17;
    std::memcpy(wallmj, wallsrc, sizeof wallmj);
    for (int k = 0; k < rounds; k++) {
        int i = Random::Next() % MJ_TOTAL;
        int j = Random::Next() % MJ_TOTAL;
        std::swap(wallmj[i], wallmj[j]);
    }
    // Each hand starts from the order the last one left.
    std::memcpy(wallsrc, wallmj, sizeof wallsrc);

    // The hands are fixed now; the deal only counts them in.
    for (int p = 0; p < 13; p++)
        for (int seat = 0; seat < 4; seat++)
            player[seat].Mj[p] = MjFromIndex(wallmj[p * 4 + seat]);
    player[banker].Mj[13] = MjFromIndex(wallmj[kLastDealt]);
    mjindex = -1;
}

void CMj::DiceStep()
{
    Timer(TIMER_STATE)->SetEnabled(false);
    if (!draw.StepDice()) {
        Paint();
        SetGameState(STATE_DICE);
        return;
    }
    draw.SetAnimKind(CMjDraw::AnimNone);
    Paint();
    Timer(TIMER_DICE)->SetEnabled(true);
}

void CMj::DiceTimer()
{
    Timer(TIMER_DICE)->SetEnabled(false);
    if (!dicepass) {
        sideseat = (banker + dice1 + dice2 - 1) % 4;
        dicepass = 1;
        Random::SeedWithTime();
        dice1 = Roll();
        dice2 = Roll();
        ThrowDice(sideseat);
        return;
    }
    draw.ShowDice(0);
    Paint();
    changchengstart = kSideStart[sideseat] + dice1 + dice2 - 1;
    mjindex = -1;
    dealseat = banker;
    for (int k = 0; k < 4; k++) {
        mjindex++;
        DrawFromWall();
        player[banker].cardnum++;
    }
    player[banker].SortMj();
    Paint();
    SetGameState(STATE_DEAL);
}

namespace {

// The wall is a ring: any count of stacks from any start lands on one of its 72.
int WallStack(int stack)
{
    return (stack % CMj::kStacks + CMj::kStacks) % CMj::kStacks;
}

} // namespace

void CMj::DrawFromWall()
{
    int stack = WallStack(changchengstart + (mjindex - backdraws) / 2);
    if (wallstack[stack] > 0)
        wallstack[stack]--;
    laststack = stack;
}

void CMj::DrawFromWallEnd()
{
    int stack = WallStack(changchengstart - 1 - backdraws / 2);
    if (wallstack[stack] > 0)
        wallstack[stack]--;
    backdraws++;
}

void CMj::DealStep()
{
    Timer(TIMER_STATE)->SetEnabled(false);
    dealseat = NextSeat(dealseat);
    CMjPlayer &p = player[dealseat];
    int tiles = mjindex < kLastFourDealt ? 4 : (dealseat == banker ? 2 : 1);
    for (int k = 0; k < tiles; k++) {
        mjindex++;
        DrawFromWall();
        p.cardnum++;
    }
    if (p.cardnum == 14) {
        // The dealer's fourteenth tile is held apart as the tile of the first turn.
        p.cardnum = 13;
        p.drawmj = p.Mj[13];
        p.drawflag = 1;
    }
    p.SortMj();
    Paint();

    if (mjindex < kLastDealt) {
        SetGameState(STATE_DEAL);
        return;
    }
    while (ReplaceFlowers())
        Paint();
    for (CMjPlayer &seat : player) {
        seat.wildmode = wildmode;
        seat.wildmj = wildmj;
        seat.SortMj();
        seat.ChoosePlan();
    }
    Paint();
    BeginFirstTurn();
}

bool CMj::ReplaceFlowers()
{
    bool any = false;
    auto replace = [&](CMjPlayer &p, MjTile &tile) {
        if (tile.suit != SUIT_HUA)
            return;
        mjindex++;
        tile = MjFromIndex(wallmj[mjindex]);
        DrawFromWallEnd();
        p.flowernum++;
        any = true;
    };
    for (int seat = 0; seat < 4; seat++) {
        CMjPlayer &p = player[seat];
        const int flowers = p.flowernum;
        for (int i = 0; i < p.cardnum; i++)
            replace(p, p.Mj[i]);
        if (p.drawflag && p.cardnum < 14) {
            replace(p, p.drawmj);
            // The slot after the hand is where the first turn looks for the tile to win on.
            p.Mj[p.cardnum] = p.drawmj;
        }
        if (p.flowernum != flowers)
            PlayActionVoice(seat, VOICE_FLOWER);
    }
    return any;
}

void CMj::BeginFirstTurn()
{
    CMjPlayer &dealer = player[banker];
    dealer.winmj = dealer.Mj[13];
    curplayer = banker;
    claimtaken = 0;
    DrawTile(true);
}
