#pragma once
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct ProxyDialog;

// The proxy settings dialog. It only shows the controls' values, keeps the fields usable or greyed as
// the two check boxes stand, and hands the values back; what OK does with them is the login screen's.
class TProxyForm : public QDialog {
public:
    explicit TProxyForm(QWidget *parent = nullptr);

    // Modal: true for OK, with the controls as the user left them.
    bool Edit(ProxyDialog &dialog);
    void Load(const ProxyDialog &dialog);
    ProxyDialog Controls() const;

    QCheckBox *UseProxy;
    QLineEdit *ProxyName;
    QLineEdit *Port;
    QRadioButton *RadioButton1; // SOCKS
    QRadioButton *RadioButton2; // HTTP
    QCheckBox *CheckBox1;       // the proxy asks for user and password
    QLineEdit *User;
    QLineEdit *PassWord;
    QPushButton *BitBtn1; // OK
    QPushButton *BitBtn2; // cancel

private:
    // UseProxy's and CheckBox1's clicks: every field usable (white) or greyed as they now stand.
    void UpdateFields();
};
