#pragma once
#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

// The link notice: a message with one link under it, for errors that a web page can help with and
// for offers. Texts may come from the server, so they are shown as plain text; the link opens only
// web addresses.
class TLinkDlgForm : public QDialog {
public:
    explicit TLinkDlgForm(QWidget *parent = nullptr);

    // Fills the notice and shows it, modal.
    void Notice(const std::string &text, const std::string &caption, const std::string &url);
    void Fill(const std::string &text, const std::string &caption, const std::string &url);

    QLabel *Label1; // the text
    QLabel *Label2; // the link
    QPushButton *BitBtn1;
    std::string linkurl;
};
