#include "client/Lindlg.h"

#include "client/FormText.h"
#include "platform/OpenUrl.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TLinkDlgForm::TLinkDlgForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Lantile"));
    setFixedSize(279, 100);
    auto *icon = new QLabel(this);
    icon->setGeometry(8, 16, 32, 32);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    Label1 = new QLabel(this);
    Label1->setGeometry(64, 8, 201, 30);
    Label1->setWordWrap(true);
    Label1->setTextFormat(Qt::PlainText);
    Label2 = new QLabel(this);
    Label2->setGeometry(64, 42, 201, 18);
    Label2->setTextFormat(Qt::PlainText);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->installEventFilter(this);
    SetLinkColour(Qt::blue);
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setGeometry(100, 66, 80, 26);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TLinkDlgForm::Notice(const std::string &text, const std::string &caption, const std::string &url)
{
    Fill(text, caption, url);
    exec();
}

void TLinkDlgForm::Fill(const std::string &text, const std::string &caption, const std::string &url)
{
    Label1->setText(ToUi(text));
    Label2->setText(ToUi(caption));
    linkurl = url;
    SetLinkColour(Qt::blue);
}

bool TLinkDlgForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label2) {
        if (event->type() == QEvent::Enter)
            SetLinkColour(Qt::red);
        else if (event->type() == QEvent::Leave)
            SetLinkColour(Qt::blue);
        else if (event->type() == QEvent::MouseButtonRelease)
            OpenUrl(linkurl);
    }
    return QDialog::eventFilter(watched, event);
}

void TLinkDlgForm::SetLinkColour(Qt::GlobalColor colour)
{
    QPalette palette = Label2->palette();
    palette.setColor(QPalette::WindowText, colour);
    Label2->setPalette(palette);
}
