// The proxy settings dialog and the link notice, as widgets.
#include "client/Lindlg.h"
#include "client/Proxy.h"
#include "platform/OpenUrl.h"
#include "windows/ProxySettings.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

bool White(const QLineEdit *edit)
{
    return edit->isEnabled() && edit->palette().color(QPalette::Base) == QColor(Qt::white);
}

TEST(TProxyForm, FieldsGreyWithTheirSwitchesAndTextsKeepTheirByteLimits)
{
    TProxyForm form;
    ProxySettings settings;
    settings.address = "proxy.lan";
    settings.type = 1;
    form.Load(ProxyDialog::For(settings));
    EXPECT_EQ(form.ProxyName->text(), "proxy.lan");
    EXPECT_TRUE(form.RadioButton2->isChecked());
    for (QWidget *w : {static_cast<QWidget *>(form.ProxyName), static_cast<QWidget *>(form.Port),
                       static_cast<QWidget *>(form.RadioButton1), static_cast<QWidget *>(form.CheckBox1),
                       static_cast<QWidget *>(form.User)})
        EXPECT_FALSE(w->isEnabled());
    EXPECT_NE(form.ProxyName->palette().color(QPalette::Base), QColor(Qt::white));

    form.UseProxy->click();
    EXPECT_TRUE(White(form.ProxyName));
    EXPECT_TRUE(form.CheckBox1->isEnabled());
    EXPECT_FALSE(White(form.User));
    form.CheckBox1->click();
    EXPECT_TRUE(White(form.User));
    EXPECT_TRUE(White(form.PassWord));

    // Typing: the port takes digits only; a text stops at 49 bytes, a character never split.
    form.Port->clear();
    for (const char *key : {"8", "x", "0", "-", "8"})
        form.Port->insert(QString::fromLatin1(key));
    form.ProxyName->clear();
    for (int i = 0; i < 24; ++i)
        form.ProxyName->insert(QStringLiteral("代"));
    form.ProxyName->insert(QStringLiteral("理"));
    form.ProxyName->insert(QStringLiteral("x"));
    form.ProxyName->insert(QStringLiteral("y"));
    form.User->insert(QStringLiteral("bob\U0001F600"));
    const ProxyDialog d = form.Controls();
    EXPECT_EQ(d.port, "808");
    EXPECT_EQ(d.proxyname.size(), 49u);
    EXPECT_EQ(d.proxyname.back(), 'x');
    EXPECT_EQ(d.user, "bob"); // a character outside GBK is dropped, not turned into bytes
    EXPECT_TRUE(d.useproxy && d.needauth && !d.socks);
}

TEST(TLinkDlgForm, ShowsTheServersTextAsTypedAndOpensOnlyWebLinks)
{
    std::vector<std::string> opened;
    SetOpenUrlHandler([&](const std::string &url) { opened.push_back(url); });
    TLinkDlgForm form;
    form.Fill("<b>注册失败</b>", "点击这里注册帐号 ", "https://lantile.example.org/signup");
    EXPECT_EQ(form.Label1->text(), QStringLiteral("<b>注册失败</b>"));
    EXPECT_EQ(form.Label1->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.Label2->textFormat(), Qt::PlainText);

    const auto colour = [&] { return form.Label2->palette().color(QPalette::WindowText); };
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QCoreApplication::sendEvent(form.Label2, &enter);
    EXPECT_EQ(colour(), QColor(Qt::red));
    QCoreApplication::sendEvent(form.Label2, &leave);
    EXPECT_EQ(colour(), QColor(Qt::blue));

    const auto click = [&] {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(form.Label2, &release);
    };
    click();
    form.Fill("text", "link", "file://localhost/etc/passwd");
    click();
    form.Fill("text", "link", "javascript:alert(1)");
    click();
    EXPECT_EQ(opened, std::vector<std::string>{"https://lantile.example.org/signup"});
    EXPECT_TRUE(OpenUrl("HTTP://lantile.example.org/"));
    EXPECT_FALSE(OpenUrl("http://"));
    SetOpenUrlHandler(nullptr);
}

} // namespace
