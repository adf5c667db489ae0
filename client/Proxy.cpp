#include "client/Proxy.h"

#include "client/FormText.h"
#include "windows/ProxySettings.h"

#include <QCheckBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QLineEdit *TextEdit(QWidget *parent, int x, int y, int w)
{
    auto *edit = new QLineEdit(parent);
    edit->setGeometry(x, y, w, 22);
    edit->setValidator(new GbkLengthValidator(ProxySettings::kTextBytes, edit));
    return edit;
}

void Label(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->move(x, y);
}

} // namespace

TProxyForm::TProxyForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("代理服务器设置"));
    setFixedSize(275, 313);
    UseProxy = new QCheckBox(QStringLiteral("使用代理服务器进行网络联机"), this);
    UseProxy->setGeometry(12, 10, 250, 20);
    Label(this, QStringLiteral("代理服务器设置,请向网络管理员咨询"), 12, 36);
    Label(this, QStringLiteral("代理服务器名(Proxy)"), 12, 62);
    ProxyName = TextEdit(this, 12, 82, 250);
    Label(this, QStringLiteral("代理服务器端口号:"), 12, 114);
    Port = new QLineEdit(this);
    Port->setGeometry(122, 110, 60, 22);
    Port->setValidator(new QIntValidator(1, 65535, Port));
    Label(this, QStringLiteral("如1080,808等"), 188, 114);
    RadioButton1 = new QRadioButton(QStringLiteral("Socks代理"), this);
    RadioButton1->setGeometry(12, 140, 110, 20);
    RadioButton2 = new QRadioButton(QStringLiteral("Http代理"), this);
    RadioButton2->setGeometry(130, 140, 110, 20);
    RadioButton1->setChecked(true);
    CheckBox1 = new QCheckBox(QStringLiteral("代理服务器需要身份验证"), this);
    CheckBox1->setGeometry(12, 168, 250, 20);
    Label(this, QStringLiteral("用户名"), 12, 200);
    User = TextEdit(this, 70, 196, 192);
    Label(this, QStringLiteral("密码"), 12, 230);
    PassWord = TextEdit(this, 70, 226, 192);
    PassWord->setEchoMode(QLineEdit::Password);
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setGeometry(50, 270, 80, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setGeometry(145, 270, 80, 28);

    connect(UseProxy, &QCheckBox::clicked, this, [this] { UpdateFields(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { UpdateFields(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    UpdateFields();
}

bool TProxyForm::Edit(ProxyDialog &dialog)
{
    Load(dialog);
    if (exec() != QDialog::Accepted)
        return false;
    dialog = Controls();
    return true;
}

void TProxyForm::Load(const ProxyDialog &dialog)
{
    UseProxy->setChecked(dialog.useproxy);
    ProxyName->setText(ToUi(dialog.proxyname));
    Port->setText(ToUi(dialog.port));
    RadioButton1->setChecked(dialog.socks);
    RadioButton2->setChecked(!dialog.socks);
    CheckBox1->setChecked(dialog.needauth);
    User->setText(ToUi(dialog.user));
    PassWord->setText(ToUi(dialog.password));
    UpdateFields();
}

ProxyDialog TProxyForm::Controls() const
{
    ProxyDialog d;
    d.useproxy = UseProxy->isChecked();
    d.proxyname = FromUi(ProxyName->text());
    d.port = FromUi(Port->text());
    d.socks = RadioButton1->isChecked();
    d.needauth = CheckBox1->isChecked();
    d.user = FromUi(User->text());
    d.password = FromUi(PassWord->text());
    return d;
}

void TProxyForm::UpdateFields()
{
    const ProxyDialog d = Controls();
    ShadeEdit(ProxyName, d.FieldsEnabled());
    ShadeEdit(Port, d.FieldsEnabled());
    RadioButton1->setEnabled(d.FieldsEnabled());
    RadioButton2->setEnabled(d.FieldsEnabled());
    CheckBox1->setEnabled(d.FieldsEnabled());
    ShadeEdit(User, d.AuthEnabled());
    ShadeEdit(PassWord, d.AuthEnabled());
}
