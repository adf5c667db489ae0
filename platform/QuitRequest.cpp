#include "platform/QuitRequest.h"

#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace {

std::function<void(const std::string &)> g_handler;
bool g_failing = false;

// The failure's box opens once no other box or dialog is up, never inside another's loop; then the
// end.
void ShowFailure(const std::string &why)
{
    if (!MessageBox::NoneOpen()) {
        MessageBox::WhenNoneOpen([why] {
            QMetaObject::invokeMethod(QCoreApplication::instance(), [why] { ShowFailure(why); }, Qt::QueuedConnection);
        });
        return;
    }
    MessageBox::Show(why, "Lantile", MessageBox::IconError);
    QCoreApplication::exit(1);
}

} // namespace

namespace QuitRequest {

void Post()
{
    if (g_handler) {
        g_handler({});
        return;
    }
    QCoreApplication *app = QCoreApplication::instance();
    if (app && !g_failing)
        QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
}

void PostFailure(const std::string &why)
{
    if (g_handler) {
        g_handler(why);
        return;
    }
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || g_failing)
        return;
    g_failing = true;
    // The box waits for the event loop: the failure may come from deep inside a constructor.
    QMetaObject::invokeMethod(app, [why] { ShowFailure(why); }, Qt::QueuedConnection);
}

bool Failing()
{
    return g_failing;
}

void SetHandler(std::function<void(const std::string &why)> handler)
{
    g_handler = std::move(handler);
}

} // namespace QuitRequest
