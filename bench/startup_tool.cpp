// Measures how long the program takes from its start to the first frame its window shows (the
// loading picture, before the banner fades in), with the generated data folder beside it.
//
//   startup [--since NS]
//
// Run it in a real X server (xvfb-run -a startup). NS, the launch time in nanoseconds since the
// epoch (date +%s%N), adds the time the process took to be loaded and reach main. A paint counts
// only once the X server shows a picture in the window, not the black of a window not drawn yet.
#include "client/Main.h"
#include "platform/Paths.h"
#include "platform/QtTimerService.h"
#include "tests/kit/TableDriver.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// A frame with a picture in it: the loading picture has hundreds of colours, a window not drawn yet
// one.
bool HoldsPicture(const QImage &shot)
{
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 8)
        for (int x = 0; x < shot.width(); x += 8)
            colours.insert(shot.pixel(x, y));
    return colours.size() > 16;
}

// Notes the first paint of the window once the display shows it, and, once the X server's copy of
// the window shows a picture, ends the event loop there.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(QWidget *view) : view_(view) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == view_ && event->type() == QEvent::Paint && !seen && !painted && view_->windowHandle() &&
            view_->windowHandle()->isExposed()) {
            painted = Clock::now();
            QMetaObject::invokeMethod(this, &FirstFrame::Look, Qt::QueuedConnection);
        }
        return false;
    }
    std::optional<Clock::time_point> seen;

private:
    // After the paint has been handled: what the display holds now.
    void Look()
    {
        if (HoldsPicture(view_->screen()->grabWindow(view_->winId()).toImage())) {
            seen = painted;
            QCoreApplication::quit();
        }
        painted.reset();
    }

    QWidget *view_;
    std::optional<Clock::time_point> painted;
};

} // namespace

int main(int argc, char **argv)
{
    const Clock::time_point start = Clock::now();
    const auto wallStart = std::chrono::system_clock::now();
    long long since = 0;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--since") == 0)
            since = std::atoll(argv[i + 1]);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication app(argc, argv);
    // A program folder of its own, so that the settings it writes stay out of the build.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("lantile-startup-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    TableDriver::LinkGeneratedData(folder, QCoreApplication::applicationDirPath().toStdString());
    Paths::SetProgramFolder(folder.string());
    QtTimerService timers;
    TimerService::Install(&timers);
    double made = 0;
    std::optional<Clock::time_point> shown;
    {
        TMainForm form({});
        made = Ms(Clock::now() - start);
        FirstFrame watch(form.Window().Widget());
        form.Window().Widget()->installEventFilter(&watch);
        QTimer::singleShot(60000, &app, &QCoreApplication::quit); // no picture: said below
        app.exec();
        shown = watch.seen;
    }
    TimerService::Install(nullptr);
    std::filesystem::remove_all(folder);
    if (!shown) {
        std::puts("the window showed no frame");
        return 1;
    }
    std::printf("first frame shown %.1f ms after main began (window and game object ready after %.1f ms)\n",
                Ms(*shown - start), made);
    if (since > 0) {
        const long long wallNs = std::chrono::duration_cast<std::chrono::nanoseconds>(wallStart.time_since_epoch()).count();
        std::printf("main began %.1f ms after the launch\n", (wallNs - since) / 1e6);
    }
    return 0;
}
