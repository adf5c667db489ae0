// How fast the program keeps up with a busy server: the real main window, offscreen, logs in to the
// scripted game server (the scriptserver program beside it, over loopback), enters a room of USERS
// users and 100 tables, and is then flooded, each flood written as fast as the socket takes it: CHAT
// lines of room chat; REPEATS records of a server that lists the names of 400 seated users twice and
// then seats and updates them (none with 0); then MIX records of users arriving, changing and
// leaving, tables changing and chat. A private chat line closes each flood; the flood counts as
// handled when its window opens.
//
//   lobbyflood [--users N] [--chat N] [--repeats N] [--mix N] [--seed S]
//
// One line per flood: records per second; the longest wait between two keep-alives the server took
// while the flood was handled, and how late that made the keep-alive (the program sends one every
// 10 s: a flood shorter than that shows no lateness); the program's peak resident memory during the
// flood beside its resident memory once the room was filled.
#include "client/Main.h"
#include "platform/Paths.h"
#include "platform/QtTimerService.h"
#include "table/CMj.h"
#include "table/GameMsg.h"
#include "tests/kit/LobbyFlood.h"
#include "tests/kit/TableDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
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
    int repeats = 100000;
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

struct Phase {
    const char *name;
    int records;
    const char *closing; // the sender of the private line after the flood
    std::vector<GameMsg> (*flood)(const Options &o, std::mt19937 &rng);
    int64_t start = 0;
    int64_t end = 0;
    long peakKb = 0;
};

std::vector<Phase> Phases(const Options &o)
{
    std::vector<Phase> phases{
        {"room chat", o.chat, "chatdone", [](const Options &o, std::mt19937 &) { return LobbyFlood::Chat(o.chat); }}};
    if (o.repeats > 0)
        phases.push_back({"repeats", o.repeats, "repeatsdone", [](const Options &o, std::mt19937 &rng) {
                              return LobbyFlood::Repeats(o.repeats, o.users, rng);
                          }});
    phases.push_back(
        {"mix", o.mix, "mixdone", [](const Options &o, std::mt19937 &rng) { return LobbyFlood::Mix(o.mix, o.users, rng); }});
    return phases;
}

std::string Script(const Options &o)
{
    std::mt19937 rng(o.seed);
    std::vector<std::vector<GameMsg>> floods{LobbyFlood::Room("bench", o.users, rng)};
    floods.back().push_back(LobbyFlood::PrivateLine("filled"));
    for (const Phase &p : Phases(o)) {
        floods.push_back(p.flood(o, rng));
        floods.back().push_back(LobbyFlood::PrivateLine(p.closing));
    }
    return LobbyFlood::Script("bench", "pw", floods);
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
        else if (std::strcmp(argv[i], "--repeats") == 0)
            o.repeats = v;
        else if (std::strcmp(argv[i], "--mix") == 0)
            o.mix = v;
        else if (std::strcmp(argv[i], "--seed") == 0)
            o.seed = static_cast<unsigned>(v);
    }
    if (argc % 2 == 0 || o.users < 10 || o.chat < 1 || o.repeats < 0 || o.mix < 10) {
        std::fprintf(stderr, "usage: %s [--users N>=10] [--chat N>=1] [--repeats N>=0] [--mix N>=10] [--seed S]\n",
                     argv[0]);
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
    std::vector<Phase> phases = Phases(o);
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
        for (size_t k = 0; k < phases.size() && ok; k++) {
            // The word to go, then the flood comes at once.
            ResetPeak();
            GameMsg go(CS_ROOM_CHAT);
            go.PutText({1, 20}, "go");
            phases[k].start = SteadyMs();
            form.Game().netlink->SendPacket(go);
            ok = UntilTalk(form, phases[k].closing, 3600);
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
        if (std::sscanf(line.c_str(), "took %d at %lld", &type, &at) == 2 && (type == CS_KEEPALIVE || type == CS_USER_SET))
            keepalives.push_back(at);
    }
    std::filesystem::remove_all(folder);
    if (!ok)
        return 1;
    std::printf("room of %d users and %d tables: %ld kB resident once filled\n", o.users, kTableCount, filledKb);
    for (const Phase &p : phases) {
        const double seconds = static_cast<double>(p.end - p.start) / 1000.0;
        const int64_t quiet = LobbyFlood::LongestQuiet(p.start, p.end, keepalives);
        std::printf("%-9s %7d records in %8.2f s: %9.0f records/s; longest without a keep-alive %6.2f s (late by "
                    "%.2f s); peak resident %ld kB (%+ld kB)\n",
                    p.name, p.records, seconds, p.records / seconds, static_cast<double>(quiet) / 1000.0,
                    static_cast<double>(std::max<int64_t>(0, quiet - kKeepAliveMs)) / 1000.0, p.peakKb,
                    p.peakKb - filledKb);
    }
    return 0;
}
