#include "client/Down.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TDownForm::TDownForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("游戏下载"));
    setFixedSize(241, 102);
    Label1 = new QLabel(QStringLiteral("正在获取文件信息"), this);
    Label1->setGeometry(16, 16, 209, 18);
    Label1->setTextFormat(Qt::PlainText);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(16, 40, 209, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    Button1 = new QPushButton(QStringLiteral("取消"), this);
    Button1->setGeometry(72, 72, 97, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TDownForm::Button1Click()
{
    finished = 1;
    if (onCancel)
        onCancel();
    close();
}

void TDownForm::closeEvent(QCloseEvent *event)
{
    if (finished)
        event->accept();
    else
        event->ignore();
}
