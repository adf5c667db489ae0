#pragma once
#include "rules/MjTile.h"
#include "table/GameMsg.h"

#include <cstdint>
#include <string>

// The server's records of table play read into plain values. A server is another program: every
// reader checks the record against the arrays its values will reach and against the record's end,
// and answers the reason to ignore it (nullptr when it may be applied), so that nothing of the table
// changes before a record has been read whole. Seats stay the server's bytes (the game maps them);
// tiles are real tiles.

constexpr int kHandTiles = 14;  // a hand with its drawn tile
constexpr int kMaxFlowers = 8;
constexpr int kMaxMelds = 4;    // a real hand's melds
constexpr int kMaxDiscards = 52;

struct DealCards {       // SC_DEAL_CARDS
    int count = 0;
    MjTile tiles[kHandTiles];
    bool wild = false;
    MjTile wildtile, indicator;
    int extra = 0;       // more tiles off the wall's front in a wild-tile game
};
struct GiveCard {        // SC_GIVE_CARD
    int seat = 0;
    MjTile tile;
    bool ready = false;
};
struct Offers {          // what SC_ACTION_PROMPT and SC_YOUR_TURN allow
    bool peng = false, gang = false, hu = false, chi = false;
};
struct Dice {            // SC_DICE
    int roundwind = 1;
    int dealer = 0;
    int first[2] = {1, 1};
    int second[2] = {1, 1};
};
enum ServerAction : uint8_t { SA_PENG = 2, SA_GANG = 3, SA_HU = 4, SA_CHI = 5 };
enum KongKind : uint8_t { KONG_ON_DISCARD = 0, KONG_CONCEALED = 1, KONG_ADDED = 2 };
struct SeatAction {      // SC_SEND_ACTION
    int seat = 0;
    uint8_t action = 0;
    MjTile tile;
    uint8_t kind = 0;    // a kong's kind, a win's (1 self-drawn)
    MjTile chow[2];      // a chow's two hand tiles
};
struct EnterTable {      // SC_ENTER_TABLE
    int ownseat = 0;
    bool showstart = false;
    uint32_t rulemode = 1;
    int minfan = 0;
    bool wild = false;
};
struct HandResult {      // SC_HAND_RESULT
    bool revealed = false; // the hands form; else the result form
    int32_t change[4] = {};
    int count[4] = {};
    MjTile tiles[4][kHandTiles];
    bool drawn = false;
    int winner = 0;
    int32_t points = 0;
    uint8_t fans[90] = {};
    uint8_t extras[20] = {};
};
struct TableChat {       // SC_TABLE_CHAT
    int sender = 0;      // a server seat, 100 for the system
    std::string text;
};
struct Meld {
    int count = 0;
    uint8_t kind = 0;
    MjTile tiles[4];
};
// SC_GAME_RESTORE's first record. Nothing in it is refused: counts are clamped to the arrays and a
// list stops at the first byte that cannot belong to it (a tile that is no tile, the record's end).
struct RestoreHand {
    uint32_t rulemode = 1;
    int count = 0;
    MjTile tiles[kHandTiles];
    int counts[4] = {};
    int dice[2] = {1, 1};
    int dealer = 0;
    int mjindex = -1;
    int current = 0;
    bool haslast = false;
    MjTile last;
    int lastseat = 0;
    bool waiting = false;
    int ownseat = 0;
    int minfan = 0;
    int roundwind = 1;
    int flowers[4] = {}; // at most eight in all
    bool ready[4] = {};
    int meldcount[4] = {};
    Meld melds[4][kMaxMelds];
};
// Its second record: each server seat's discards, as many as fit the record.
struct RestoreDiscards {
    int count[4] = {};
    MjTile tiles[4][kMaxDiscards];
};
struct SeatInfo {        // one seat of SC_TABLE_USERINFO
    uint8_t state = 0;   // 0 empty, 1 seated, 2 seated and ready
    int32_t score = 0;
    std::string name;
    bool male = false;
    int picture = 0;     // as sent; 1-12 are pictures
};
// One announced picture, as the game object keeps it.
struct GetAvatar {
    int32_t id = 0;
    std::string name;    // 20 bytes at most
    std::string md5;     // 32 bytes at most: upper-case hexadecimal digits
    std::string address; // 60 bytes at most, without its scheme
};
namespace AvatarInfoLayout {
inline constexpr MsgField kind{1, 1}, sex{2, 1}, id{4, 4}, name{8, 20}, md5{28, 32}, address{61, 60};
inline constexpr MsgField all[] = {kind, sex, id, name, md5, address};
} // namespace AvatarInfoLayout
static_assert(FieldsLayOut(AvatarInfoLayout::all));
struct AvatarInfo {      // SC_AVATAR_INFO
    bool isdefault = false; // the default picture of a sex; else a user's own
    bool male = false;
    GetAvatar avatar;
};
struct FlowerCard {      // SC_FLOWER_CARD
    bool inplay = false; // one replacement during play; else the replacements after the deal
    int seat = 0;
    int count = 0;
    MjTile tiles[kMaxFlowers];
};

const char *ReadDealCards(const GameMsg &m, DealCards *out);
const char *ReadDrawCard(const GameMsg &m, MjTile *out);
const char *ReadGiveCard(const GameMsg &m, GiveCard *out);
// The four offers from byte `first` on: pung, kong, win, chow.
Offers ReadOffers(const GameMsg &m, int first);
const char *ReadDice(const GameMsg &m, Dice *out);
const char *ReadSeatAction(const GameMsg &m, SeatAction *out);
EnterTable ReadEnterTable(const GameMsg &m);
const char *ReadHandResult(const GameMsg &m, HandResult *out);
TableChat ReadTableChat(const GameMsg &m);
RestoreHand ReadRestoreHand(const GameMsg &m);
RestoreDiscards ReadRestoreDiscards(const GameMsg &m);
void ReadSeatInfo(const GameMsg &m, SeatInfo (&seats)[4]);
const char *ReadFlowerCard(const GameMsg &m, FlowerCard *out);
AvatarInfo ReadAvatarInfo(const GameMsg &m);
