#include "client/Roomlist.h"

#include "client/FormText.h"
#include "platform/MessageBox.h"
#include "table/ClientRecords.h"
#include "table/NetLink.h"
#include "table/RoomTree.h"
#include "windows/CInfoForm.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

bool AskRoom(NetLink &link, int room)
{
    GameMsg msg;
    if (!BuildEnterRoom(msg, room))
        return false;
    link.SendPacket(msg);
    if (infoform) {
        infoform->text = "正在获取房间信息,请稍后...";
        infoform->Show();
    }
    return true;
}

TRoomListForm::TRoomListForm(QWidget *parent, NetLink &link) : QDialog(parent), link_(link)
{
    setWindowTitle(QStringLiteral("请选择房间进入"));
    setFixedSize(321, 262);
    auto *group = new QGroupBox(QStringLiteral("房间列表"), this);
    group->setGeometry(8, 6, 305, 200);
    ListView1 = new QTreeWidget(group);
    ListView1->setGeometry(10, 20, 285, 150);
    ListView1->setColumnCount(2);
    ListView1->setHeaderLabels({QStringLiteral("房间名称"), QStringLiteral("在线人数")});
    ListView1->header()->resizeSection(0, 150);
    ListView1->header()->resizeSection(1, 70);
    ListView1->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *note = new QLabel(QStringLiteral("注意:如果是断线续玩,请选择上一次登录的房间"), group);
    note->setGeometry(10, 174, 285, 20);
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setGeometry(70, 222, 80, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setGeometry(170, 222, 80, 28);

    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] { ListView1SelectItem(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TRoomListForm::Fill(const std::vector<RoomRow> &rows)
{
    ListView1->clear();
    for (const RoomRow &room : rows) {
        if (ListView1->topLevelItemCount() >= kMaxRooms)
            break;
        auto *row = new QTreeWidgetItem(ListView1, {ToUi(room.name), ToUi(room.users)});
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Unchecked);
        row->setTextAlignment(1, Qt::AlignCenter);
    }
}

void TRoomListForm::ListView1SelectItem()
{
    const QList<QTreeWidgetItem *> selected = ListView1->selectedItems();
    if (selected.isEmpty())
        return;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = ListView1->topLevelItem(i);
        item->setCheckState(0, item == selected.front() ? Qt::Checked : Qt::Unchecked);
    }
}

int TRoomListForm::FirstChecked() const
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->checkState(0) == Qt::Checked)
            return i;
    return -1;
}

void TRoomListForm::BitBtn1Click()
{
    if (!AskRoom(link_, FirstChecked())) {
        MessageBox::Show("请选择一个你要进入的房间", "Warning", MessageBox::IconWarning);
        return;
    }
    accept();
}
