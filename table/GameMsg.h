#pragma once
#include "rules/MjTile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

// Record types the client sends.
enum ClientMsgType : uint8_t {
    CS_ACTION = 1,
    CS_GIVE_CARD = 2,
    CS_TABLE_CHAT = 3,
    CS_USER_SET = 4,
    CS_BUY = 5,
    CS_FLOWER_COUNT = 6,
    CS_LOGIN = 100,
    CS_SITDOWN = 101,
    CS_LEAVE_TABLE = 102,
    CS_READY = 103,
    CS_KEEPALIVE = 104,
    CS_EXIT = 105,
    CS_INVITE = 106,
    CS_ENTER_ROOM = 107,
    CS_PRIVATE_CHAT = 109,
    CS_ROOM_CHAT = 110,
    CS_ADMIN = 111,
    CS_SET_AVATAR = 112,
};

// Record types the server sends. The two directions number their types on their own: the server's
// 100 is not the client's 100.
enum ServerMsgType : uint8_t {
    SC_DEAL_CARDS = 1,
    SC_DRAW_CARD = 2,
    SC_GIVE_CARD = 3,
    SC_ACTION_PROMPT = 4,
    SC_DICE = 5,
    SC_YOUR_TURN = 6,
    SC_OTHER_DRAW = 7,
    SC_SEND_ACTION = 8,
    SC_ENTER_TABLE = 9,
    SC_HAND_RESULT = 10,
    SC_TABLE_CHAT = 11,
    SC_GAME_RESTORE = 12,
    SC_TABLE_USERINFO = 13,
    SC_USER_START = 14,
    SC_FLOWER_CARD = 15,
    SC_MESSAGEBOX = 100,
    SC_TABLE_INFO = 101,
    SC_LOGIN_SUCCESS = 102,
    SC_SITDOWN_FAIL = 103,
    SC_USER_INFO = 104,
    SC_INVITE = 105,
    SC_ROOM_ITEM = 108,
    SC_SERVER_ITEM = 109,
    SC_SERVER_USERS = 110,
    SC_ROOM_USERS = 111,
    SC_ENTER_ROOM = 112,
    SC_ROOMLIST_END = 113,
    SC_PRIVATE_CHAT = 114,
    SC_BUY_RESULT = 115,
    SC_LOGIN_FAIL = 119,
    SC_ROOM_CHAT = 122,
    SC_LINK_MESSAGE = 123,
    SC_AVATAR_INFO = 124,
    SC_NOTICE = 125,
};

// A field of a record: its first byte and its width.
struct MsgField {
    int off;
    int size;
};

// True when the fields lie inside bytes 1-128 in rising order without overlapping; each record
// layout is checked with it at compile time.
template <size_t N> constexpr bool FieldsLayOut(const MsgField (&fields)[N])
{
    int next = 1;
    for (const MsgField &f : fields) {
        if (f.size < 1 || f.off < next || f.off + f.size > 129)
            return false;
        next = f.off + f.size;
    }
    return true;
}

// One record between the client and the game server: 129 bytes, byte 0 its type, the type's fields
// at fixed offsets and zero wherever a type has nothing. Integers are 32-bit little-endian at any
// offset; text is GBK, zero-padded, and has no terminator when it fills its field.
class GameMsg {
public:
    static constexpr int kSize = 129;

    GameMsg() = default;
    explicit GameMsg(uint8_t type) { bytes_[0] = type; }

    uint8_t Type() const { return bytes_[0]; }
    const uint8_t *Data() const { return bytes_; }
    uint8_t *Data() { return bytes_; }
    void Clear();

    // Offsets outside the record read as 0 and are not written, so an offset computed from a
    // server's counts can never reach past the record.
    uint8_t Get(int off) const { return off >= 0 && off < kSize ? bytes_[off] : 0; }
    void Put(int off, uint8_t value);
    int32_t GetI32(int off) const;
    void PutI32(int off, int32_t value);
    // The text up to its first zero byte or the field's end.
    std::string GetText(MsgField field) const;
    // Writes the longest start of the text that fits the field without splitting a character,
    // zero-fills the rest of the field and returns the bytes written.
    size_t PutText(MsgField field, std::string_view text);
    // A server's tile index 0-143 as a tile; false for any other byte.
    bool TileAt(int off, MjTile *tile) const;

private:
    uint8_t bytes_[kSize] = {};
};
static_assert(sizeof(GameMsg) == GameMsg::kSize && alignof(GameMsg) == 1);
static_assert(std::is_trivially_copyable_v<GameMsg> && std::is_standard_layout_v<GameMsg>);
