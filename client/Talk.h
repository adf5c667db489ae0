#pragma once
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

class GameMsg;
class NetLink;
class QLabel;
class QPushButton;

// A private chat record of the server as the chat window shows it. Sender and text stop at their
// first zero or the field's end.
struct PrivateChatLine {
    std::string sender;
    std::string text;
    bool system = false; // a message of the service, not of a user

    static PrivateChatLine Read(const GameMsg &msg);
    // "[系统消息] text" or "[sender]说: text".
    std::string Line() const;
};

// The input of a private chat: at most a record's worth of GBK bytes, so that what is typed is what
// is sent. Enter sends instead of breaking the line; a paste keeps to one line, its line breaks and
// tabs turned to spaces, and is cut between characters to fit.
class TalkInput : public QPlainTextEdit {
public:
    static constexpr size_t kMaxBytes = 100;

    explicit TalkInput(QWidget *parent) : QPlainTextEdit(parent) {}
    std::function<void()> onEnter;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    // The bytes the input may still take, with any selection counted as gone.
    size_t Room() const;
    // The longest start of the text that fits the room.
    QString Fitting(const QString &text) const;
};

// One private chat, a window of its own on the desktop with its own taskbar entry. It sends what is
// typed to its peer; closing it tells the main window, which deletes it.
class TTalkForm : public QWidget {
public:
    // peer: GBK, cut to a user name's 20 bytes. closed: called from the event loop with the peer's
    // name once the window has been closed.
    TTalkForm(std::string_view peer, NetLink &link, std::function<void(const std::string &)> closed);

    const std::string &Peer() const { return peer_; }
    // Closed by the user, and waiting to be deleted: a new message for its peer needs a fresh window.
    bool Closed() const { return closed; }
    // Stands in the middle of the given window.
    void CentreOn(const QWidget *window);
    // A line of the history, GBK, its control bytes shown as spaces. The history keeps as many of the
    // last lines as a chat window does.
    void AddLine(const std::string &text);
    void Button1Click();

    QPlainTextEdit *Memo1; // the history
    TalkInput *Memo2;      // the input
    QPushButton *Button1;  // send
    QPushButton *Button2;  // close
    QLabel *Label1;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    std::string peer_;
    bool closed = false;
    NetLink &link_;
    std::function<void(const std::string &)> closed_;
};
