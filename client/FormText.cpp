#include "client/FormText.h"

#include "platform/Gbk.h"

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
