#include "client/Hint.h"

#include "platform/Gbk.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int kWidth = 222;
constexpr int kHeight = 85;

} // namespace

THintForm::THintForm(std::function<void()> closeMainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Label1(new QLabel(this)), Button1(new QPushButton(QString::fromUtf16(u"取消"), this)),
      closeMainWindow_(std::move(closeMainWindow))
{
    setFixedSize(kWidth, kHeight);
    Label1->setGeometry(0, 0, kWidth, kHeight);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setStyleSheet("color: white");
    Button1->setGeometry((kWidth - 60) / 2, kHeight - 28, 60, 22);
    Button1->setVisible(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    SetText("游戏服务器连接中");
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void THintForm::SetText(const std::string &text)
{
    Label1->setText(QString::fromStdString(GbkToUtf8(text)));
}

void THintForm::Button1Click()
{
    closeMainWindow_();
}

void THintForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient shade(0, 0, 0, kHeight);
    shade.setColorAt(0, QColor(40, 90, 60));
    shade.setColorAt(1, QColor(10, 40, 25));
    painter.fillRect(rect(), shade);
    painter.setPen(QColor(200, 170, 90));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
