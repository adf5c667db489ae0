#pragma once
#include "platform/CMjTimer.h"
#include "rules/CMjPlayer.h"
#include "rules/GetMj.h"
#include "rules/MjTile.h"
#include "table/ServerInfo.h"

#include <cstdint>
#include <string>
#include <vector>

// Timer ids: the main window routes every tick to CMj::OnTimer by these numbers.
enum MjTimerId : unsigned {
    TIMER_STATE = 1,     // by gamestate: deal step, discard landing, dice animation
    TIMER_SHOWALL = 2,   // ends the show-all view
    GIVETIMER = 3,       // discard countdown of the local player
    ACTIONTIMER = 4,     // claim countdown of the local player
    TIMER_BLINK = 5,
    TIMER_CARET = 6,
    TIMER_KEEPALIVE = 7,
    TIMER_CLAIMS = 8,    // one step of the claims round
    TIMER_PENG = 9,      // a pending pung
    TIMER_COUNTDOWN = 100,
    TIMER_FLOWERPAUSE = 101,
    TIMER_ROBOT = 102,
    TIMER_DICE = 103,
    TIMER_FLIGHT = 104,
    TIMER_CLAIMFLIGHT = 105,
    TIMER_LINKS = 106,
    TIMER_READYDRAW = 107,
    TIMER_AVATAR = 10,   // + seat
    TIMER_SPEECH = 14,   // + seat
    TIMER_ACTIONICON = 18, // + seat
};

// What timer 1 does on its tick.
enum GameState : uint8_t { STATE_DEAL = 0, STATE_DISCARD = 3, STATE_DICE = 4 };

// A link label's place in the rotation of timer 106.
struct LinkLabelSlot {
    int x = 0, y = 0;
    std::string caption;
    std::string url;
    bool visible = false;
};

constexpr int MAX_LINKLABELS = 10;
constexpr int FANNAME_COUNT = 90;

// The one game object: four seats, the wall, the timers and every operation of play.
class CMj {
public:
    CMj();
    ~CMj();
    CMj(const CMj &) = delete;
    CMj &operator=(const CMj &) = delete;

    void LoadSetting(const std::string &path);
    void SaveSetting(const std::string &path);

    void Paint();
    CMjPlayer *GetPlayer(int seat) { return &player[seat]; }
    int GetCountdown() const;

    void SetSoundOn(bool on) { soundon = on; }
    bool IsSoundOn() const { return soundon; }
    void SetAnimateOn(bool on) { animateon = on; }
    bool IsAnimateOn() const { return animateon; }
    bool IsMusicOn() const { return musicon; }
    // No background music is played; the option is only kept.
    void SetMusicOn(bool) {}
    void PlayMidi() {}
    void StopMidi() {}

    void ResetTable();

    void SetGameState(uint8_t state);
    void OnTimer(unsigned id);
    CMjTimer *Timer(unsigned id);

    // Seats: 0 is always the local player.
    CMjPlayer player[4];

    // The wall: tile indexes in dealing order, the source of the next shuffle, tiles per stack.
    uint8_t wallmj[MJ_TOTAL];
    uint8_t wallsrc[MJ_TOTAL];
    uint8_t wallstack[72];
    int laststack = 0;

    int curplayer = 0;
    int banker = 0;
    int mjindex = -1;
    int changchengstart = 0;
    int dice1 = 1, dice2 = 1;
    int dealseat = 0;
    int backdraws = 0;

    uint8_t cansave = 0;
    uint8_t soundon = 1;
    uint8_t animateon = 1;
    uint8_t musicon = 0;
    uint8_t brood = 0;
    uint8_t rain = 0;
    uint8_t firstdiscard = 0;
    uint8_t claimbuttonsup = 0;

    int seenmj[5][10] = {};
    uint8_t gamestate = 0;
    int countdown = 0;
    uint8_t ddrawready = 0;
    int roundwind = 1;
    uint8_t dicepass = 0;     // the dice timer's two flags
    uint8_t dicethrown = 0;
    int flowerpauseticks = 0; // timer 101
    int readydrawticks = 0;   // timer 107

    int wildrule = 2; // 2: the wild tile follows the indicator, 3: it precedes it
    MjTile wildindicator;
    uint8_t gridflags[400] = {};

    uint8_t gamestatus = 0; // 0 before the first hand, 1 in a hand, 2 the hand has ended
    uint8_t blink = 0;
    std::vector<std::string> chatlines; // the lines of "Chat.txt", shown in the chat window
    LinkLabelSlot linklabels[MAX_LINKLABELS];
    int linklabelcount = 0;
    int linkpair = 0;
    uint8_t yuyin = 0;
    int robotpace = 200;
    uint8_t ShowTips = 1;
    int scoremultiplier = 1;
    GetMj chichoice[3];
    uint8_t netgame = 0;
    int ownseat = 0;

    // The deal: a new local game, the start of a hand, the dice, the wall and the first tiles.
    void SetPlayerName(const char *name);
    void NewLocalGame();
    void StartHand();
    void Shuffle();
    void DiceStep();
    void DiceTimer();
    void DrawFromWall();
    void DrawFromWallEnd();
    void DealStep();
    bool ReplaceFlowers();
    void BeginFirstTurn();
    static int NextSeat(int seat) { return seat == 3 ? 0 : seat + 1; }

    int sideseat = 0;        // the seat whose side of the wall is opened
    int showbanker = 0;      // the dealer of the hand on show, saved with a game
    uint8_t claimtaken = 0;  // the current seat took a claimed tile and discards without drawing
    uint8_t discardhint = 0;
    uint8_t readyrequest = 0;

private:
    void ReadServerList();
    void ReadChatLines();
    void CountdownTick(unsigned timerId);
    void AvatarTick(int seat);
    void RotateLinkLabels();

    CMjTimer *timers[17] = {};
};

// Game-wide rule settings read by the rules engine's copies and the renderer.
extern int minfan;
extern uint8_t wildmode;
extern MjTile wildmj;
extern uint8_t curscreen;
extern bool fullscreen;
extern bool showhelp;
extern ServerInfo serverlist[MAX_SERVERS];
extern int servercount;
extern int serverindex;
extern std::string FanNames[FANNAME_COUNT];
