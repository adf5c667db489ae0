#include "platform/MessageBox.h"

#include "platform/Gbk.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <cstdio>
#include <vector>

namespace {

std::function<int(const MessageBox::Box &)> g_handler;
std::vector<std::function<void()>> g_waiting;
int g_open = 0;

QApplication *Widgets()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance());
}

void TellWaiting()
{
    if (!MessageBox::NoneOpen())
        return;
    auto calls = std::move(g_waiting);
    g_waiting.clear();
    for (auto &call : calls)
        call();
}

// A dialog's own loop ends without a word to this module: its window's hiding tells, once the
// toolkit has taken it off the modal windows.
class ModalWatch : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType() && static_cast<QWidget *>(watched)->isModal())
            QMetaObject::invokeMethod(this, &TellWaiting, Qt::QueuedConnection);
        return false;
    }
};

void WatchModals()
{
    static QPointer<ModalWatch> watch;
    if (!watch && Widgets())
        Widgets()->installEventFilter(watch = new ModalWatch(Widgets()));
}

int ShowDialog(const MessageBox::Box &box)
{
    if (!Widgets()) {
        std::fprintf(stderr, "%s: %s\n", GbkToUtf8(box.title).c_str(), GbkToUtf8(box.text).c_str());
        return MessageBox::ResultOk;
    }
    static const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information, QMessageBox::Warning,
                                              QMessageBox::Critical, QMessageBox::Question};
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if (box.buttons == MessageBox::OkCancel)
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
    else if (box.buttons == MessageBox::YesNo)
        buttons = QMessageBox::Yes | QMessageBox::No;
    // Owned by the window the user works in; a box with no window shown (a NetWork start that failed)
    // stands on its own.
    QWidget *owner = QApplication::activeWindow();
    if (owner && !owner->isVisible())
        owner = nullptr;
    QMessageBox dialog(icons[box.icon], QString::fromStdString(GbkToUtf8(box.title)),
                       QString::fromStdString(GbkToUtf8(box.text)), buttons, owner);
    // Texts come from the server and from users: markup in them is shown as typed, never followed.
    dialog.setTextFormat(Qt::PlainText);
    static const std::pair<MessageBox::Result, QMessageBox::StandardButton> defaults[] = {
        {MessageBox::ResultOk, QMessageBox::Ok}, {MessageBox::ResultCancel, QMessageBox::Cancel},
        {MessageBox::ResultYes, QMessageBox::Yes}, {MessageBox::ResultNo, QMessageBox::No}};
    for (const auto &[result, button] : defaults)
        if (box.defaultButton == result)
            dialog.setDefaultButton(button);
    switch (dialog.exec()) {
    case QMessageBox::Cancel:
        return MessageBox::ResultCancel;
    case QMessageBox::Yes:
        return MessageBox::ResultYes;
    case QMessageBox::No:
        return MessageBox::ResultNo;
    default:
        return MessageBox::ResultOk;
    }
}

} // namespace

namespace MessageBox {

int Show(const std::string &text, const std::string &title, Icon icon, Buttons buttons, Result defaultButton)
{
    Box box{text, title, icon, buttons, defaultButton};
    g_open++;
    const int result = g_handler ? g_handler(box) : ShowDialog(box);
    if (--g_open == 0)
        TellWaiting();
    return result;
}

void SetHandler(std::function<int(const Box &)> handler)
{
    g_handler = std::move(handler);
}

bool NoneOpen()
{
    return g_open == 0 && !(Widgets() && QApplication::activeModalWidget());
}

void WhenNoneOpen(std::function<void()> call)
{
    if (NoneOpen()) {
        call();
        return;
    }
    WatchModals();
    g_waiting.push_back(std::move(call));
}

} // namespace MessageBox
