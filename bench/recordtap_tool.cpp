// Relays one session between a client and a game server and writes it down as a script that
// scriptserver replays: recordtap --listen 127.0.0.1:P --to HOST:Q --out session.file [--dump]
#include "tests/kit/RecordTap.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// "HOST:PORT"; false when it is not one.
bool HostPort(const char *text, std::string *host, int *port)
{
    const char *colon = std::strrchr(text, ':');
    if (!colon)
        return false;
    *host = std::string(text, colon);
    *port = std::atoi(colon + 1);
    return !host->empty() && *port > 0 && *port < 65536;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::string listenHost, host, out;
    int listenPort = 0, port = 0;
    bool dump = false, ok = true;
    for (int i = 1; i < argc && ok; i++) {
        if (std::strcmp(argv[i], "--listen") == 0 && i + 1 < argc)
            ok = HostPort(argv[++i], &listenHost, &listenPort) && listenHost == "127.0.0.1";
        else if (std::strcmp(argv[i], "--to") == 0 && i + 1 < argc)
            ok = HostPort(argv[++i], &host, &port);
        else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
            out = argv[++i];
        else if (std::strcmp(argv[i], "--dump") == 0)
            dump = true;
        else
            ok = false;
    }
    if (!ok || listenPort == 0 || port == 0 || out.empty()) {
        std::fprintf(stderr, "usage: %s --listen 127.0.0.1:P --to HOST:Q --out session.file [--dump]\n", argv[0]);
        return 2;
    }

    RecordTap tap;
    tap.SetServer(host, static_cast<uint16_t>(port));
    if (dump)
        tap.SetDump([](const std::string &line) { std::printf("%s\n", line.c_str()); });
    if (!tap.Listen(static_cast<uint16_t>(listenPort))) {
        std::fprintf(stderr, "recordtap: cannot listen on port %d\n", listenPort);
        return 2;
    }
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (tap.Ended())
            app.exit(0);
    });
    watch.start(50);
    app.exec();
    std::ofstream(out, std::ios::binary) << tap.Script();
    std::printf("recordtap: session written to %s\n", out.c_str());
    return 0;
}
