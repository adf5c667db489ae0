// Plays a session script as the game server (or a proxy) on 127.0.0.1, for runs by hand and
// end-to-end runs of the program: exits 0 when every step matched, 1 with the difference otherwise.
// With --times it lists, at each session's end, every client record it took: "took TYPE at MS", MS
// on the system's steady clock, so that another process can line them up with its own times.
#include "tests/kit/ScriptServer.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int port = 0;
    bool loop = false;
    bool times = false;
    const char *file = nullptr;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc)
            port = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--loop") == 0)
            loop = true;
        else if (std::strcmp(argv[i], "--times") == 0)
            times = true;
        else if (argv[i][0] != '-' && !file)
            file = argv[i];
        else
            file = nullptr, i = argc;
    }
    if (!file || port < 0 || port > 65535) {
        std::fprintf(stderr, "usage: %s [--port P] [--loop] [--times] session.file\n", argv[0]);
        return 2;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "scriptserver: cannot read %s\n", file);
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();

    ScriptServer server;
    std::string error;
    if (!server.Load(text.str(), &error)) {
        std::fprintf(stderr, "scriptserver: %s: %s\n", file, error.c_str());
        return 2;
    }
    server.SetLoop(loop);
    if (!server.Listen(static_cast<uint16_t>(port))) {
        std::fprintf(stderr, "scriptserver: cannot listen on port %d\n", port);
        return 2;
    }
    std::printf("scriptserver: listening on 127.0.0.1:%d\n", server.Port());
    std::fflush(stdout);
    size_t listed = 0;
    server.OnSessionEnd([&](int connection, const std::string &failure) {
        for (; times && listed < server.Received().size(); listed++)
            std::printf("took %d at %lld\n", server.Received()[listed][0],
                        static_cast<long long>(server.ReceivedAt()[listed]));
        if (failure.empty())
            std::printf("connection %d: every step matched\n", connection);
        else
            std::printf("connection %d: %s\n", connection, failure.c_str());
        std::fflush(stdout);
        if (!loop)
            app.exit(failure.empty() ? 0 : 1);
    });
    return app.exec();
}
