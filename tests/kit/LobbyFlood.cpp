#include "tests/kit/LobbyFlood.h"

#include "table/LobbyRecords.h"
#include "tests/kit/SessionScript.h"

#include <algorithm>
#include <sstream>

namespace LobbyFlood {

std::string Name(int user)
{
    return "user" + std::to_string(user);
}

GameMsg User(uint8_t op, const std::string &name, int id, std::mt19937 &rng)
{
    GameMsg m(SC_USER_INFO);
    m.Put(2, op);
    m.PutText({3, 20}, name);
    m.PutI32(23, static_cast<int32_t>(rng() % 100000));
    m.Put(27, static_cast<uint8_t>(rng() % 2));
    const int32_t games = static_cast<int32_t>(rng() % 5000);
    m.PutI32(28, games);
    m.PutI32(32, games / 3);
    m.PutI32(40, static_cast<int32_t>(rng() % 50));
    m.PutI32(52, id);
    m.Put(66, static_cast<uint8_t>(1 + rng() % 12));
    if (rng() % 2) {
        m.Put(101, 1);
        m.Put(102, static_cast<uint8_t>(1 + rng() % 100));
        m.Put(103, static_cast<uint8_t>(rng() % 4));
    }
    return m;
}

GameMsg Table(int table, int users, std::mt19937 &rng)
{
    GameMsg m(SC_TABLE_INFO);
    m.Put(3, static_cast<uint8_t>(table));
    for (int seat = 0; seat < 4; seat++) {
        if (rng() % 5 == 0)
            continue;
        m.PutText({4 + 20 * seat, 20}, Name(static_cast<int>(rng() % users)));
        m.Put(88 + seat, static_cast<uint8_t>(1 + rng() % 2));
        m.Put(92 + seat, static_cast<uint8_t>(rng() % 2));
    }
    m.Put(96, static_cast<uint8_t>(rng() % 3 == 0));
    return m;
}

namespace {

GameMsg ChatLine(int n)
{
    GameMsg m(SC_ROOM_CHAT);
    m.Put(3, static_cast<uint8_t>(n % 7 == 0));
    m.PutText({6, 100}, "line " + std::to_string(n) + ": a room chat line of an ordinary length");
    return m;
}

} // namespace

std::vector<GameMsg> Room(const std::string &own, int users, std::mt19937 &rng)
{
    std::vector<GameMsg> room;
    room.push_back(User(USER_ADD, own, 999999, rng));
    for (int u = 0; u < users; u++)
        room.push_back(User(USER_ADD, Name(u), u, rng));
    for (int t = 0; t < kTableCount; t++)
        room.push_back(Table(t, users, rng));
    GameMsg entered(SC_ENTER_ROOM);
    entered.Put(3, 1);
    room.push_back(entered);
    return room;
}

std::vector<GameMsg> Chat(int lines)
{
    std::vector<GameMsg> chat;
    for (int i = 0; i < lines; i++)
        chat.push_back(ChatLine(i));
    return chat;
}

std::vector<GameMsg> Mix(int records, int users, std::mt19937 &rng)
{
    std::vector<std::string> present;
    for (int u = 0; u < users; u++)
        present.push_back(Name(u));
    int next = users;
    std::vector<GameMsg> mix;
    for (int i = 0; i < records; i++) {
        switch (i % 10) {
        case 0:
        case 5:
            present.push_back(Name(next));
            mix.push_back(User(USER_ADD, present.back(), next, rng));
            next++;
            break;
        case 1:
        case 6: {
            const size_t k = rng() % present.size();
            GameMsg m(SC_USER_INFO);
            m.Put(2, USER_REMOVE);
            m.PutText({3, 20}, present[k]);
            mix.push_back(m);
            present[k] = present.back();
            present.pop_back();
            break;
        }
        case 2:
        case 4:
        case 7:
            mix.push_back(User(USER_UPDATE, present[rng() % present.size()], 0, rng));
            break;
        case 3:
        case 8:
            mix.push_back(Table(static_cast<int>(rng() % kTableCount), users, rng));
            break;
        default:
            mix.push_back(ChatLine(i));
            break;
        }
    }
    return mix;
}

std::vector<GameMsg> Repeats(int records, int users, std::mt19937 &rng)
{
    const int repeated = std::min(users, 400);
    std::vector<GameMsg> repeats;
    for (int i = 0; i < records; i++) {
        const int step = i / repeated, user = i % repeated;
        if (step == 0 || step == 2) {
            GameMsg m = User(USER_ADD, Name(user), user, rng);
            m.Put(101, 1);
            m.Put(102, static_cast<uint8_t>(user / 4 % kTableCount));
            m.Put(103, static_cast<uint8_t>(user % 4));
            repeats.push_back(m);
        } else if (step == 1) {
            GameMsg m(SC_USER_INFO);
            m.Put(2, USER_REMOVE);
            m.PutText({3, 20}, Name(user));
            repeats.push_back(m);
        } else if (i % 2) {
            repeats.push_back(Table(static_cast<int>(rng() % kTableCount), repeated, rng));
        } else {
            repeats.push_back(User(USER_UPDATE, Name(static_cast<int>(rng() % repeated)), 0, rng));
        }
    }
    return repeats;
}

GameMsg PrivateLine(const std::string &sender)
{
    GameMsg m(SC_PRIVATE_CHAT);
    m.PutText({1, 20}, sender);
    m.PutText({21, 100}, "done");
    return m;
}

int64_t LongestQuiet(int64_t start, int64_t end, const std::vector<int64_t> &times)
{
    int64_t last = start, longest = 0;
    for (int64_t t : times) {
        if (t <= start) {
            last = t;
            continue;
        }
        if (t > end)
            break;
        longest = std::max(longest, t - last);
        last = t;
    }
    return std::max(longest, end - last);
}

std::string EnterRoom(const std::string &account, const std::string &password)
{
    return "ignore 104\n"
           "expect 100 1:\"" + account + "\" 21:\"" + password + "\" 51..63:* 101=120 103=20\n"
           "send 102 3=1\n"
           "expect 4 1..128:*\n"
           "send 109 2=1 3:\"Flood\"\n"
           "send 108 1=0 3:\"Room\"\n"
           "send 113\n"
           "expect 107 1..128:*\n"
           "send 112 1=1\n";
}

std::string Script(const std::string &account, const std::string &password,
                   const std::vector<std::vector<GameMsg>> &floods)
{
    std::ostringstream s;
    s << EnterRoom(account, password);
    for (size_t f = 0; f < floods.size(); f++) {
        if (f > 0)
            s << "expect " << int{CS_ROOM_CHAT} << " 1..128:*\n";
        const std::vector<GameMsg> &records = floods[f];
        for (size_t i = 0; i < records.size(); i++) {
            if (i % 1000 == 0)
                s << "glue " << std::min<size_t>(1000, records.size() - i) << "\n";
            s << RecordLine("send", records[i].Data()) << "\n";
        }
    }
    s << "expect-close 60000\n";
    return s.str();
}

} // namespace LobbyFlood
