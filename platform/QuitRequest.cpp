#include "platform/QuitRequest.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace {

std::function<void()> g_handler;

} // namespace

namespace QuitRequest {

void Post()
{
    if (g_handler) {
        g_handler();
        return;
    }
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
}

void SetHandler(std::function<void()> handler)
{
    g_handler = std::move(handler);
}

} // namespace QuitRequest
