#include "client/LantileMain.h"
#include "platform/Paths.h"
#include "platform/QtTimerService.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"
#include "platform/ToolkitTranslation.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // First, as a message box needs it; it also takes the toolkit's own options out of argv.
    QApplication app(argc, argv);
    InstallToolkitTranslation();
    Paths::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    QtTimerService timers;
    TimerService::Install(&timers);
    TerminationSignals::Install();
    // The game object writes its settings as the main window goes, before this returns.
    const int rc = LantileMain(std::vector<std::string>(argv + 1, argv + argc), SingleInstance::PathFor(Paths::ProgramFolder()));
    TimerService::Install(nullptr);
    return rc;
}
