#pragma once
#include <QString>
#include <QValidator>
#include <functional>
#include <string>
#include <string_view>

class QLineEdit;

// Text between the program (GBK) and the toolkit's controls (UTF-16).
QString ToUi(std::string_view gbk);
// Characters that GBK lacks are dropped.
std::string FromUi(const QString &text);

class QLabel;

// A label that acts as a link: blue, red while the mouse is over it, and a click opens the address
// that url gives at that moment (only web addresses open).
void MakeLink(QLabel *label, std::function<std::string()> url);

// Refuses input whose GBK form would pass a byte limit: the toolkit's own limit counts UTF-16 units,
// while every field of the program counts bytes.
class GbkLengthValidator : public QValidator {
public:
    GbkLengthValidator(size_t maxBytes, QObject *parent) : QValidator(parent), maxBytes_(maxBytes) {}
    State validate(QString &input, int &pos) const override;

private:
    size_t maxBytes_;
};

// A usable edit box is white, a greyed one takes the colour of the buttons.
void ShadeEdit(QLineEdit *edit, bool enabled);
