#include "table/ClientRecords.h"

#include "platform/Gbk.h"
#include "rules/CLog.h"
#include "table/UserSet.h"

namespace {

// The index the client sends for a tile (its kind's first copy); false for anything that is not one
// of the 42 kinds, such as "no tile" or a face-down tile, which would send a wrapped byte.
bool KindIndex(MjTile tile, uint8_t *index)
{
    uint8_t i = MjToIndex(tile);
    if (i >= MJ_TOTAL || !IsSameMj(MjFromIndex(i), tile)) {
        g_log.Error("Not a tile to send: %d %d.", tile.value, tile.suit);
        return false;
    }
    *index = i;
    return true;
}

void Start(GameMsg &m, uint8_t type)
{
    m.Clear();
    m.Put(0, type);
}

// Refuses a record after it was started: nothing of it may go out.
bool Refuse(GameMsg &m)
{
    m.Clear();
    return false;
}

bool FitsUserName(std::string_view name)
{
    return name.size() <= static_cast<size_t>(USERNAME_BYTES);
}

} // namespace

bool BuildAction(GameMsg &m, uint8_t answer)
{
    Start(m, CS_ACTION);
    if (answer != ACTION_PASS && answer != ACTION_PENG && answer != ACTION_GANG && answer != ACTION_HU)
        return Refuse(m);
    m.Put(ActionLayout::action.off, answer);
    return true;
}

bool BuildOwnKong(GameMsg &m, MjTile tile)
{
    Start(m, CS_ACTION);
    uint8_t index;
    if (!KindIndex(tile, &index))
        return Refuse(m);
    m.Put(ActionLayout::action.off, ACTION_GANG);
    m.Put(ActionLayout::ownKong.off, index);
    return true;
}

bool BuildChow(GameMsg &m, MjTile first, MjTile second)
{
    Start(m, CS_ACTION);
    uint8_t a, b;
    if (!KindIndex(first, &a) || !KindIndex(second, &b))
        return Refuse(m);
    m.Put(ActionLayout::action.off, ACTION_CHI);
    m.Put(ActionLayout::chow1.off, a);
    m.Put(ActionLayout::chow2.off, b);
    return true;
}

bool BuildGiveCard(GameMsg &m, MjTile tile, bool declaresReady)
{
    Start(m, CS_GIVE_CARD);
    uint8_t index;
    if (!KindIndex(tile, &index))
        return Refuse(m);
    m.Put(GiveCardLayout::ready.off, declaresReady ? 1 : 0);
    m.Put(GiveCardLayout::tile.off, index);
    return true;
}

void BuildTableChat(GameMsg &m, std::string_view text, ChatOrigin origin)
{
    Start(m, CS_TABLE_CHAT);
    MsgField field = TableChatLayout::text;
    if (origin == CHAT_LINE)
        field.size--; // the main window's lines keep a terminator
    m.PutText(field, OneLine(text));
}

void BuildUserSet(GameMsg &m, const UserSet &f)
{
    Start(m, CS_USER_SET);
    m.Put(UserSetLayout::invite.off, f.invite ? 1 : 0);
    m.Put(UserSetLayout::ip.off, f.ip == 3 || f.ip == 4 ? static_cast<uint8_t>(f.ip) : 0);
    if (f.escape) {
        m.Put(UserSetLayout::escape.off, 1);
        m.Put(UserSetLayout::escaperate.off, f.escaperate >= 0 && f.escaperate <= 100 ? f.escaperate : 0);
    }
    if (f.limitscore1) {
        m.Put(UserSetLayout::limit1.off, 1);
        m.PutI32(UserSetLayout::limit1rate.off, f.limitscore1rate);
    }
    if (f.limitscore2) {
        m.Put(UserSetLayout::limit2.off, 1);
        m.PutI32(UserSetLayout::limit2rate.off, f.limitscore2rate);
    }
    m.Put(UserSetLayout::noprivatechat.off, f.p2ptalk ? 0 : 1);
}

bool BuildBuy(GameMsg &m, std::string_view card, std::string_view password)
{
    Start(m, CS_BUY);
    if (card.size() != static_cast<size_t>(BuyLayout::card.size) ||
        password.size() != static_cast<size_t>(BuyLayout::password.size - 1))
        return Refuse(m);
    m.PutText(BuyLayout::card, card);
    m.PutText(BuyLayout::password, password);
    return true;
}

bool BuildFlowerCount(GameMsg &m, int flowers)
{
    Start(m, CS_FLOWER_COUNT);
    if (flowers < 1 || flowers > 8)
        return Refuse(m);
    m.Put(FlowerCountLayout::count.off, static_cast<uint8_t>(flowers));
    return true;
}

void BuildLogin(GameMsg &m, std::string_view account, std::string_view password, std::string_view adapter)
{
    Start(m, CS_LOGIN);
    m.PutText(LoginLayout::account, account);
    m.PutText(LoginLayout::password, password);
    if (adapter.size() == static_cast<size_t>(LoginLayout::adapter.size - 1))
        m.PutText(LoginLayout::adapter, adapter);
    m.Put(LoginLayout::mark101.off, 120);
    m.Put(LoginLayout::mark103.off, 20);
}

bool BuildSitDown(GameMsg &m, int table, int seat)
{
    Start(m, CS_SITDOWN);
    if (table < 0 || table > 99 || seat < 0 || seat > 3)
        return Refuse(m);
    m.Put(SitDownLayout::table.off, static_cast<uint8_t>(table));
    m.Put(SitDownLayout::seat.off, static_cast<uint8_t>(seat));
    return true;
}

bool BuildBare(GameMsg &m, uint8_t type)
{
    Start(m, type);
    if (type != CS_LEAVE_TABLE && type != CS_READY && type != CS_KEEPALIVE && type != CS_EXIT)
        return Refuse(m);
    return true;
}

bool BuildInvite(GameMsg &m, std::string_view user)
{
    Start(m, CS_INVITE);
    if (user.empty() || !FitsUserName(user))
        return Refuse(m);
    m.PutText(InviteLayout::user, user);
    return true;
}

bool BuildEnterRoom(GameMsg &m, int room)
{
    Start(m, CS_ENTER_ROOM);
    if (room < 0 || room > 255)
        return Refuse(m);
    m.Put(EnterRoomLayout::room.off, static_cast<uint8_t>(room));
    return true;
}

bool BuildPrivateChat(GameMsg &m, std::string_view peer, std::string_view text)
{
    Start(m, CS_PRIVATE_CHAT);
    if (peer.empty() || !FitsUserName(peer))
        return Refuse(m);
    m.PutText(PrivateChatLayout::peer, peer);
    m.PutText(PrivateChatLayout::text, OneLine(text));
    return true;
}

bool BuildRoomChat(GameMsg &m, std::string_view text)
{
    Start(m, CS_ROOM_CHAT);
    if (text.empty())
        return Refuse(m);
    m.PutText(RoomChatLayout::text, OneLine(text));
    return true;
}

bool BuildAdmin(GameMsg &m, uint8_t command, std::string_view user)
{
    Start(m, CS_ADMIN);
    if ((command != ADMIN_KICK && command != ADMIN_MUTE) || user.empty() || !FitsUserName(user))
        return Refuse(m);
    m.Put(AdminLayout::command.off, command);
    m.PutText(AdminLayout::user, user);
    return true;
}

bool BuildSetAvatar(GameMsg &m, int picture)
{
    Start(m, CS_SET_AVATAR);
    if (picture < 1 || picture > 12)
        return Refuse(m);
    m.Put(SetAvatarLayout::mark.off, 1);
    m.Put(SetAvatarLayout::picture.off, static_cast<uint8_t>(picture));
    return true;
}
