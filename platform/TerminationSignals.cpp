#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_pending = 0;
int g_wake[2] = {-1, -1}; // the handler writes to [1]; the event loop watches [0]

void Note(int)
{
    const int saved = errno;
    g_pending = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(g_wake[1], &byte, 1);
    errno = saved;
}

// From the event loop, inside whichever loop runs now.
void End()
{
    char bytes[16];
    while (read(g_wake[0], bytes, sizeof bytes) > 0) {
    }
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::closeAllWindows();
    // Every loop the program is in ends, the main one included, and none starts again.
    QCoreApplication::exit(0);
}

} // namespace

namespace TerminationSignals {

void Install()
{
    if (g_wake[0] >= 0 || socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_wake) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_wake[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { End(); });
    struct sigaction action = {};
    action.sa_handler = Note;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool Pending()
{
    return g_pending != 0;
}

} // namespace TerminationSignals
