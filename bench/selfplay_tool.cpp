// Plays local hands with four robots as fast as the machine allows and prints one summary line;
// with --roundtrip the game is also saved and loaded back wherever the local player may save.
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "platform/TestClock.h"
#include "table/CMj.h"
#include "tests/kit/SelfPlay.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <unistd.h>
#include <vector>

int main(int argc, char **argv)
{
    int hands = 1000;
    unsigned seed = 1;
    bool animate = false;
    bool roundtrip = false;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--hands") == 0 && i + 1 < argc) {
            hands = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--animate") == 0) {
            animate = true;
        } else if (std::strcmp(argv[i], "--roundtrip") == 0) {
            roundtrip = true;
        } else {
            std::fprintf(stderr, "usage: %s [--hands N] [--seed S] [--animate] [--roundtrip]\n", argv[0]);
            return 2;
        }
    }
    if (hands < 1) {
        std::fprintf(stderr, "selfplay: --hands must be at least 1\n");
        return 2;
    }

    setenv("SDL_AUDIODRIVER", "dummy", 0); // self-play is silent
    // The game object's widgets measure their text with the toolkit's fonts; nothing is shown.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    // A scratch program folder: the game reads and writes its settings there, not in the data folder.
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("lantile-selfplay-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    Paths::SetProgramFolder(folder.string());
    TestClock clock;
    TimerService::Install(&clock);
    Random::Pin(seed);
    // A box would wait for a click nobody gives: it is printed instead.
    MessageBox::SetHandler([](const MessageBox::Box &box) {
        std::fprintf(stderr, "box: %s\n", box.text.c_str());
        return static_cast<int>(MessageBox::ResultOk);
    });

    SelfPlaySummary s;
    int reported = 0;
    auto start = std::chrono::steady_clock::now();
    {
        CMj mj;
        // The game's default is on: its pauses (a ready player's drawn tile) are part of play.
        mj.SetAnimateOn(animate);
        SelfPlay play(mj, clock);
        if (roundtrip)
            play.SaveEverywhere("Save\\roundtrip.cmj");
        play.OnBroken([&](const std::string &rule) {
            if (reported++ < 10)
                std::fprintf(stderr, "broken: %s\n", rule.c_str());
        });
        play.Run(hands, s);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    TimerService::Install(nullptr);
    std::filesystem::remove_all(folder);

    int wins = s.wins[0] + s.wins[1] + s.wins[2] + s.wins[3];
    std::vector<int> fans(FAN_COUNT);
    std::iota(fans.begin(), fans.end(), 0);
    std::stable_sort(fans.begin(), fans.end(), [&](int a, int b) { return s.fancount[a] > s.fancount[b]; });
    std::printf("hands=%d wins=%d/%d/%d/%d selfdrawn=%d draws=%d meanfan=%.2f topfans=", s.hands, s.wins[0],
                s.wins[1], s.wins[2], s.wins[3], s.selfdrawn, s.draws, wins ? double(s.fantotal) / wins : 0.0);
    for (int i = 0; i < 5 && s.fancount[fans[i]] > 0; i++)
        std::printf("%s%d:%d", i ? "," : "", fans[i], s.fancount[fans[i]]);
    std::printf(" hands/s=%.0f broken=%d\n", s.hands / seconds, s.broken);
    if (roundtrip)
        std::printf("roundtrips=%d mismatches=%d broken=%d\n", s.roundtrips, s.mismatches, s.broken);
    return s.broken == 0 && s.mismatches == 0 ? 0 : 1;
}
