// How fast the program keeps up with a busy server: the real main window, offscreen, logs in to the
// scripted game server (the scriptserver program beside it, over loopback), enters a room of USERS
// users and 100 tables, and is then flooded twice, each flood written as fast as the socket takes it:
// CHAT lines of room chat, then MIX records of users arriving, changing and leaving, tables
// changing and chat. A private chat line closes each flood; the flood counts as handled when its
// window opens.
//
//   lobbyflood [--users N] [--chat N] [--mix N] [--seed S]
//
// One line per flood: records per second; the longest wait between two keep-alives the server took
// while the flood was handled, and how late that made the keep-alive (the program sends one every
// 10 s: a flood shorter than that shows no lateness); the program's peak resident memory during the
// flood beside its resident memory once the room was filled.
#include "client/Main.h"
#include "client/Talk.h"
#include "platform/Paths.h"
#include "platform/QtTimerService.h"
#include "table/CMj.h"
#include "table/GameMsg.h"
#include "table/LobbyRecords.h"
#include "tests/kit/SessionScript.h"
#include "tests/kit/TableDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Options {
    int users = 5000;
    int chat = 20000;
    int mix = 100000;
    unsigned seed = 1;
};

constexpr int64_t kKeepAliveMs = 10000;

int64_t SteadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A line of /proc/self/status in kilobytes: "VmRSS", "VmHWM".
long StatusKb(const char *key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0 && line[std::strlen(key)] == ':')
            return std::atol(line.c_str() + std::strlen(key) + 1);
    return -1;
}

// The peak so far starts again from the present size.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::string Name(int user)
{
    return "user" + std::to_string(user);
}

GameMsg UserRecord(uint8_t op, const std::string &name, int id, std::mt19937 &rng)
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

// A table with some of the room's users at it, some ready, some playing.
GameMsg TableRecord(int table, int users, std::mt19937 &rng)
{
    GameMsg m(SC_TABLE_INFO);
    m.Put(2, 0);
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

GameMsg ChatRecord(int n)
{
    GameMsg m(SC_ROOM_CHAT);
    m.Put(3, static_cast<uint8_t>(n % 7 == 0));
    m.PutText({6, 100}, "line " + std::to_string(n) + ": a room chat line of an ordinary length");
    return m;
}

GameMsg PrivateLine(const std::string &sender)
{
    GameMsg m(SC_PRIVATE_CHAT);
    m.PutText({1, 20}, sender);
    m.PutText({21, 100}, "done");
    return m;
}

// Records written in one go, a thousand to a write.
void Flood(std::ostream &script, const std::vector<GameMsg> &records)
{
    for (size_t i = 0; i < records.size(); i++) {
        if (i % 1000 == 0)
            script << "glue " << std::min<size_t>(1000, records.size() - i) << "\n";
        script << RecordLine("send", records[i].Data()) << "\n";
    }
}

// Users arriving, changing and leaving, tables and chat; the room stays about as full as it was.
std::vector<GameMsg> Mix(const Options &o, std::mt19937 &rng)
{
    std::vector<std::string> present;
    for (int u = 0; u < o.users; u++)
        present.push_back(Name(u));
    int next = o.users;
    std::vector<GameMsg> records;
    for (int i = 0; i < o.mix; i++) {
        switch (i % 10) {
        case 0:
        case 5: {
            present.push_back(Name(next));
            records.push_back(UserRecord(USER_ADD, present.back(), next, rng));
            next++;
            break;
        }
        case 1:
        case 6: {
            const size_t k = rng() % present.size();
            GameMsg m(SC_USER_INFO);
            m.Put(2, USER_REMOVE);
            m.PutText({3, 20}, present[k]);
            records.push_back(m);
            present[k] = present.back();
            present.pop_back();
            break;
        }
        case 2:
        case 4:
        case 7:
            records.push_back(UserRecord(USER_UPDATE, present[rng() % present.size()], 0, rng));
            break;
        case 3:
        case 8:
            records.push_back(TableRecord(static_cast<int>(rng() % kTableCount), o.users, rng));
            break;
        default:
            records.push_back(ChatRecord(i));
            break;
        }
    }
    return records;
}

std::string Script(const Options &o)
{
    std::mt19937 rng(o.seed);
    std::ostringstream s;
    s << "ignore 104\n"
         "expect 100 1:\"bench\" 21:\"pw\" 51..63:* 101=120 103=20\n"
         "send 102 3=1\n"
         "expect 4 1..128:*\n"
         "send 109 2=1 3:\"Bench\"\n"
         "send 108 1=0 3:\"Room\"\n"
         "send 113\n"
         "expect 107 1..128:*\n"
         "send 112 1=1\n";
    std::vector<GameMsg> room;
    GameMsg own = UserRecord(USER_ADD, "bench", 999999, rng);
    room.push_back(own);
    for (int u = 0; u < o.users; u++)
        room.push_back(UserRecord(USER_ADD, Name(u), u, rng));
    for (int t = 0; t < kTableCount; t++)
        room.push_back(TableRecord(t, o.users, rng));
    GameMsg entered(SC_ENTER_ROOM);
    entered.Put(3, 1);
    room.push_back(entered);
    room.push_back(PrivateLine("filled"));
    Flood(s, room);
    // Each flood waits for the program's word that it is ready.
    std::vector<GameMsg> chat;
    for (int i = 0; i < o.chat; i++)
        chat.push_back(ChatRecord(i));
    chat.push_back(PrivateLine("chatdone"));
    s << "expect 110 1..128:*\n";
    Flood(s, chat);
    std::vector<GameMsg> mix = Mix(o, rng);
    mix.push_back(PrivateLine("mixdone"));
    s << "expect 110 1..128:*\n";
    Flood(s, mix);
    s << "expect-close 60000\n";
    return s.str();
}

// Runs the event loop until the chat window with the sender is open; false after the time.
bool UntilTalk(TMainForm &form, const std::string &sender, int seconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!form.FindTalk(sender)) {
        if (clock.elapsed() > seconds * 1000LL)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

struct Phase {
    const char *name;
    int records;
    int64_t start = 0;
    int64_t end = 0;
    long peakKb = 0;
};

// The longest time without a keep-alive while the phase ran: from the last one before it to the
// first in it, between those in it, and from the last to its end when that is longer.
int64_t LongestQuiet(const Phase &p, const std::vector<int64_t> &keepalives)
{
    int64_t last = p.start, longest = 0;
    for (int64_t t : keepalives) {
        if (t <= p.start) {
            last = t;
            continue;
        }
        if (t > p.end)
            break;
        longest = std::max(longest, t - last);
        last = t;
    }
    return std::max(longest, p.end - last);
}

} // namespace

int main(int argc, char **argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const int v = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--users") == 0)
            o.users = v;
        else if (std::strcmp(argv[i], "--chat") == 0)
            o.chat = v;
        else if (std::strcmp(argv[i], "--mix") == 0)
            o.mix = v;
        else if (std::strcmp(argv[i], "--seed") == 0)
            o.seed = static_cast<unsigned>(v);
    }
    if (argc % 2 == 0 || o.users < 10 || o.chat < 1 || o.mix < 10) {
        std::fprintf(stderr, "usage: %s [--users N>=10] [--chat N>=1] [--mix N>=10] [--seed S]\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication app(argc, argv);
    const std::string bin = QCoreApplication::applicationDirPath().toStdString();
    // A program folder of its own, so that the settings it writes stay out of the build.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("lantile-lobbyflood-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    TableDriver::LinkGeneratedData(folder, bin);
    Paths::SetProgramFolder(folder.string());
    const std::string session = (folder / "flood.session").string();
    std::ofstream(session) << Script(o);

    QProcess server;
    server.start(QString::fromStdString(bin + "/scriptserver"), {"--port", "0", "--times", QString::fromStdString(session)});
    std::string heard;
    while (heard.find("listening on 127.0.0.1:") == std::string::npos) {
        if (!server.waitForReadyRead(60000)) {
            std::fprintf(stderr, "lobbyflood: the scripted server did not start: %s\n",
                         server.readAllStandardError().toStdString().c_str());
            return 1;
        }
        heard += server.readAllStandardOutput().toStdString();
    }
    const int port = std::atoi(heard.c_str() + heard.find("127.0.0.1:") + 10);

    QtTimerService timers;
    TimerService::Install(&timers);
    Phase phases[] = {{"room chat", o.chat}, {"mix", o.mix}};
    long filledKb = 0;
    bool ok = true;
    {
        TMainForm form({});
        GameLinkTarget target;
        target.host = "127.0.0.1";
        target.port = port;
        target.account = "bench";
        target.password = "pw";
        form.Game().netlink->OpenGameLink(target);
        ok = UntilTalk(form, "filled", 600);
        filledKb = StatusKb("VmRSS");
        const char *closing[] = {"chatdone", "mixdone"};
        for (int k = 0; k < 2 && ok; k++) {
            // The word to go, then the flood comes at once.
            ResetPeak();
            GameMsg go(CS_ROOM_CHAT);
            go.PutText({1, 20}, "go");
            phases[k].start = SteadyMs();
            form.Game().netlink->SendPacket(go);
            ok = UntilTalk(form, closing[k], 3600);
            phases[k].end = SteadyMs();
            phases[k].peakKb = StatusKb("VmHWM");
        }
        if (!ok)
            std::fprintf(stderr, "lobbyflood: a flood was not handled in time\n");
    }
    TimerService::Install(nullptr);
    server.waitForFinished(60000);
    std::vector<int64_t> keepalives;
    std::istringstream took(heard + server.readAllStandardOutput().toStdString());
    std::string line;
    while (std::getline(took, line)) {
        int type = 0;
        long long at = 0;
        if (std::sscanf(line.c_str(), "took %d at %lld", &type, &at) == 2 && type == CS_KEEPALIVE)
            keepalives.push_back(at);
    }
    std::filesystem::remove_all(folder);
    if (!ok)
        return 1;
    std::printf("room of %d users and %d tables: %ld kB resident once filled\n", o.users, kTableCount, filledKb);
    for (const Phase &p : phases) {
        const double seconds = static_cast<double>(p.end - p.start) / 1000.0;
        const int64_t quiet = LongestQuiet(p, keepalives);
        std::printf("%-9s %7d records in %8.2f s: %9.0f records/s; longest without a keep-alive %6.2f s (late by "
                    "%.2f s); peak resident %ld kB (%+ld kB)\n",
                    p.name, p.records, seconds, p.records / seconds, static_cast<double>(quiet) / 1000.0,
                    static_cast<double>(std::max<int64_t>(0, quiet - kKeepAliveMs)) / 1000.0, p.peakKb,
                    p.peakKb - filledKb);
    }
    return 0;
}
