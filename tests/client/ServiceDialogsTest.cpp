// The proxy settings dialog and the link notice, as widgets.
#include "client/Lindlg.h"
#include "client/Proxy.h"
#include "platform/OpenUrl.h"
#include "platform/Profile.h"
#include "tests/support/ScratchFolder.h"
#include "windows/ProxySettings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
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
    settings.type = 1;
    form.Load(ProxyDialog::For(settings));
    EXPECT_TRUE(form.RadioButton2->isChecked());
    EXPECT_FALSE(White(form.ProxyName) || form.RadioButton1->isEnabled() || form.CheckBox1->isEnabled());
    form.UseProxy->click();
    EXPECT_TRUE(White(form.ProxyName) && form.CheckBox1->isEnabled() && !White(form.User));
    form.CheckBox1->click();
    EXPECT_TRUE(White(form.User) && White(form.PassWord));

    // Typing: the port takes digits only; a text stops at 49 bytes, a character never split, and a
    // character outside GBK adds nothing.
    form.Port->clear();
    for (const char *key : {"8", "x", "0", "-", "8"})
        form.Port->insert(QString::fromLatin1(key));
    for (int i = 0; i < 24; ++i)
        form.ProxyName->insert(QStringLiteral("代"));
    for (const QString &more : {QStringLiteral("理"), QStringLiteral("x"), QStringLiteral("y")})
        form.ProxyName->insert(more);
    form.User->insert(QStringLiteral("bob\U0001F600"));
    const ProxyDialog d = form.Controls();
    EXPECT_EQ(d.port, "808");
    EXPECT_EQ(d.proxyname.size(), 49u);
    EXPECT_EQ(d.proxyname.back(), 'x');
    EXPECT_EQ(d.user, "bob");
    EXPECT_TRUE(d.useproxy && d.needauth && !d.socks);
}

// An address pasted with line breaks is kept as its first line: written out whole it would make
// sections and keys of its own in the settings file, and sent it would end the proxy's request line.
TEST(TProxyForm, AnAddressPastedWithLineBreaksKeepsItsFirstLineOnly)
{
    ScratchFolder folder;
    folder.Write("SET.ini", "[Proxy]\r\nAddress=old.example\r\n[loginserver]\r\nip=game.example\r\n");
    TProxyForm form;
    form.Load(ProxyDialog::For(ProxySettings::Read("SET.ini")));
    form.UseProxy->click();
    form.ProxyName->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("proxy.example\r\n[loginserver]\r\nip=x"));
    form.ProxyName->paste();
    form.CheckBox1->click();
    form.User->insert(QStringLiteral("bob\r\nPassWord=y"));
    ProxySettings settings = ProxySettings::Read("SET.ini");
    form.Controls().TakeInto(settings);
    EXPECT_EQ(settings.address, "proxy.example");
    Profile::Edit ini("SET.ini");
    settings.Write(ini);
    std::string error;
    ASSERT_TRUE(ini.Commit(error)) << error;

    char ip[50];
    Profile::ReadString("SET.ini", "loginserver", "ip", "", ip, sizeof ip);
    EXPECT_STREQ(ip, "game.example");
    const ProxySettings back = ProxySettings::Read("SET.ini");
    EXPECT_EQ(back.address, "proxy.example");
    EXPECT_EQ(back.username, "bob");
    EXPECT_EQ(back.password, "");
    const std::string file = folder.Read("SET.ini");
    EXPECT_EQ(file.find("[loginserver]"), file.rfind("[loginserver]")) << file;
}

// Which links open at all is the lobby records' test; the notice shows the server's text as typed.
TEST(TLinkDlgForm, ShowsTheServersTextAsTypedAndOpensItsLink)
{
    std::vector<std::string> opened;
    SetOpenUrlHandler([&](const std::string &url) { opened.push_back(url); });
    TLinkDlgForm form;
    form.Fill("<b>注册失败</b>", "点击这里注册帐号 ", "https://lantile.example.org/signup");
    EXPECT_EQ(form.Label1->text(), QStringLiteral("<b>注册失败</b>"));
    EXPECT_TRUE(form.Label1->textFormat() == Qt::PlainText && form.Label2->textFormat() == Qt::PlainText);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(form.Label2, &release);
    SetOpenUrlHandler(nullptr);
    EXPECT_EQ(opened, std::vector<std::string>{"https://lantile.example.org/signup"});
}

} // namespace
