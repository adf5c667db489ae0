#include "platform/Paths.h"
#include "platform/QtTimerService.h"
#include "table/CMj.h"

#include <QApplication>
#include <QTimer>
#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t quitRequested = 0;

// Also remembered: a quit asked for before the event loop runs would otherwise be lost.
void Quit(int)
{
    quitRequested = 1;
    QCoreApplication::quit();
}

} // namespace

int main(int argc, char **argv)
{
    // The game draws its text with the toolkit's fonts, which need the GUI application.
    QApplication app(argc, argv);
    Paths::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    QtTimerService timers;
    TimerService::Install(&timers);
    std::signal(SIGINT, Quit);
    std::signal(SIGTERM, Quit);

    int rc;
    {
        CMj game;
        std::puts("Lantile: the game window is not built yet; the game runs without a window. Ctrl-C ends it.");
        std::fflush(stdout); // seen at once even when the output is a pipe
        QTimer::singleShot(0, &app, [&app] {
            if (quitRequested)
                app.quit();
        });
        rc = app.exec();
    } // the game object writes its settings as it ends
    TimerService::Install(nullptr);
    return rc;
}
