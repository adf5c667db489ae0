#pragma once
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
struct UserSetDialog;

// The lobby filters' dialog. It shows the values, keeps each box usable or greyed with its check
// box, takes only what its boxes may hold, and hands the values back; what OK does with them is
// the lobby's.
class TNetSetForm : public QDialog {
public:
    explicit TNetSetForm(QWidget *parent = nullptr);

    // Modal: true for OK, with the controls as the user left them.
    bool Edit(UserSetDialog &dialog);
    void Load(const UserSetDialog &dialog);
    UserSetDialog Controls() const;

    QCheckBox *CheckBox1; // invitations
    QCheckBox *CheckBox2; // the address rule
    QComboBox *ComboBox1;
    QCheckBox *CheckBox3; // escape rate
    QLineEdit *Edit1;
    QCheckBox *CheckBox4; // score difference
    QLineEdit *Edit2;
    QCheckBox *CheckBox5; // lowest score
    QLineEdit *Edit3;
    QPushButton *BitBtn1; // OK
    QPushButton *BitBtn2; // cancel

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Every box usable or greyed as its check box stands.
    void UpdateFields();
};
