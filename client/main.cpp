#include "client/LantileMain.h"
#include "platform/Paths.h"
#include "platform/QtTimerService.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QTimer>
#include <csignal>

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
    // First, as a message box needs it; it also takes the toolkit's own options out of argv.
    QApplication app(argc, argv);
    Paths::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    QtTimerService timers;
    TimerService::Install(&timers);
    std::signal(SIGINT, Quit);
    std::signal(SIGTERM, Quit);
    QTimer::singleShot(0, &app, [&app] {
        if (quitRequested)
            app.quit();
    });
    // The game object writes its settings as the main window goes, before this returns.
    const int rc = LantileMain(std::vector<std::string>(argv + 1, argv + argc), SingleInstance::PathFor(Paths::ProgramFolder()));
    TimerService::Install(nullptr);
    return rc;
}
