#pragma once
#include <QString>
#include <QValidator>

class QLineEdit;
#include <string>
#include <string_view>

// Text between the program (GBK) and the toolkit's controls (UTF-16).
QString ToUi(std::string_view gbk);
// Characters that GBK lacks are dropped.
std::string FromUi(const QString &text);

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
