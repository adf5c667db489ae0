#include "client/FormText.h"

#include "platform/Gbk.h"
#include "platform/OpenUrl.h"

#include <QEvent>
#include <QLabel>

namespace {

void SetColour(QLabel *label, Qt::GlobalColor colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

class LinkFilter : public QObject {
public:
    LinkFilter(QLabel *label, std::function<std::string()> url) : QObject(label), url_(std::move(url)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *label = static_cast<QLabel *>(watched);
        if (event->type() == QEvent::Enter)
            SetColour(label, Qt::red);
        else if (event->type() == QEvent::Leave)
            SetColour(label, Qt::blue);
        else if (event->type() == QEvent::MouseButtonRelease)
            OpenUrl(url_());
        return false;
    }

private:
    std::function<std::string()> url_;
};

} // namespace

void MakeLink(QLabel *label, std::function<std::string()> url)
{
    label->setTextFormat(Qt::PlainText);
    label->setCursor(Qt::PointingHandCursor);
    SetColour(label, Qt::blue);
    label->installEventFilter(new LinkFilter(label, std::move(url)));
}

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
