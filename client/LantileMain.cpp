#include "client/LantileMain.h"

#include "client/Main.h"
#include "platform/FileBytes.h"
#include "platform/Gbk.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QScreen>
#include <exception>

int LantileMain(const std::vector<std::string> &args, const std::string &lockPath)
{
    const std::string first = args.empty() ? std::string() : args[0];
    // Installers ask these of the program; there is nothing to register, so they end it at once,
    // even beside a running game.
    if (first == "/REGSERVER" || first == "/UNREGSERVER")
        return 0;
    SingleInstance instance(lockPath);
    switch (instance.Acquire()) {
    case SingleInstance::Result::Running:
        MessageBox::Show("Lantile is running.", "Infomation", MessageBox::IconInformation);
        return 0;
    case SingleInstance::Result::NotAFile:
        MessageBox::Show("The lock " + Utf8ToGbk(instance.Path()) +
                             " is not a regular file. Remove it, then start the game again.",
                         "Lantile", MessageBox::IconError);
        return 1;
    case SingleInstance::Result::Taken:
        break;
    }
    // What a kill in the middle of writing the settings or a saved game left behind goes now, while
    // no other copy can be writing.
    FileBytes::RemoveLeftovers(Paths::ProgramFolder(), ".ini");
    FileBytes::RemoveLeftovers(Paths::ProgramFolder(), ".cfg");
    FileBytes::RemoveLeftovers(Paths::Resolve("Save"), ".cmj");
    // A screen too narrow for the game says so, and the start counts as failed.
    QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry().width() < TMainForm::kMinScreenWidth) {
        MessageBox::Show("屏幕宽度不足800像素，无法运行游戏。", "Lantile", MessageBox::IconError);
        return 1;
    }
    try {
        TMainForm MainForm(args);
        // A signal taken in a box while the window was made ends the program here, as it would have
        // ended the loop.
        if (TerminationSignals::Pending())
            return 0;
        return QApplication::exec();
    } catch (const std::exception &e) {
        MessageBox::Show(e.what(), "Lantile", MessageBox::IconError);
        return 1;
    }
}
