// Grabs what an X display shows of one window, or of the whole screen, into a PNG file.
//
//   screenshot [--window ID] [--until PICTURE X Y W H [--at PX PY]] [--timeout S] OUT.png
//
// ID is a window's number as `xdotool search` prints it; without it the whole screen is taken.
// With --until it grabs again and again until the rectangle X, Y, W, H of the window shows the
// same rectangle of PICTURE (a bitmap of the game's data folder, compared in the frame's 16-bit
// colours): a way to wait for a screen of the game to come up. The picture's corner stands at the
// window's corner, or at (PX, PY) for a screen drawn elsewhere; a PICTURE written #RRGGBB is that
// colour alone. It exits 1 when that has not happened within S seconds (10 by default), with the
// last grab written all the same.
#include "screen/BmpReader.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

struct Target {
    std::string picture;
    int x = 0, y = 0, w = 0, h = 0;
    int px = 0, py = 0; // where the picture's corner stands in the window
};

uint32_t To565(uint32_t rgb)
{
    return (rgb >> 19 & 0x1F) << 11 | (rgb >> 10 & 0x3F) << 5 | (rgb >> 3 & 0x1F);
}

// At most one pixel in a hundred of the rectangle may differ: enough to tell the screens apart, and
// a stray pixel does not hold the wait up.
bool Shows(const QImage &grab, const Bitmap &picture, const Target &t)
{
    if (t.x < t.px || t.y < t.py || t.x + t.w > std::min(grab.width(), t.px + picture.width) ||
        t.y + t.h > std::min(grab.height(), t.py + picture.height))
        return false;
    int differ = 0;
    for (int y = t.y; y < t.y + t.h; ++y)
        for (int x = t.x; x < t.x + t.w; ++x)
            differ += To565(grab.pixel(x, y)) != To565(picture.At(x - t.px, y - t.py));
    return differ * 100 <= t.w * t.h;
}

int Usage(const char *program)
{
    std::fprintf(stderr, "usage: %s [--window ID] [--until PICTURE X Y W H [--at PX PY]] [--timeout S] OUT.png\n",
                 program);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    WId window = 0;
    std::optional<Target> until;
    double timeout = 10;
    const char *out = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0 && i + 1 < argc) {
            window = static_cast<WId>(std::strtoull(argv[++i], nullptr, 0));
        } else if (std::strcmp(argv[i], "--until") == 0 && i + 5 < argc) {
            until = Target{argv[i + 1], std::atoi(argv[i + 2]), std::atoi(argv[i + 3]), std::atoi(argv[i + 4]),
                           std::atoi(argv[i + 5])};
            i += 5;
        } else if (std::strcmp(argv[i], "--at") == 0 && until && i + 2 < argc) {
            until->px = std::atoi(argv[i + 1]);
            until->py = std::atoi(argv[i + 2]);
            i += 2;
        } else if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) {
            timeout = std::atof(argv[++i]);
        } else if (argv[i][0] != '-' && !out) {
            out = argv[i];
        } else {
            return Usage(argv[0]);
        }
    }
    if (!out || (until && (until->w <= 0 || until->h <= 0)))
        return Usage(argv[0]);
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "screenshot: no screen\n");
        return 2;
    }
    std::optional<Bitmap> picture;
    if (until && until->picture.size() == 7 && until->picture[0] == '#') {
        const int w = until->x + until->w, h = until->y + until->h;
        const uint32_t rgb = std::stoul(until->picture.substr(1), nullptr, 16);
        picture = Bitmap{w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, rgb)};
    } else if (until) {
        picture = ReadBmpFile(until->picture);
        if (!picture) {
            std::fprintf(stderr, "screenshot: cannot read %s\n", until->picture.c_str());
            return 2;
        }
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    QImage grab;
    bool shown = false;
    for (;;) {
        grab = screen->grabWindow(window).toImage();
        if (grab.isNull()) {
            std::fprintf(stderr, "screenshot: window %llu cannot be grabbed\n", static_cast<unsigned long long>(window));
            return 2;
        }
        shown = !until || Shows(grab, *picture, *until);
        if (shown || std::chrono::steady_clock::now() >= deadline)
            break;
        QThread::msleep(50);
    }
    if (!grab.save(QString::fromLocal8Bit(out), "PNG")) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", out);
        return 2;
    }
    if (!shown) {
        std::fprintf(stderr, "screenshot: %s did not come up within %g s\n", until->picture.c_str(), timeout);
        return 1;
    }
    return 0;
}
