#include "platform/MessageBox.h"

#include "platform/Gbk.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace {

std::function<int(const MessageBox::Box &)> g_handler;
std::function<void()> g_closed;
int g_open = 0;

int ShowDialog(const MessageBox::Box &box)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
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
    if (--g_open == 0 && g_closed)
        g_closed();
    return result;
}

void SetHandler(std::function<int(const Box &)> handler)
{
    g_handler = std::move(handler);
}

int OpenCount()
{
    return g_open;
}

void SetClosedListener(std::function<void()> listener)
{
    g_closed = std::move(listener);
}

} // namespace MessageBox
