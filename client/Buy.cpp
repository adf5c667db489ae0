#include "client/Buy.h"

#include "client/FormText.h"
#include "platform/MessageBox.h"
#include "platform/OpenUrl.h"
#include "platform/Paths.h"
#include "screen/Device.h"
#include "table/Addresses.h"
#include "table/ClientRecords.h"
#include "table/NetLink.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextBrowser>
#include <algorithm>

namespace {

bool Digits(const std::string &text, size_t count)
{
    return text.size() == count && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QLineEdit *DigitEdit(QWidget *parent, int x, int y, int digits)
{
    auto *edit = new QLineEdit(parent);
    edit->setGeometry(x, y, 180, 22);
    // Typing and pasting alike: digits only, and no more than the field holds.
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), edit));
    return edit;
}

QLabel *Link(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(x, y, 300, 18);
    label->setCursor(Qt::PointingHandCursor);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    return label;
}

} // namespace

TopUpCard::Problem TopUpCard::Check() const
{
    if (!Digits(card, kCardDigits))
        return BadCard;
    if (!Digits(password, kPasswordDigits))
        return BadPassword;
    return Fine;
}

TBuyForm::TBuyForm(QWidget *parent, NetLink &link) : QDialog(parent), link_(link)
{
    setWindowTitle(QStringLiteral("游戏金币服务"));
    setFixedSize(409, 309);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xE6, 0xF7, 0xFF));
    setPalette(palette);

    auto *title = new QLabel(QStringLiteral("Lantile游戏金币充值说明"), this);
    title->setGeometry(12, 8, 385, 20);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto *explanation = new QLabel(
        QStringLiteral("感谢您的使用,请在下面输入您获得的卡号和密码,如果您还没有获得充值卡,请点击如何购买充值卡"), this);
    explanation->setGeometry(12, 30, 385, 36);
    explanation->setWordWrap(true);

    auto *group = new QGroupBox(QStringLiteral("充值卡输入"), this);
    group->setGeometry(12, 70, 385, 84);
    (new QLabel(QStringLiteral("卡号"), group))->move(14, 26);
    Sn = DigitEdit(group, 56, 22, static_cast<int>(TopUpCard::kCardDigits));
    (new QLabel(QStringLiteral("密码"), group))->move(14, 56);
    PassWord = DigitEdit(group, 56, 52, static_cast<int>(TopUpCard::kPasswordDigits));
    PassWord->setEchoMode(QLineEdit::Password);
    Refresh = new QPushButton(QStringLiteral("重填"), group);
    Refresh->setGeometry(260, 20, 100, 26);
    Enter = new QPushButton(QStringLiteral("输入"), group);
    Enter->setGeometry(260, 50, 100, 26);
    // Enter in the password submits; nowhere else does it press a button.
    for (QPushButton *button : {Refresh, Enter})
        button->setAutoDefault(false);

    Banner = new QTextBrowser(this);
    Banner->setGeometry(24, 162, 360, 60);
    Banner->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Banner->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Banner->setFrameShape(QFrame::NoFrame);
    Banner->setFocusPolicy(Qt::NoFocus);
    // Its links leave for the browser; the pane itself shows only the advert.
    Banner->setOpenLinks(false);
    connect(Banner, &QTextBrowser::anchorClicked, this, [](const QUrl &url) { OpenUrl(url.toString().toStdString()); });

    Label5 = Link(this, QStringLiteral("Zentrel世界,精彩游戏在线"), 24, 240);
    Label6 = Link(this, QStringLiteral("点击查看如何购买充值卡"), 24, 266);
    Label5->installEventFilter(this);
    Label6->installEventFilter(this);

    connect(Enter, &QPushButton::clicked, this, [this] { EnterClick(); });
    connect(Refresh, &QPushButton::clicked, this, [this] { RefreshClick(); });
    connect(PassWord, &QLineEdit::returnPressed, this, [this] { EnterClick(); });
}

void TBuyForm::EnterClick()
{
    if (Waiting())
        return;
    const TopUpCard card{FromUi(Sn->text()), FromUi(PassWord->text())};
    switch (card.Check()) {
    case TopUpCard::BadCard:
        MessageBox::Show("卡号为12位数字", "Warning", MessageBox::IconWarning);
        Sn->setFocus();
        return;
    case TopUpCard::BadPassword:
        MessageBox::Show("密码为8位数字", "Warning", MessageBox::IconWarning);
        PassWord->setFocus();
        return;
    case TopUpCard::Fine:
        break;
    }
    GameMsg msg;
    if (!BuildBuy(msg, card.card, card.password))
        return;
    link_.SendPacket(msg);
    SetWaiting(true);
}

void TBuyForm::RefreshClick()
{
    Sn->clear();
    PassWord->clear();
    Sn->setFocus();
}

void TBuyForm::Answered(bool success)
{
    SetWaiting(false);
    if (success && isVisible())
        done(QDialog::Accepted);
}

void TBuyForm::Release()
{
    SetWaiting(false);
}

bool TBuyForm::Waiting() const
{
    return !Enter->isEnabled();
}

void TBuyForm::SetWaiting(bool waiting)
{
    Enter->setEnabled(!waiting);
    Refresh->setEnabled(!waiting);
}

void TBuyForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Banner->setSource(QUrl::fromLocalFile(QString::fromStdString(Paths::Resolve(kBuyAdvertPage))));
}

// Esc and the window's close button both end here.
void TBuyForm::reject()
{
    if (!Waiting())
        QDialog::reject();
}

bool TBuyForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && (watched == Label5 || watched == Label6)) {
        LinkClick(watched == Label5 ? kPortalUrl : kBuyCardUrl);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TBuyForm::LinkClick(const char *url)
{
    if (Waiting())
        return;
    // A browser cannot come up over a full-screen game.
    if (hMainWnd && hMainWnd->IsFullScreen())
        reject();
    OpenUrl(url);
}
