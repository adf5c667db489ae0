#pragma once
#include "platform/CMjTimer.h"
#include "platform/Profile.h"
#include "rules/CGbHu.h"
#include "rules/CMjAi.h"
#include "rules/CMjPlayer.h"
#include "rules/GetMj.h"
#include "rules/MjTile.h"
#include "screen/CMjDraw.h"
#include "table/ClientRecords.h"
#include "table/GameMsg.h"
#include "table/KnownAvatars.h"
#include "table/AvatarQueue.h"
#include "table/NetLink.h"
#include "table/RecordQueue.h"
#include "table/RoomTree.h"
#include "table/SavedGame.h"
#include "table/ServerInfo.h"
#include "table/TalkGate.h"
#include "table/ServerRecords.h"
#include "table/UserList.h"
#include "windows/CBitForm.h"
#include "windows/CDxLinkLabel.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
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
    TIMER_RECORDS = 108,   // the next step of a server record's animation
    TIMER_AVATAR = 10,   // + seat
    TIMER_SPEECH = 14,   // + seat
    TIMER_ACTIONICON = 18, // + seat
};

// What timer 1 does on its tick.
enum GameState : uint8_t { STATE_DEAL = 0, STATE_DISCARD = 3, STATE_DICE = 4 };

// One claim on a discard (or the local player's choice on its own draw).
enum ClaimKind : uint8_t { CLAIM_HU = 2, CLAIM_GANG = 3, CLAIM_PENG = 4, CLAIM_CHI = 5 };
struct Claim {
    uint8_t seat;
    uint8_t kind;
    uint8_t accepted;
    uint8_t declined;
};

// What the local player may do now: the claim buttons' states.
struct ClaimChoices {
    uint8_t peng = 0, gang = 0, hu = 0, pass = 0, chi = 0, ting = 0;
    uint8_t shown = 0;
};

// The table's buttons by index; only these are ever shown.
enum TableButton {
    BTN_PENG = 0, BTN_GANG = 1, BTN_HU = 2, BTN_PASS = 3, BTN_NEWGAME = 6, BTN_CHI = 12,
    BTN_START = 15, BTN_MENU = 16, BTN_SEND = 17, BTN_CHATUP = 18, BTN_CHATDOWN = 19, BTN_INVITE = 20,
    BTN_PHRASES = 21, BTN_TING = 22,
    BTN_OPTIONS = 27, BTN_BACK = 28, BTN_RULES = 29, BTN_RESUME = 30, // the game menu
};

// Sounds of play, numbered as the sound player's rows.
enum ActionVoice { VOICE_PENG = 34, VOICE_GANG = 35, VOICE_HU = 36, VOICE_ZIMO = 37, VOICE_FLOWER = 38,
                   VOICE_CHI = 39, VOICE_TING = 40 };
enum Effect { EFFECT_DICE = 0, EFFECT_DISCARD = 1, EFFECT_PROMPT = 3, EFFECT_WIN = 8, EFFECT_PAY = 9 };

class CDxEdit;
class CDxGameChatWnd;
class CNetRoom;
class InviteLinks;
class Shell;
class THttpGetThread;

// What the mouse did, as the main window hands it on.
enum class MouseAction { Down, Move, Up };

constexpr int MAX_LINKLABELS = 10;
constexpr int FANNAME_COUNT = 90;

// The one game object: four seats, the wall, the timers and every operation of play.
class CMj : public RecordSink {
public:
    CMj();
    ~CMj() override;
    CMj(const CMj &) = delete;
    CMj &operator=(const CMj &) = delete;

    void LoadSetting(const std::string &path);
    // The options, the seats' names and every screen's settings into the settings file in one whole
    // write, which a kill cannot leave half done. Runs as the game object ends; call it wherever they
    // must be on disk now.
    void SaveSetting(const std::string &path = "SET.ini");
    // Writes the changes of a settings file. A file that cannot be written is traced, and the player
    // is told which, once in the game object's life.
    void CommitSettings(const Profile::Edit &edit);

    // The whole screen again: every change of the game ends here. While a run of the server's records
    // is handled, the screen is made once, at the run's end.
    void Paint();
    // The whole screen now, even inside a run: each frame of an animation is seen.
    void PaintFrame();
    void BeginRecords() override;
    void EndRecords() override;
    // The game screen is shown for the first time.
    void OnShow();
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
    CMjDraw draw;

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
    // The chat input and the table's two chat windows: 0 the table's chat and system lines, 1 the
    // ready-made lines of "Chat.txt" that the player clicks to send.
    std::unique_ptr<CDxEdit> chatedit;
    std::unique_ptr<CDxGameChatWnd> chatwnd[2];
    CDxLinkLabel linklabels[MAX_LINKLABELS];
    int linklabelcount = 0;
    int linkpair = 0;
    uint8_t yuyin = 0;
    int robotpace = 200;
    uint8_t ShowTips = 1;
    uint8_t unwrittentold = 0; // the player knows that a settings file could not be written
    int scoremultiplier = 1;
    GetMj chichoice[3];
    uint8_t netgame = 0;
    int ownseat = 0; // the own server seat, 0-3

    // What the renderer shows when these are set; no play of this game sets them.
    uint8_t handmode = 0;      // 2: the hand's tiles are chosen by tileok2
    uint8_t handtimeron = 0;   // the hand animation over the local hand, at frame handframe
    int handframe = 0;
    uint8_t markertimeron = 0; // the marker over seat markerseat, at frame markerframe
    int markerframe = 0;
    int markerseat = 0;
    uint8_t secondhint = 0;
    MjTile covertile;          // shown for the third tile of a meld whose meldshown is 1
    // The sparkles over the pictures of seated users with rights: frame 0-3, stepped by timer 6
    // while such a user sits at the table, else -1.
    int sparkleframe = -1;

    // The deal: a new local game, the start of a hand, the dice, the wall and the first tiles.
    void SetPlayerName(const char *name);
    void NewLocalGame();
    void StartHand();
    // Stops every timer of play and clears the turn's flags and the claim prompt: a new game, a
    // new hand and a loaded game start from a quiet table.
    void StopPlay();
    void Shuffle();
    void DiceStep();
    void DiceTimer();
    // The dice rolling from a seat; timer 1 steps them.
    void ThrowDice(int thrower);
    void DrawFromWall();
    void DrawFromWallEnd();
    void DealStep();
    bool ReplaceFlowers();
    void BeginFirstTurn();
    static int NextSeat(int seat) { return seat == 3 ? 0 : seat + 1; }
    // The first stack of the side of the wall in front of each seat.
    static constexpr int kSideStart[4] = {0, 54, 36, 18};
    static constexpr int kStacks = 72;

    int sideseat = 0;        // the seat whose side of the wall is opened
    int showbanker = 0;      // the dealer of the hand on show, saved with a game
    uint8_t claimtaken = 0;  // the current seat took a claimed tile and discards without drawing
    uint8_t discardhint = 0;
    uint8_t readyrequest = 0;

    // The turn cycle: draws, discards, the claims round, claims and kongs.
    void DrawTile(bool first);
    void PlayTurn();
    void ClaimsRound();
    void DiscardLands();
    void PlayHighlighted();
    void Peng(int seat);
    void DoPeng();
    void Chi(int seat);
    void Gang(int seat);
    void GangTile(MjTile tile, int seat);
    void Pass(int seat);
    // The chow and kong choices end, every tile of the hand is selectable again and the claim
    // buttons hide.
    void CancelChoices();
    void AnswerClaim(uint8_t kind);
    int NextPlayer();
    int GetCurrentPlayer() const { return curplayer; }
    void ShowClaimButtons(bool show);
    // The picture buttons of the prompt as `buttons` says: shown with it, usable when offered.
    void SyncClaimButtons();

    CGbHu gbhu;
    CMjAi ai;
    MjTile lastdiscard;
    MjTile lastdrawn;
    Claim claimlist[16] = {};
    int claimcount = 0;
    ClaimChoices buttons;
    // The table's 36 buttons: the claim prompt, the menu and its four entries, the chat buttons.
    CBitButtonArray tablebuttons;
    uint8_t hufound = 0;     // a win on the discard was found
    uint8_t robpossible = 0; // the kong being added can be robbed
    uint8_t roboffer = 0;    // the local player is offered to rob it
    int robseat = -1;
    MjTile robtile;
    int pengseat = 0;

    // The end of a hand, payment and the next hand.
    void Hu(int seat);
    void PayScore(int winner, int fan, bool selfdrawn, int payer);
    void EndHand();
    void NextHand();
    // Gives the rules engine's copies the game's minimum and wild tile.
    void SyncRules();

    // Sounds, flights and messages of play; the sound player and the renderer take them over.
    void PlayEffect(int effect);
    void PlayActionVoice(int seat, int voice);
    void PlayMjVoice(int seat, MjTile tile);
    // Steps the flight the renderer has started, one frame at a time, until it arrives.
    void Fly(uint8_t kind, int speed);
    // The message screen shows the text over whatever is up.
    void ShowMessage(const std::string &text);

    // The message screen and then the invitation take the mouse before the screen on top and the
    // table: true when one of them is up and took it, and nothing else may see it.
    bool OverlayMouse(MouseAction action, int x, int y);
    bool IsNetGame() const { return netgame != 0; }
    // An online game whose connection stands: only then do records go out.
    bool OnlineConnected() const;

    // Input from the main window in frame coordinates, each to the one thing that should see it: an
    // overlay, else the screen on top, else the table (its buttons, chat windows and the local hand).
    void OnMouseDown(int x, int y, bool right);
    void OnMouseMove(int x, int y);
    void OnMouseUp(int x, int y);
    // A typed byte, and a key's code as it goes down and up.
    void OnKeyPress(uint8_t ch);
    void OnKeyDown(int key);
    void OnKeyUp(int key);
    // The edit box typed text goes to now, or null.
    CDxEdit *FocusedEdit();
    // What a released table button does.
    void TableButtonClicked(int index);
    // The local player's raised tile has changed: in a choice mode it names the chow or the kong.
    void HandHovered();
    // A press on the table that no button or window took: the chow or kong pointed at is made, or
    // the raised tile discarded.
    void HandPressed();
    // The shown link label at a point of the table while no screen, overlay or menu is over it, or -1.
    int LinkLabelAt(int x, int y);
    // The label under the pointer is underlined and the pointer becomes a hand: true when that changed.
    bool HoverLinkLabels(int x, int y);
    // The tile under the pointer where the mouse last was rises, as the turn comes to the player.
    void RefreshHover();
    void ShowGameMenu(bool show);
    bool GameMenuShown() const;
    // Online, a right press on a seated player's picture opens the user menu for that player: true
    // when the press hit one.
    bool UserMenuAt(int x, int y);
    // The chat input goes out as a table chat line, unless the talk gate is shut.
    void SendChatInput();
    // A table chat line goes out unless the talk gate is shut, when the chat window says why
    // instead; true when it went.
    bool SendChat(std::string_view text, ChatOrigin origin);
    // Only while the sound is on.
    void PlayWave(const std::string &path);
    // The ready-made lines' window grows upwards, or back.
    void EnlargeChat(bool large);

    // Where the pointer was last seen over the table.
    int mousex = -1;
    int mousey = -1;
    uint8_t chatenlarged = 0;
    TalkGate talkgate;
    // Leaves the table: a local game is saved to savefile and the saved-game slots come up; when
    // the game cannot be saved now, the table stays. Online the server is told, after the player
    // agrees when a hand runs.
    void LeaveTable();
    // Where a local game is kept when the player leaves the table: the slot it was started in or
    // loaded from, or the file it was opened from; empty while no game has either.
    std::string savefile;

    // Saved games. Saving is allowed between hands, and in a hand while the local player is about to
    // discard with no prompt up; a refusal or a failure shows a message and returns false, and the
    // file saved before stays as it was. Loading a missing file returns false and says nothing; a
    // damaged one (a seat marked as won whose hand does not win included), or any file while an
    // online game runs, is refused with a box and changes nothing. A game saved after a claim resumes
    // with the local player discarding without a draw.
    bool SaveAllowed() const;
    bool SaveGame(const std::string &path);
    bool LoadGame(const std::string &path);
    // The table as a saved game holds it, and the table set from one that SavedGame::Parse accepted:
    // play is stopped first, and the turn is not restarted.
    SavedGame Snapshot() const;
    void Restore(const SavedGame &game);
    // The lobby, the server and the main window's invitation list, once the main window has them.
    InviteLinks *invitelinks = nullptr;

    // The online game: the connection, the records the game object builds itself in its one send
    // buffer, and what the server sends.
    NetLink *netlink = nullptr; // set by the main window; not owned
    Shell *shell = nullptr;     // the main window itself
    // Every record builder zeroes it first, so nothing of one record survives into the next.
    GameMsg sendbuf;
    void SendBuffer();
    // Every record of the server, one at a time; each is checked whole before it changes anything.
    // One that animates holds the records after it until its animation has played (RecordQueue).
    void OnGameMsg(const GameMsg &msg) override;
    bool Holding() const override { return records.Holding(); }
    // The connection has ended, whichever way: the records it sent before are handled first, without
    // their animations' pauses. A second call finds nothing left to do.
    void OnDisconnect() override;
    // Online play begins: called once for each login.
    void NetStart();
    int ServerSeatToLocal(int seat) const { return ((seat - ownseat) % 4 + 4) % 4; }
    // The local discard of the highlighted tile, sent to the server.
    void NetGiveCard();
    // The answer to a claim prompt or an own-turn offer: an ActionAnswer.
    void SendAction(uint8_t action);

    // The lobby: its screen, the room's users and the server's rooms as the server's records give
    // them, and the own user as the server lists it.
    std::unique_ptr<CNetRoom> lobby;
    UserList userlist;
    RoomTree roomtree;
    UserInfo myinfo{};
    int32_t myuserid = 0;
    int32_t myright = 0;
    std::string myaccount; // the account logged in with, 20 bytes at most

    uint32_t rulemode = 1;     // 4: the deal takes one more tile and marks the first flower
    uint8_t discardflying = 0; // the latest discard still lies in front of flyingseat
    int flyingseat = 0;
    int showncountdown = 0;    // timer 100 counts it down, apart from the countdown of timers 3 and 4
    static constexpr int kTurnSeconds = 20;
    int flowerseat = 0;        // the flower animation, while timer 101's flag is set
    int flowerframe = 0;

    // Users' pictures. The server announces each user's picture with its digest; the own one is
    // fetched at once, another user's when something first shows it (CheckAvatar), and the two
    // default pictures whenever the server has other ones. Both lists last one connection.
    void OnAvatarInfo(const GameMsg &msg);
    // True when the user's picture file holds the announced picture; otherwise it is queued, once
    // per connection (a request that found the queue full is not repeated), and false.
    bool QueueAvatar(const GetAvatar &rec);
    // True when a picture was announced for the user and its file is current (it is queued on the
    // way when not); false for a user with none announced.
    bool CheckAvatar(int32_t id);
    // The user's own picture to show: its file when announced, current and a readable GIF (it is
    // queued on the way when not current); empty when a default picture must do.
    std::string AvatarFile(int32_t id);
    // Where a user's picture is kept: "Avatar\<id>.gif" in the program folder.
    static std::string AvatarPath(int32_t id);
    KnownAvatars knownavatars;
    std::unordered_set<std::string> requestedavatars; // names handed to the queue since the login
    AvatarQueue avatarqueue;
    // Off: pictures are queued but never fetched; for tests whose hostile records name any address and
    // that have no web server to fetch from.
    uint8_t fetchavatars = 1;

private:
    RecordQueue records{TIMER_RECORDS, [this](const GameMsg &msg) { HandleRecord(msg); }, [this] {
                            if (netlink)
                                netlink->ResumeRecords();
                        }};
    int recordruns = 0;      // runs of the server's records under way (a box inside one may start another)
    bool paintowed = false;  // a change inside the run waits for its end to be shown

    void CreateScreens();
    void DeleteScreens();
    // A screen (or the table) comes up with none of its buttons lit: the pointer left the one it lit
    // for another screen, which took the moves since.
    void ClearHover(int8_t screen);
    void ReadServerList();
    void ResetSeat(CMjPlayer &p);
    // The renderer's discard grid empty with every seat's cursor at its start, and hands face down.
    void ClearTableView();
    void ReadChatLines();
    void CountdownTick(unsigned timerId);
    void AvatarTick(int seat);
    void RotateLinkLabels();
    // The sparkles' next frame, or none when no seated user has rights.
    void StepSparkles();

    // The stacks of the wall as play left them, from the index and the flowers drawn from the back.
    void RebuildWall();
    // A restored table plays on: the local player's turn, or the next hand.
    void ResumePlay();

    // Timer 104: the drawn tile's flight from the wall; on arrival the seat takes the tile.
    void DrawFlightStep();
    void TakeDrawnTile();
    // The local player's drawn flower, on show until its replacement arrives: no tile of the turn yet.
    bool FlowerOnShow() const;
    void TurnStep();
    // The one place a seat's tiles are tested for a win: the context of the win (self-drawn, on
    // its own kong's replacement, robbing a kong) is set for the evaluator and cleared again.
    bool TestWin(CMjPlayer &p, const MjTile *tiles, int n, MjTile win, bool selfdrawn, bool robbing);
    void LocalDecision();
    void LocalDiscard();
    bool RobotSelfDecision(CMjPlayer &p);
    void ScanClaims(int discarder);
    void AddClaim(int seat, uint8_t kind, bool accepted);
    bool HasClaimOf(int seat) const;
    void OfferClaimsToLocal();
    bool WinsWith(int seat, MjTile tile, bool robbing);
    bool CanDeclareReady(CMjPlayer &p, bool withDrawn);
    // The tiles and the seat's melds make a hand of fourteen, the only hands the evaluator reads.
    static bool HoldsAWholeHand(const CMjPlayer &p, int tiles);
    void AfterClaim(int seat);
    // Seat 0 has taken a claimed tile, or a game saved at that moment is loaded: its last tile stands
    // apart so that the hand shows fourteen, the ready button is offered when a discard would leave it
    // ready, and it discards without drawing.
    void ClaimedTurn();
    // With animation on, the discard flies from the discarder to the seat that takes it.
    void FlyClaimedTile(int seat);
    // A new meld of the seat, empty; null when the seat has no room for one.
    GetMj *NewMeld(CMjPlayer &p, uint8_t kind, int count, uint8_t exposed);
    void AddMeld(CMjPlayer &p, MjTile tile, uint8_t kind, uint8_t exposed);
    void AddChow(CMjPlayer &p, MjTile claimed, MjTile a, MjTile b);
    // The seat's pung of the tile becomes a kong.
    void UpgradePung(CMjPlayer &p, MjTile tile);
    void CompleteKong(int seat);
    bool TryRob(int kongseat, MjTile tile);
    bool CanRob(int seat, MjTile tile);
    void MakeAddedKong(int seat, MjTile tile);
    void ShowActionIcon(int seat, uint8_t icon);
    // The kong the seat makes on its own turn: the one the local player pointed at, else the first
    // it can make; false when it can make none.
    bool ChosenKong(CMjPlayer &p, MjTile *tile);
    // Kong and chow buttons: made at once when there is one way, else the player points at it.
    void KongButton();
    void ChowButton();
    void ClaimButtonClicked(int index);
    void RightPress();
    void HoverHandAt(int x, int y);
    // A screen is up: it alone takes the input, or nothing does when its id has no screen. False
    // when the table is up.
    template <typename Call> bool ToScreen(Call call);
    void MoveScore(int from, int to, int64_t amount);
    // Every seat's winds from the dealer on.
    void SetSeatWinds();

    // The server's records of table play.
    void HandleRecord(const GameMsg &msg);
    void IgnoreRecord(const GameMsg &msg, const char *why);
    void OnDealCards(const GameMsg &msg);
    void OnDrawCard(const GameMsg &msg);
    void OnGiveCard(const GameMsg &msg);
    void OnActionPrompt(const GameMsg &msg);
    void OnDice(const GameMsg &msg);
    void OnYourTurn(const GameMsg &msg);
    void OnOtherDraw(const GameMsg &msg);
    void OnSendAction(const GameMsg &msg);
    void OnSeatWins(const SeatAction &a, int seat);
    void OnEnterTable(const GameMsg &msg);
    void OnHandResult(const GameMsg &msg);
    void OnTableChat(const GameMsg &msg);
    void OnGameRestore(const GameMsg &msg);
    void RestoreDiscardRows(const GameMsg &msg);
    void OnTableUserInfo(const GameMsg &msg);
    void OnUserStart(const GameMsg &msg);
    void OnFlowerCard(const GameMsg &msg);
    void SendKeepAlive();

    // The server's records of the lobby and the service.
    void OnLobbyText(const GameMsg &msg);
    void OnTableInfo(const GameMsg &msg);
    void OnLoginSuccess(const GameMsg &msg);
    void OnSitDownFail(const GameMsg &msg);
    void OnUserInfo(const GameMsg &msg);
    void OnInvite(const GameMsg &msg);
    void OnRoomItem(const GameMsg &msg);
    void OnServerItem(const GameMsg &msg);
    void OnServerUsers(const GameMsg &msg);
    void OnRoomUsers(const GameMsg &msg);
    void OnEnterRoom(const GameMsg &msg);
    void OnRoomListEnd(const GameMsg &msg);
    void OnBuyResult(const GameMsg &msg);
    void OnLoginFail(const GameMsg &msg);
    void OnRoomChat(const GameMsg &msg);
    void OnLinkMessage(const GameMsg &msg);
    // The status picture of every listed user seated at the table, by the seat's state.
    void ShowSeatStatus(const TableInfo &table);
    void ShowInfo(const char *text);
    // The claim buttons for what the server offers; pass is always among them.
    void OfferButtons(const Offers &offers);
    void RestartShownCountdown();
    // The steps of the dice thrown from the seat the member names once they are thrown: they roll
    // until they rest, and lie shown a while.
    void AddDiceThrow(std::vector<RecordQueue::Step> &steps, int CMj::*thrower, int face1, int face2);
    // A frame of a record's animation, unless the animation is hurried to its end.
    void AnimationFrame();
    void ChatLine(const std::string &text, uint32_t color);

    // Where a record changes the table, the arrays' bounds hold whatever order records come in.
    void TakeFromFront();
    void TakeFromBack();
    void AddHandTiles(int seat, int delta); // another seat's count, kept within a hand
    void AddFlowers(int seat, int n);
    void JoinDrawn(CMjPlayer &p);   // the drawn tile joins the hand
    void LastToDrawn(CMjPlayer &p); // the hand's last tile stands apart as the drawn one
    void MoveDiscardOn();           // the discard in flight into its seat's rows
    void TakeFlyingDiscard();       // a claim or a win takes the discard in flight

    // The last seat record and an early second restore record, applied again when a later record
    // would have put them on the wrong seats or wiped them.
    std::optional<GameMsg> seatinfo;
    std::optional<GameMsg> restorediscards;

    // The download thread starts with the first online game of the run and serves it to the end;
    // the destructor stops it before anything else goes.
    void StartAvatarThread();
    std::unique_ptr<THttpGetThread> avatarthread;

    CMjTimer *timers[17] = {};
};

// Game-wide rule settings read by the rules engine's copies and the renderer.
extern int minfan;
extern uint8_t wildmode;
extern MjTile wildmj;
extern bool showhelp;
extern ServerInfo serverlist[MAX_SERVERS];
extern int servercount;
extern int serverindex;
extern std::string FanNames[FANNAME_COUNT];
