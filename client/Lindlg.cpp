#include "client/Lindlg.h"

#include "client/FormText.h"

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
    MakeLink(Label2, [this] { return linkurl; });
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
}
