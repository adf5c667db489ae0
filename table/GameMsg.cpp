#include "table/GameMsg.h"

#include "platform/Gbk.h"

#include <cstring>

void GameMsg::Clear()
{
    std::memset(bytes_, 0, sizeof bytes_);
}

void GameMsg::Put(int off, uint8_t value)
{
    if (off >= 0 && off < kSize)
        bytes_[off] = value;
}

int32_t GameMsg::GetI32(int off) const
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; i--)
        v = (v << 8) | Get(off + i);
    return static_cast<int32_t>(v);
}

void GameMsg::PutI32(int off, int32_t value)
{
    auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; i++)
        Put(off + i, static_cast<uint8_t>(v >> (8 * i)));
}

std::string GameMsg::GetText(MsgField field) const
{
    std::string text;
    for (int i = 0; i < field.size && Get(field.off + i) != 0; i++)
        text += static_cast<char>(Get(field.off + i));
    return text;
}

size_t GameMsg::PutText(MsgField field, std::string_view text)
{
    size_t n = GbkFit(text, static_cast<size_t>(field.size));
    for (int i = 0; i < field.size; i++)
        Put(field.off + i, static_cast<size_t>(i) < n ? static_cast<uint8_t>(text[i]) : 0);
    return n;
}

bool GameMsg::TileAt(int off, MjTile *tile) const
{
    uint8_t index = Get(off);
    if (off < 0 || off >= kSize || index >= MJ_TOTAL)
        return false;
    *tile = MjFromIndex(index);
    return true;
}
