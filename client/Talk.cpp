#include "client/Talk.h"

#include "client/FormText.h"
#include "platform/Gbk.h"
#include "table/ClientRecords.h"
#include "table/LobbyRecords.h"
#include "table/NetLink.h"
#include "windows/CChatPage.h"

#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTextCursor>

namespace {

// The bytes a piece of the input's text takes in a record; a selection joins its lines with U+2029.
size_t Bytes(QString text)
{
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return FromUi(text).size();
}

} // namespace

PrivateChatLine PrivateChatLine::Read(const GameMsg &msg)
{
    return {msg.GetText(ScPrivateChatLayout::sender), msg.GetText(ScPrivateChatLayout::text),
            msg.Get(ScPrivateChatLayout::system.off) == 1};
}

std::string PrivateChatLine::Line() const
{
    return system ? "[系统消息] " + text : "[" + sender + "]说: " + text;
}

size_t TalkInput::Room() const
{
    const size_t used = Bytes(toPlainText()) - Bytes(textCursor().selectedText());
    return used < kMaxBytes ? kMaxBytes - used : 0;
}

QString TalkInput::Fitting(const QString &text) const
{
    const std::string gbk = OneLine(FromUi(text));
    return ToUi(std::string_view(gbk).substr(0, GbkFit(gbk, Room())));
}

void TalkInput::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (onEnter)
            onEnter();
        return;
    }
    // A key that would add a character is refused when the character does not fit; Backspace,
    // Delete, the caret keys and shortcuts pass.
    const QString text = event->text();
    const bool adds = !text.isEmpty() && text.at(0).isPrint();
    if (adds && Fitting(text) != text)
        return;
    QPlainTextEdit::keyPressEvent(event);
}

void TalkInput::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText())
        insertPlainText(Fitting(source->text()));
}

void TalkInput::inputMethodEvent(QInputMethodEvent *event)
{
    // What the input method commits is cut like a paste; its preedit is no text yet.
    if (!event->commitString().isEmpty()) {
        QInputMethodEvent fitted(event->preeditString(), event->attributes());
        fitted.setCommitString(Fitting(event->commitString()), event->replacementStart(),
                               event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&fitted);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

TTalkForm::TTalkForm(std::string_view peer, NetLink &link, std::function<void(const std::string &)> closed)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      peer_(peer.substr(0, GbkFit(peer, USERNAME_BYTES))), link_(link), closed_(std::move(closed))
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(ToUi("与 " + peer_ + " 交谈中..."));
    setFixedSize(333, 248);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(11, 14, 310, 129);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setMaximumBlockCount(CChatPageList::kKeptLines);
    Memo2 = new TalkInput(this);
    Memo2->setGeometry(11, 151, 309, 48);
    Memo2->setTabChangesFocus(true);
    Memo2->onEnter = [this] { Button1Click(); };
    Label1 = new QLabel(this);
    Label1->setGeometry(11, 213, 140, 25);
    Button2 = new QPushButton(QStringLiteral("关闭"), this);
    Button2->setGeometry(160, 213, 75, 25);
    Button1 = new QPushButton(QStringLiteral("发送"), this);
    Button1->setGeometry(248, 213, 75, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, &QWidget::close);
}

void TTalkForm::CentreOn(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
}

void TTalkForm::AddLine(const std::string &text)
{
    Memo1->appendPlainText(ToUi(OneLine(text)));
}

void TTalkForm::Button1Click()
{
    const std::string text = FromUi(Memo2->toPlainText());
    if (text.empty()) {
        AddLine("[系统消息] 请不要发送空消息");
        AddLine("");
    } else {
        GameMsg msg;
        if (BuildPrivateChat(msg, peer_, text))
            link_.SendPacket(msg);
        AddLine("[我说]: " + text);
        AddLine(" ");
    }
    Memo2->clear();
    Memo2->setFocus();
}

void TTalkForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    closed = true;
    // The main window deletes the window, so it hears of the close only once this event is over;
    // the name travels with the call, so windows closed together are each removed.
    QMetaObject::invokeMethod(
        this, [this, peer = peer_] { closed_(peer); }, Qt::QueuedConnection);
}

bool TTalkForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Memo2->setFocus();
    return QWidget::event(event);
}
