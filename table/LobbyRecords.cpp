#include "table/LobbyRecords.h"

#include "platform/Gbk.h"

#include <cctype>
#include <cstring>

namespace {

bool IsSchemeChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

} // namespace

std::string BoundedName(const char *field, size_t width)
{
    return std::string(field, strnlen(field, width));
}

bool NameIs(const char (&field)[USERNAME_BYTES], std::string_view name)
{
    return name.size() <= USERNAME_BYTES && BoundedName(field) == name;
}

void PutName(char (&field)[USERNAME_BYTES], std::string_view name)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, name.data(), GbkFit(name, sizeof field));
}

int64_t WinPercent(int32_t wins, int32_t games)
{
    return games < 1 ? 0 : int64_t{wins} * 100 / games;
}

std::string WinRate(int32_t wins, int32_t games)
{
    return std::to_string(WinPercent(wins, games)) + "%";
}

int32_t FixedFace(int face, uint8_t sex)
{
    if (face >= 1 && face <= 12)
        return face;
    return sex == 1 ? 7 : 1;
}

const char *ReadTableRecord(const GameMsg &m, TableRecord *out)
{
    using namespace ScTableInfoLayout;
    out->repaint = m.Get(quiet.off) == 0;
    out->index = m.Get(table.off);
    if (out->index >= kTableCount)
        return "a table that is none of the room's";
    std::memcpy(&out->info, m.Data() + info.off, sizeof out->info);
    return nullptr;
}

const char *ReadUserRecord(const GameMsg &m, UserRecord *out)
{
    using namespace ScUserInfoLayout;
    out->op = m.Get(op.off);
    if (out->op < USER_ADD || out->op > USER_UPDATE)
        return "a change of a user that is none";
    UserInfo &u = out->info;
    u = UserInfo{};
    std::memcpy(u.name, m.Data() + name.off, sizeof u.name);
    u.score = m.GetI32(score.off);
    u.sex = m.Get(sex.off);
    u.games = m.GetI32(games.off);
    u.wins = m.GetI32(wins.off);
    u.counter1 = m.GetI32(counter1.off);
    u.escapes = m.GetI32(escapes.off);
    u.counter2 = m.GetI32(counter2.off);
    u.rights = static_cast<int8_t>(m.Get(rights.off));
    u.userid = m.GetI32(userid.off);
    u.face = FixedFace(m.Get(face.off), u.sex);
    u.attable = m.Get(attable.off);
    if (u.attable) {
        u.table = m.Get(table.off);
        u.seat = m.Get(seat.off);
    }
    return nullptr;
}

LoginSuccess ReadLoginSuccess(const GameMsg &m)
{
    using namespace ScLoginSuccessLayout;
    LoginSuccess s;
    s.paybyweb = m.Get(bycard.off) == 0;
    if (m.Get(haswelcome.off) != 0)
        s.welcome = m.GetText(welcome);
    return s;
}

EnterRoom ReadEnterRoom(const GameMsg &m)
{
    using namespace ScEnterRoomLayout;
    EnterRoom e;
    e.begin = m.Get(begin.off) != 0;
    e.entered = m.Get(entered.off) != 0;
    e.room = m.Get(room.off);
    if (!e.begin && !e.entered)
        e.refusal = m.GetText(text);
    return e;
}

LinkNotice ReadLinkNotice(const GameMsg &m)
{
    using namespace ScLinkLayout;
    return {m.GetText(text), m.GetText(caption), m.GetText(url)};
}

std::string LinkAddress(std::string_view url)
{
    // "name:" before anything else is a scheme, unless what follows is a port ("host:8080/").
    const size_t colon = url.find(':');
    bool scheme = colon != std::string_view::npos && colon > 0 &&
                  std::isalpha(static_cast<unsigned char>(url[0]));
    for (size_t i = 0; scheme && i < colon; i++)
        scheme = IsSchemeChar(url[i]);
    if (scheme && colon + 1 < url.size() && std::isdigit(static_cast<unsigned char>(url[colon + 1])))
        scheme = false;
    return scheme ? std::string(url) : "http://" + std::string(url);
}
