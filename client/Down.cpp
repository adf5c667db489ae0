#include "client/Down.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr int kMargin = 16;
constexpr int kMinLabelWidth = 209;
// The longest line the window shows: a count of bytes received out of a total, each of ten digits.
const char16_t *const kLongestLine = u"已经下载9999999999字节(共9999999999字节)";

} // namespace

TDownForm::TDownForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("游戏下载"));
    Label1 = new QLabel(QStringLiteral("正在获取文件信息"), this);
    Label1->setTextFormat(Qt::PlainText);
    const QFontMetrics metrics(Label1->font());
    const int width = std::max(kMinLabelWidth, metrics.horizontalAdvance(QString::fromUtf16(kLongestLine)) + 4);
    const int line = std::max(18, metrics.height() + 2);
    Label1->setGeometry(kMargin, kMargin, width, line);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(kMargin, kMargin + line + 6, width, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    Button1 = new QPushButton(QStringLiteral("取消"), this);
    const int buttonTop = ProgressBar1->geometry().bottom() + 15;
    Button1->setGeometry(kMargin + (width - 97) / 2, buttonTop, 97, 25);
    setFixedSize(width + 2 * kMargin, buttonTop + 25 + 5);
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
