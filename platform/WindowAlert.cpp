#include "platform/WindowAlert.h"

#include "platform/FrameWindow.h"

#include <QApplication>
#include <QGuiApplication>

namespace {

std::function<bool(const FrameSink *)> g_inFront;
std::function<void(FrameSink *)> g_alert;
std::function<void(QWidget *)> g_toplevelAlert;

} // namespace

bool WindowInFront(const FrameSink *window)
{
    if (g_inFront)
        return g_inFront(window);
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return true; // no desktop to call the user back with
    if (QGuiApplication::applicationState() != Qt::ApplicationActive)
        return false;
    const auto *frame = dynamic_cast<const FrameWindow *>(window);
    return !(frame && frame->IsMinimized());
}

void AlertWindow(FrameSink *window)
{
    if (g_alert) {
        g_alert(window);
        return;
    }
    if (auto *frame = dynamic_cast<FrameWindow *>(window))
        frame->Alert();
}

void SetWindowAlertHandlers(std::function<bool(const FrameSink *)> inFront, std::function<void(FrameSink *)> alert)
{
    g_inFront = std::move(inFront);
    g_alert = std::move(alert);
}

void AlertToplevel(QWidget *window)
{
    if (g_toplevelAlert)
        g_toplevelAlert(window);
    else
        QApplication::alert(window, 0);
}

void SetToplevelAlertHandler(std::function<void(QWidget *)> alert)
{
    g_toplevelAlert = std::move(alert);
}
