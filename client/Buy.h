#pragma once
#include <QDialog>
#include <string>

class NetLink;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

// A top-up card as typed: 12 digits of card number and 8 of password, each refused with its own
// message otherwise.
struct TopUpCard {
    static constexpr size_t kCardDigits = 12;
    static constexpr size_t kPasswordDigits = 8;
    enum Problem { Fine, BadCard, BadPassword };

    std::string card;
    std::string password;

    Problem Check() const;
};

// The gold-coin top-up: a card number and its password go to the server, and the dialog waits for
// its answer; while it waits it cannot be closed and its links do nothing. Beside the fields stand
// the service's advert, a page of the data folder, and links to the service's pages.
class TBuyForm : public QDialog {
public:
    TBuyForm(QWidget *parent, NetLink &link);

    void EnterClick();
    void RefreshClick();
    // The server's answer: the buttons are usable again, and a top-up that went through closes the
    // dialog.
    void Answered(bool success);
    // The connection has ended, so no answer will come: the dialog may close again.
    void Release();
    bool Waiting() const;

    QLineEdit *Sn;
    QLineEdit *PassWord;
    QPushButton *Refresh;
    QPushButton *Enter;
    QTextBrowser *Banner;
    QLabel *Label5; // the portal
    QLabel *Label6; // how to buy a card

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetWaiting(bool waiting);
    void LinkClick(const char *url);

    NetLink &link_;
};
