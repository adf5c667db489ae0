#pragma once
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>

// The small window that stands alone on the desktop while a NetWork start connects and logs in:
// borderless, above the others, out of the taskbar, centred, with one line of text. Its cancel
// button is never shown; its click would close the main window.
class THintForm : public QWidget {
public:
    explicit THintForm(std::function<void()> closeMainWindow);

    // GBK text.
    void SetText(const std::string &text);
    void Button1Click();

    QLabel *Label1;
    QPushButton *Button1;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    std::function<void()> closeMainWindow_;
};
