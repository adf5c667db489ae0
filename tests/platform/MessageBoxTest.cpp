#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The box as the user sees it: server texts may hold markup, which must show as typed.
TEST(MessageBox, ShowsTextAsTypedNeverAsMarkup)
{
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                text = box->text();
                format = box->textFormat();
                box->accept();
            }
    });
    poll.start(10);
    EXPECT_EQ(MessageBox::Show("<a href=\"http://x\">点这里</a>", "info"), MessageBox::ResultOk);
    EXPECT_EQ(text, QStringLiteral("<a href=\"http://x\">点这里</a>"));
    EXPECT_EQ(format, Qt::PlainText);
}

} // namespace
