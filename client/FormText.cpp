#include "client/FormText.h"

#include "platform/Gbk.h"

#include <QLineEdit>

QString ToUi(std::string_view gbk)
{
    return QString::fromStdString(GbkToUtf8(gbk));
}

std::string FromUi(const QString &text)
{
    return Utf8ToGbk(text.toStdString());
}

QValidator::State GbkLengthValidator::validate(QString &input, int &) const
{
    return FromUi(input).size() <= maxBytes_ ? Acceptable : Invalid;
}

void ShadeEdit(QLineEdit *edit, bool enabled)
{
    edit->setEnabled(enabled);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, enabled ? QColor(Qt::white) : palette.color(QPalette::Button));
    edit->setPalette(palette);
}
