#include "platform/Beep.h"

#include <QApplication>

namespace {

std::function<void()> g_handler;

} // namespace

void Beep()
{
    if (g_handler) {
        g_handler();
        return;
    }
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::beep();
}

void SetBeepHandler(std::function<void()> handler)
{
    g_handler = std::move(handler);
}
