#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

// The update's progress window. While a download runs (finished 0) the only way out is the cancel
// button; the window's own close is refused.
class TDownForm : public QWidget {
public:
    explicit TDownForm(QWidget *parent = nullptr);

    QLabel *Label1;
    QProgressBar *ProgressBar1;
    QPushButton *Button1; // cancel
    std::string target;
    uint8_t finished = 1;
    // What the cancel button stops.
    std::function<void()> onCancel;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Button1Click();
};
