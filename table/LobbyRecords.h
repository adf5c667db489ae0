#pragma once
#include "table/ClientRecords.h"
#include "table/GameMsg.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The server's records of the lobby and the service, and the three records they fill. Like the
// readers of table play, each reader checks a record whole and answers the reason to ignore it
// (nullptr when it may be applied), so nothing changes before a record has been read. Every text is
// bounded by its field: a field the server fills to its end has no terminator.

constexpr int kTableCount = 100; // tables of a room

// One table of the room, as SC_TABLE_INFO carries it from its byte 4.
struct TableInfo {
    char name[4][USERNAME_BYTES]; // per seat; unterminated when it fills its 20 bytes
    uint8_t face[4];          // picture number - 1 (0-11), set by the client from the user list
    uint8_t state[4];         // 0 empty, else taken (2 is drawn grey)
    uint8_t ready[4];
    uint8_t playing;
};
static_assert(sizeof(TableInfo) == 93 && offsetof(TableInfo, face) == 80 && offsetof(TableInfo, state) == 84 &&
              offsetof(TableInfo, ready) == 88 && offsetof(TableInfo, playing) == 92);

// One user of the room's user list.
struct UserInfo {
    char name[USERNAME_BYTES]; // unterminated when it fills its 20 bytes
    int32_t userid;
    uint8_t sex; // 1 male
    int32_t score;
    int32_t games;
    int32_t wins;
    int32_t counter1; // two counters the server keeps; stored, never shown
    int32_t counter2;
    int32_t escapes;
    uint8_t attable;
    uint8_t table; // counted from 1: the table's index + 1
    uint8_t seat;
    int8_t rights; // above 0 marks the user; 1 and 2 may kick and mute
    int32_t face;  // picture number 1-12
    uint8_t reserved[12];
};
static_assert(sizeof(UserInfo) == 72 && offsetof(UserInfo, userid) == 20 && offsetof(UserInfo, sex) == 24 &&
              offsetof(UserInfo, score) == 28 && offsetof(UserInfo, escapes) == 48 &&
              offsetof(UserInfo, attable) == 52 && offsetof(UserInfo, table) == 53 && offsetof(UserInfo, seat) == 54 &&
              offsetof(UserInfo, rights) == 55 && offsetof(UserInfo, face) == 56);

// One node of the room tree: the server at the top, its rooms below.
struct RoomInfo {
    char name[50];
    int32_t users;
    int32_t room; // 0 for the server's node
};
static_assert(sizeof(RoomInfo) == 60 && offsetof(RoomInfo, users) == 52 && offsetof(RoomInfo, room) == 56);

// A name field as a string: up to its first zero, never past its width.
std::string BoundedName(const char *field, size_t width = USERNAME_BYTES);
// The same name, 20 bytes at most, compared with a name field.
bool NameIs(const char (&field)[USERNAME_BYTES], std::string_view name);
// Copies a name into a field, cut between characters and zero-padded.
void PutName(char (&field)[USERNAME_BYTES], std::string_view name);

// Wins per game in whole percent, then "%"; "0%" below one game. In 64 bits: a server's counts can
// be anything an int holds.
std::string WinRate(int32_t wins, int32_t games);
int64_t WinPercent(int32_t wins, int32_t games);

// Where each server record of the lobby keeps its fields; each layout is checked at compile time.
namespace ScTextLayout { // SC_MESSAGEBOX, SC_SITDOWN_FAIL, SC_LOGIN_FAIL
inline constexpr MsgField text{1, 128};
inline constexpr MsgField all[] = {text};
} // namespace ScTextLayout
namespace ScTableInfoLayout {
inline constexpr MsgField quiet{2, 1}, table{3, 1}, info{4, 93};
inline constexpr MsgField all[] = {quiet, table, info};
} // namespace ScTableInfoLayout
namespace ScLoginSuccessLayout {
inline constexpr MsgField bycard{3, 1}, haswelcome{5, 1}, welcome{6, 100};
inline constexpr MsgField all[] = {bycard, haswelcome, welcome};
} // namespace ScLoginSuccessLayout
namespace ScUserInfoLayout {
inline constexpr MsgField op{2, 1}, name{3, 20}, score{23, 4}, sex{27, 1}, games{28, 4}, wins{32, 4},
    counter1{36, 4}, escapes{40, 4}, counter2{44, 4}, rights{51, 1}, userid{52, 4}, face{66, 1}, attable{101, 1},
    table{102, 1}, seat{103, 1};
inline constexpr MsgField all[] = {op,      name,    score,  sex,    games, wins,    counter1, escapes,
                                   counter2, rights, userid, face, attable, table,  seat};
} // namespace ScUserInfoLayout
namespace ScInviteLayout {
inline constexpr MsgField table{1, 1}, name{3, USERNAME_BYTES};
inline constexpr MsgField all[] = {table, name};
} // namespace ScInviteLayout
namespace ScRoomItemLayout {
inline constexpr MsgField room{1, 1}, name{3, 50};
inline constexpr MsgField all[] = {room, name};
} // namespace ScRoomItemLayout
namespace ScServerItemLayout {
inline constexpr MsgField rooms{2, 1}, name{3, 50};
inline constexpr MsgField all[] = {rooms, name};
} // namespace ScServerItemLayout
namespace ScUsersLayout { // SC_SERVER_USERS, SC_ROOM_USERS
inline constexpr MsgField room{1, 1}, users{3, 4};
inline constexpr MsgField all[] = {room, users};
} // namespace ScUsersLayout
namespace ScEnterRoomLayout {
inline constexpr MsgField begin{1, 1}, entered{3, 1}, room{4, 1}, text{6, 120};
inline constexpr MsgField all[] = {begin, entered, room, text};
} // namespace ScEnterRoomLayout
namespace ScPrivateChatLayout {
inline constexpr MsgField sender{1, USERNAME_BYTES}, text{21, 100}, system{126, 1};
inline constexpr MsgField all[] = {sender, text, system};
} // namespace ScPrivateChatLayout
namespace ScBuyResultLayout {
inline constexpr MsgField success{3, 1}, text{6, 120};
inline constexpr MsgField all[] = {success, text};
} // namespace ScBuyResultLayout
namespace ScRoomChatLayout {
inline constexpr MsgField red{3, 1}, text{6, 100};
inline constexpr MsgField all[] = {red, text};
} // namespace ScRoomChatLayout
namespace ScLinkLayout {
inline constexpr MsgField text{4, 60}, caption{64, 30}, url{94, 35};
inline constexpr MsgField all[] = {text, caption, url};
} // namespace ScLinkLayout
namespace ScNoticeLayout {
inline constexpr MsgField text{6, 120};
inline constexpr MsgField all[] = {text};
} // namespace ScNoticeLayout

static_assert(FieldsLayOut(ScTextLayout::all) && FieldsLayOut(ScTableInfoLayout::all) &&
              FieldsLayOut(ScLoginSuccessLayout::all) && FieldsLayOut(ScUserInfoLayout::all) &&
              FieldsLayOut(ScInviteLayout::all) && FieldsLayOut(ScRoomItemLayout::all) &&
              FieldsLayOut(ScServerItemLayout::all) && FieldsLayOut(ScUsersLayout::all) &&
              FieldsLayOut(ScEnterRoomLayout::all) && FieldsLayOut(ScPrivateChatLayout::all) &&
              FieldsLayOut(ScBuyResultLayout::all) && FieldsLayOut(ScRoomChatLayout::all) &&
              FieldsLayOut(ScLinkLayout::all) && FieldsLayOut(ScNoticeLayout::all));
static_assert(ScTableInfoLayout::info.size == sizeof(TableInfo) && ScRoomItemLayout::name.size == sizeof(RoomInfo::name));

struct TableRecord {    // SC_TABLE_INFO
    bool repaint = false; // repaint when the table is shown
    int index = 0;        // 0-99
    TableInfo info{};
};
enum UserOp : uint8_t { USER_ADD = 1, USER_REMOVE = 2, USER_UPDATE = 3 };
struct UserRecord {     // SC_USER_INFO
    uint8_t op = USER_ADD;
    UserInfo info{};    // the face already one of the pictures
};
struct LoginSuccess {   // SC_LOGIN_SUCCESS
    bool paybyweb = true; // top-up on the pay page, else the card dialog
    std::string welcome;  // empty: the program's own greeting
};
struct EnterRoom {      // SC_ENTER_ROOM
    bool begin = false; // the room's records follow; else the answer
    bool entered = false;
    int room = 0;
    std::string refusal;
};
struct LinkNotice {     // SC_LINK_MESSAGE
    std::string text, caption, url;
};

const char *ReadTableRecord(const GameMsg &m, TableRecord *out);
const char *ReadUserRecord(const GameMsg &m, UserRecord *out);
LoginSuccess ReadLoginSuccess(const GameMsg &m);
EnterRoom ReadEnterRoom(const GameMsg &m);
LinkNotice ReadLinkNotice(const GameMsg &m);
// The address of a link from the server as a browser takes it: one without a scheme is a web page.
std::string LinkAddress(std::string_view url);
// A face byte that is none of the twelve pictures: 7 for a man, 1 otherwise.
int32_t FixedFace(int face, uint8_t sex);
