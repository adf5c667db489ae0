#include "client/UserMenu.h"

#include "client/FormText.h"
#include "table/TableStore.h"
#include "table/UserList.h"
#include "windows/LevelTable.h"

namespace {

const char *const kChatLines[] = {
    "大家好，很高兴见到各位！",       "打快点吧,我都要睡着了。",
    "你的牌打的太好了！",             "让穷人吃吃牌吧。",
    "简直不敢相信我的眼睛。",         "我们交个朋友吧，能告诉我你的联系方法么？",
    "各位，真不好意思，我要离开下。", "又断线了，网络怎么这么差啊！",
    "不要吵，有什么好吵的，专心游戏吧！",
};

// The items both ways of opening the menu share.
UserMenuItems Common(const UserRow &row, const UserMenuContext &context)
{
    const UserInfo &u = row.info;
    UserMenuItems items;
    items.user = row.name;
    items.title = "用户名: " + row.name;
    items.manager = context.myright == 1 && row.name != context.myaccount;
    if (u.attable) {
        const std::string number = std::to_string(u.table);
        const TableInfo *table = context.table ? context.table(u.table - 1) : nullptr;
        if (!table || table->playing) {
            items.where = "正在第" + number + "桌游戏";
        } else {
            items.where = "正在第" + number + "桌等待";
            items.join = JoinableTable(row, context) >= 0;
        }
    } else {
        items.where = "正在大厅中等待";
    }
    items.score = "积分: " + std::to_string(u.score);
    items.level = std::string("级别: ") + GetLevelTitle(u.score);
    items.games = "总局数: " + std::to_string(u.games);
    items.wins = "和牌: " + std::to_string(u.wins);
    items.escapes = "逃跑: " + std::to_string(u.escapes);
    items.talk = "与" + row.name + "私聊";
    return items;
}

} // namespace

int JoinableTable(const UserRow &row, const UserMenuContext &context)
{
    if (!row.info.attable || !context.table)
        return -1;
    const int index = row.info.table - 1;
    const TableInfo *table = context.table(index);
    if (!table || table->playing)
        return -1;
    for (uint8_t state : table->state)
        if (state == 0)
            return index;
    return -1;
}

UserMenuItems UserMenuItems::ForList(const UserRow &row, const UserMenuContext &context)
{
    UserMenuItems items = Common(row, context);
    items.chat = row.name != context.myaccount;
    return items;
}

UserMenuItems UserMenuItems::ForGame(const UserRow &row, const UserMenuContext &context, bool atTable)
{
    UserMenuItems items = Common(row, context);
    items.kick = (context.myright == 1 || context.myright == 2) && row.name != context.myaccount &&
                 context.gamestatus == 0 && context.curscreen == 0 && row.info.table == context.mytable;
    items.atTable = atTable;
    if (atTable)
        items.talk = "与" + row.name + "交谈";
    return items;
}

TUserMenu::TUserMenu(QWidget *parent) : QMenu(parent)
{
    N13 = Item("N13", QStringLiteral("用户名:"));
    N14 = Item("N14", QStringLiteral("与他交谈"));
    N22 = addSeparator();
    N1 = Item("N1", QStringLiteral("正在桌游戏"));
    N9 = Item("N9", QStringLiteral("加入该桌游戏"));
    N2 = addSeparator();
    N3 = Item("N3", QStringLiteral("积分:"));
    N8 = Item("N8", QStringLiteral("等级:"));
    N4 = Item("N4", QStringLiteral("总局数:"));
    N5 = Item("N5", QStringLiteral("胜:"));
    N6 = Item("N6", QStringLiteral("逃跑:"));
    N7 = Item("N7", QStringLiteral("断线:"));
    N7->setVisible(false);
    N10 = addSeparator();
    N11 = Item("N11", QStringLiteral("私聊"));
    N12 = addSeparator();
    N26 = Item("N26", QStringLiteral("请他离开（超级玩家权限）"));
    Manager = addMenu(QStringLiteral("网管功能"));
    Manager->setObjectName(QStringLiteral("Manager"));
    N24 = Manager->addAction(QStringLiteral("踢出游戏"));
    N24->setObjectName(QStringLiteral("N24"));
    N25 = Manager->addAction(QStringLiteral("禁言"));
    N25->setObjectName(QStringLiteral("N25"));
    Manager->menuAction()->setVisible(false);

    const auto to = [this](std::function<void(const std::string &)> &call) {
        return [this, &call] {
            if (call)
                call(user_);
        };
    };
    connect(N9, &QAction::triggered, this, to(onJoin));
    connect(N11, &QAction::triggered, this, to(onChat));
    connect(N14, &QAction::triggered, this, to(onAddress));
    connect(N24, &QAction::triggered, this, to(onKick));
    connect(N26, &QAction::triggered, this, to(onKick));
    connect(N25, &QAction::triggered, this, to(onMute));
}

QAction *TUserMenu::Item(const char *name, const QString &caption)
{
    QAction *action = addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void TUserMenu::Apply(const UserMenuItems &items)
{
    user_ = items.user;
    N13->setText(ToUi(items.title));
    N1->setText(ToUi(items.where));
    N3->setText(ToUi(items.score));
    N8->setText(ToUi(items.level));
    N4->setText(ToUi(items.games));
    N5->setText(ToUi(items.wins));
    N6->setText(ToUi(items.escapes));
    N9->setEnabled(items.join);
    N11->setEnabled(items.chat);
    N26->setEnabled(items.kick);
    Manager->menuAction()->setVisible(items.manager);
    N14->setVisible(items.atTable);
    for (QAction *action : {N10, N11, N1, N2, N9})
        action->setVisible(!items.atTable);
    (items.atTable ? N14 : N11)->setText(ToUi(items.talk));
}

TChatLinesMenu::TChatLinesMenu(QWidget *parent) : QMenu(parent)
{
    for (const char *line : kChatLines) {
        QAction *action = addAction(ToUi(line));
        action->setData(QByteArray(line));
    }
    connect(this, &QMenu::triggered, this, [this](QAction *action) {
        if (onLine)
            onLine(action->data().toByteArray().toStdString());
    });
}
