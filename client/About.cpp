#include "client/About.h"

#include "client/FormText.h"
#include "client/Version.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
{
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(395, 87);
    auto *picture = new QLabel(this);
    picture->setGeometry(12, 12, 32, 32);
    picture->setPixmap(QPixmap(QString::fromStdString(Paths::Resolve("Graphic\\about.bmp"))));
    const QString lines[] = {QStringLiteral("Lantile v") + ToUi(kLantileVersion), QStringLiteral("国标麻将：144张牌，81番"),
                             QStringLiteral("单机对三家电脑，或登录服务器联网对局")};
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(lines[i], this);
        label->setGeometry(60, 8 + 20 * i, 230, 18);
    }
    // The toolkit's own caption of a close button, in the toolkit's translation.
    OKButton = new QPushButton(QCoreApplication::translate("QPlatformTheme", "Close"), this);
    OKButton->setGeometry(300, 50, 80, 26);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
