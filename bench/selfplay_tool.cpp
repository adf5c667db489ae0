// Plays local hands with four robots as fast as the machine allows and prints one summary line;
// with --roundtrip the game is also saved and loaded back wherever the local player may save.
#include "platform/Gbk.h"
#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"
#include "table/CMj.h"
#include "tests/kit/SelfPlay.h"
#include "tests/kit/TableSession.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
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
    // A box would wait for a click nobody gives: it is printed instead.
    MessageBox::SetHandler([](const MessageBox::Box &box) {
        std::fprintf(stderr, "box: %s\n", box.text.c_str());
        return static_cast<int>(MessageBox::ResultOk);
    });
    // The score screen's buttons are pictures of the data folder: without them nothing deals the
    // next hand.
    std::string missing;
    QuitRequest::SetHandler([&](const std::string &why) {
        if (missing.empty())
            missing = why.empty() ? "the game asked to end" : why;
    });

    SelfPlaySummary s;
    int reported = 0;
    double seconds = 0;
    {
        // The game reads the data folder generated beside the tool, and keeps its settings apart.
        TableSession session(seed, nullptr);
        CMj &mj = session.Game();
        // The game's default is on: its pauses (a ready player's drawn tile) are part of play.
        mj.SetAnimateOn(animate);
        SelfPlay play(mj, session.Clock());
        if (roundtrip)
            play.SaveEverywhere("Save\\roundtrip.cmj");
        play.OnBroken([&](const std::string &rule) {
            if (reported++ < 10)
                std::fprintf(stderr, "broken: %s\n", rule.c_str());
        });
        auto start = std::chrono::steady_clock::now();
        play.Run(hands, s);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (!missing.empty())
        std::fprintf(stderr, "selfplay: %s (is the data folder beside %s complete?)\n", GbkToUtf8(missing).c_str(), argv[0]);

    int wins = s.wins[0] + s.wins[1] + s.wins[2] + s.wins[3];
    std::vector<int> fans(FAN_COUNT);
    std::iota(fans.begin(), fans.end(), 0);
    std::stable_sort(fans.begin(), fans.end(), [&](int a, int b) { return s.fancount[a] > s.fancount[b]; });
    std::printf("hands=%d wins=%d/%d/%d/%d selfdrawn=%d draws=%d meanfan=%.2f topfans=", s.hands, s.wins[0],
                s.wins[1], s.wins[2], s.wins[3], s.selfdrawn, s.draws, wins ? double(s.fantotal) / wins : 0.0);
    for (int i = 0; i < 5 && s.fancount[fans[i]] > 0; i++)
        std::printf("%s%d:%d", i ? "," : "", fans[i], s.fancount[fans[i]]);
    int different = static_cast<int>(std::count_if(std::begin(s.fancount), std::end(s.fancount), [](int n) { return n > 0; }));
    std::printf(" differentfans=%d hands/s=%.0f broken=%d\n", different, s.hands / seconds, s.broken);
    if (roundtrip)
        std::printf("roundtrips=%d mismatches=%d broken=%d\n", s.roundtrips, s.mismatches, s.broken);
    // A hand after which no new one began stopped the run and counts as broken.
    return missing.empty() && s.broken == 0 && s.mismatches == 0 ? 0 : 1;
}
