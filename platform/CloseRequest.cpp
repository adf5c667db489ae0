#include "platform/CloseRequest.h"

#include <QApplication>
#include <QMetaObject>

namespace {

std::function<void()> g_handler;

} // namespace

namespace CloseRequest {

void Post()
{
    if (g_handler) {
        g_handler();
        return;
    }
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    // Closing the windows runs their close handling; the quit ends a program that shows none.
    QMetaObject::invokeMethod(
        app,
        [] {
            if (qobject_cast<QApplication *>(QCoreApplication::instance()))
                QApplication::closeAllWindows();
            QCoreApplication::quit();
        },
        Qt::QueuedConnection);
}

void SetHandler(std::function<void()> handler)
{
    g_handler = std::move(handler);
}

} // namespace CloseRequest
