#pragma once
#include "table/GameMsg.h"

struct UserSet;

// Where each client record keeps its fields. Every layout is checked at compile time to lie inside
// the record without overlaps; the builders below write through these names only.
namespace ActionLayout {
inline constexpr MsgField ownKong{2, 1}, action{3, 1}, chow1{4, 1}, chow2{5, 1};
inline constexpr MsgField all[] = {ownKong, action, chow1, chow2};
} // namespace ActionLayout
namespace GiveCardLayout {
inline constexpr MsgField ready{2, 1}, tile{3, 1};
inline constexpr MsgField all[] = {ready, tile};
} // namespace GiveCardLayout
namespace TableChatLayout {
inline constexpr MsgField text{1, 128};
inline constexpr MsgField all[] = {text};
} // namespace TableChatLayout
namespace UserSetLayout {
inline constexpr MsgField invite{1, 1}, ip{2, 1}, escape{3, 1}, escaperate{4, 1}, limit1{5, 1}, limit1rate{6, 4},
    limit2{10, 1}, limit2rate{11, 4}, noprivatechat{21, 1};
inline constexpr MsgField all[] = {invite, ip, escape, escaperate, limit1, limit1rate, limit2, limit2rate, noprivatechat};
} // namespace UserSetLayout
namespace BuyLayout {
inline constexpr MsgField card{3, 12}, password{15, 9};
inline constexpr MsgField all[] = {card, password};
} // namespace BuyLayout
namespace FlowerCountLayout {
inline constexpr MsgField count{3, 1};
inline constexpr MsgField all[] = {count};
} // namespace FlowerCountLayout
namespace LoginLayout {
inline constexpr MsgField account{1, 20}, password{21, 20}, adapter{51, 13}, mark101{101, 1}, mark103{103, 1};
inline constexpr MsgField all[] = {account, password, adapter, mark101, mark103};
} // namespace LoginLayout
namespace SitDownLayout {
inline constexpr MsgField table{1, 1}, seat{2, 1};
inline constexpr MsgField all[] = {table, seat};
} // namespace SitDownLayout
namespace InviteLayout {
inline constexpr MsgField user{1, 20};
inline constexpr MsgField all[] = {user};
} // namespace InviteLayout
namespace EnterRoomLayout {
inline constexpr MsgField room{1, 1};
inline constexpr MsgField all[] = {room};
} // namespace EnterRoomLayout
namespace PrivateChatLayout {
inline constexpr MsgField peer{1, 20}, text{21, 100};
inline constexpr MsgField all[] = {peer, text};
} // namespace PrivateChatLayout
namespace RoomChatLayout {
inline constexpr MsgField text{1, 127};
inline constexpr MsgField all[] = {text};
} // namespace RoomChatLayout
namespace AdminLayout {
inline constexpr MsgField command{3, 1}, user{4, 21}; // the name and its terminating zero
inline constexpr MsgField all[] = {command, user};
} // namespace AdminLayout
namespace SetAvatarLayout {
inline constexpr MsgField mark{3, 1}, picture{4, 1};
inline constexpr MsgField all[] = {mark, picture};
} // namespace SetAvatarLayout

static_assert(FieldsLayOut(ActionLayout::all) && FieldsLayOut(GiveCardLayout::all) &&
              FieldsLayOut(TableChatLayout::all) && FieldsLayOut(UserSetLayout::all) && FieldsLayOut(BuyLayout::all) &&
              FieldsLayOut(FlowerCountLayout::all) && FieldsLayOut(LoginLayout::all) &&
              FieldsLayOut(SitDownLayout::all) && FieldsLayOut(InviteLayout::all) &&
              FieldsLayOut(EnterRoomLayout::all) && FieldsLayOut(PrivateChatLayout::all) &&
              FieldsLayOut(RoomChatLayout::all) && FieldsLayOut(AdminLayout::all) &&
              FieldsLayOut(SetAvatarLayout::all));

// A user name on the wire is at most 20 bytes.
constexpr int USERNAME_BYTES = 20;
static_assert(InviteLayout::user.size == USERNAME_BYTES && PrivateChatLayout::peer.size == USERNAME_BYTES &&
              AdminLayout::user.size == USERNAME_BYTES + 1 && LoginLayout::account.size == USERNAME_BYTES);

// CS_ACTION's answers.
enum ActionAnswer : uint8_t { ACTION_PASS = 0, ACTION_PENG = 2, ACTION_GANG = 3, ACTION_HU = 4, ACTION_CHI = 5 };

// Where a table chat line was typed: the main window's line, its canned phrases and the preset list
// send at most 127 bytes, the game screen's edit box at most 128.
enum ChatOrigin { CHAT_LINE, CHAT_EDITBOX };

// CS_ADMIN's commands.
enum AdminCommand : uint8_t { ADMIN_KICK = 1, ADMIN_MUTE = 3 };

// The client records. Every builder zeroes the record before filling it, so nothing of an earlier
// record in the same buffer survives. Texts are cut to their fields on a character boundary. A
// builder that answers false has refused what the server must never get (a tile that is no real
// tile, a number outside its field, a name longer than a user name, an empty line); the record is
// then left zeroed and must not be sent. Chat texts go out on one line: their control bytes become
// spaces.
bool BuildAction(GameMsg &m, uint8_t answer);          // a pass, or a pung, kong or win on a discard
bool BuildOwnKong(GameMsg &m, MjTile tile);            // a kong declared on the local seat's own turn
bool BuildChow(GameMsg &m, MjTile first, MjTile second); // the two hand tiles the chow uses
bool BuildGiveCard(GameMsg &m, MjTile tile, bool declaresReady);
void BuildTableChat(GameMsg &m, std::string_view text, ChatOrigin origin);
void BuildUserSet(GameMsg &m, const UserSet &filters);
bool BuildBuy(GameMsg &m, std::string_view card, std::string_view password); // 12 and 8 characters
bool BuildFlowerCount(GameMsg &m, int flowers);
// The adapter address goes in only when it is exactly 12 characters.
void BuildLogin(GameMsg &m, std::string_view account, std::string_view password, std::string_view adapter);
bool BuildSitDown(GameMsg &m, int table, int seat);
// The records with no fields: CS_LEAVE_TABLE, CS_READY, CS_KEEPALIVE and CS_EXIT.
bool BuildBare(GameMsg &m, uint8_t type);
bool BuildInvite(GameMsg &m, std::string_view user);
bool BuildEnterRoom(GameMsg &m, int room);
bool BuildPrivateChat(GameMsg &m, std::string_view peer, std::string_view text);
bool BuildRoomChat(GameMsg &m, std::string_view text);
bool BuildAdmin(GameMsg &m, uint8_t command, std::string_view user);
bool BuildSetAvatar(GameMsg &m, int picture);
