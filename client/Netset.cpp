#include "client/Netset.h"

#include "client/FormText.h"
#include "windows/UserSetDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

QCheckBox *Box(QWidget *parent, const QString &text, int y)
{
    auto *box = new QCheckBox(text, parent);
    box->setGeometry(14, y, 300, 22);
    return box;
}

// A number box: signed takes a leading minus. Ten digits reach every score a record carries.
QLineEdit *NumberEdit(QWidget *parent, int x, int y, bool isSigned)
{
    auto *edit = new QLineEdit(parent);
    edit->setGeometry(x, y, 46, 20);
    const QString pattern = isSigned ? QStringLiteral("-?[0-9]{0,10}") : QStringLiteral("[0-9]{0,10}");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    return edit;
}

void After(QWidget *parent, const QString &text, int x, int y)
{
    (new QLabel(text, parent))->move(x, y + 3);
}

} // namespace

TNetSetForm::TNetSetForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("游戏设置"));
    setFixedSize(340, 230);
    auto *group = new QGroupBox(QStringLiteral("同桌玩家限制"), this);
    group->setGeometry(8, 6, 324, 176);
    CheckBox1 = Box(group, QStringLiteral("接受其他玩家的邀请"), 22);
    CheckBox2 = Box(group, QStringLiteral("不与IP地址前"), 52);
    CheckBox2->setFixedWidth(110);
    ComboBox1 = new QComboBox(group);
    ComboBox1->setGeometry(124, 52, 46, 22);
    ComboBox1->addItems({QStringLiteral("四"), QStringLiteral("三")});
    After(group, QStringLiteral("位相同的玩家游戏"), 176, 52);
    CheckBox3 = Box(group, QStringLiteral("不与逃跑率大于"), 82);
    CheckBox3->setFixedWidth(124);
    Edit1 = NumberEdit(group, 140, 83, true);
    After(group, QStringLiteral("的玩家游戏"), 190, 82);
    CheckBox4 = Box(group, QStringLiteral("不与积分和自己相差"), 112);
    CheckBox4->setFixedWidth(140);
    Edit2 = NumberEdit(group, 156, 113, false);
    After(group, QStringLiteral("的玩家游戏"), 206, 112);
    CheckBox5 = Box(group, QStringLiteral("不与积分低于"), 142);
    CheckBox5->setFixedWidth(110);
    Edit3 = NumberEdit(group, 124, 143, true);
    After(group, QStringLiteral("的玩家游戏"), 174, 142);
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setGeometry(80, 192, 80, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setGeometry(180, 192, 80, 28);

    for (QCheckBox *box : {CheckBox2, CheckBox3, CheckBox4, CheckBox5})
        connect(box, &QCheckBox::toggled, this, [this] { UpdateFields(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    UpdateFields();
}

bool TNetSetForm::Edit(UserSetDialog &dialog)
{
    Load(dialog);
    if (exec() != QDialog::Accepted)
        return false;
    dialog = Controls();
    return true;
}

void TNetSetForm::Load(const UserSetDialog &d)
{
    CheckBox1->setChecked(d.invite);
    CheckBox2->setChecked(d.iprule);
    ComboBox1->setCurrentIndex(d.ipitem == 1 ? 1 : 0);
    CheckBox3->setChecked(d.escape);
    Edit1->setText(ToUi(d.escapetext));
    CheckBox4->setChecked(d.limit1);
    Edit2->setText(ToUi(d.limit1text));
    CheckBox5->setChecked(d.limit2);
    Edit3->setText(ToUi(d.limit2text));
    UpdateFields();
}

UserSetDialog TNetSetForm::Controls() const
{
    UserSetDialog d;
    d.invite = CheckBox1->isChecked();
    d.iprule = CheckBox2->isChecked();
    d.ipitem = ComboBox1->currentIndex();
    d.escape = CheckBox3->isChecked();
    d.escapetext = FromUi(Edit1->text());
    d.limit1 = CheckBox4->isChecked();
    d.limit1text = FromUi(Edit2->text());
    d.limit2 = CheckBox5->isChecked();
    d.limit2text = FromUi(Edit3->text());
    return d;
}

void TNetSetForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    BitBtn1->setFocus();
}

void TNetSetForm::UpdateFields()
{
    ComboBox1->setEnabled(CheckBox2->isChecked());
    ShadeEdit(Edit1, CheckBox3->isChecked());
    ShadeEdit(Edit2, CheckBox4->isChecked());
    ShadeEdit(Edit3, CheckBox5->isChecked());
}
