#pragma once
#include <QDialog>

class QPushButton;

// The About box: the program's picture, name and version, and its close button.
class TAboutForm : public QDialog {
public:
    explicit TAboutForm(QWidget *parent = nullptr);

    QPushButton *OKButton;
};
