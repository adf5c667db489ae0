#include "client/LobbyLists.h"

#include "client/FormText.h"
#include "platform/Paths.h"

#include <QBitmap>
#include <QHeaderView>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Row colours of the list: the own row, and users with rights.
const QColor kOwnText(Qt::white), kOwnBack(0x94, 0xBA, 0xD6);
const QColor kMarkedText(Qt::red), kMarkedBack(0xA5, 0xD3, 0xDE);

// The icons of a strip of 16 x 16 cells from the data folder, magenta showing through.
std::vector<QIcon> Icons(const char *path)
{
    QPixmap strip(QString::fromStdString(Paths::Resolve(path)));
    if (!strip.isNull())
        strip.setMask(strip.createMaskFromColor(QColor(255, 0, 255)));
    std::vector<QIcon> icons;
    for (int x = 0; x + 16 <= strip.width(); x += 16)
        icons.emplace_back(strip.copy(x, 0, 16, 16));
    return icons;
}

QIcon IconOf(const std::vector<QIcon> &icons, int index)
{
    return index >= 0 && index < static_cast<int>(icons.size()) ? icons[index] : QIcon();
}

QTreeWidget *List(QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSortingEnabled(false);
    return list;
}

} // namespace

TLobbyLists::TLobbyLists(UserList &users, RoomTree &rooms, std::function<std::string()> own)
    : users_(users), rooms_(rooms), own_(std::move(own)), userIcons_(Icons("Graphic\\NetForm\\userlist.bmp")),
      roomIcons_(Icons("Graphic\\NetForm\\roomtree.bmp"))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setHandleWidth(3);
    layout->addWidget(Splitter1);

    TreeView1 = List(Splitter1);
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(19);
    ListView1 = List(Splitter1);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setColumnCount(9);
    ListView1->setHeaderLabels({QString(), QString(), QString(), QStringLiteral("姓名"), QStringLiteral("积分"),
                                QStringLiteral("级别"), QStringLiteral("总局数"), QStringLiteral("和牌率"),
                                QStringLiteral("逃跑")});
    const int widths[] = {20, 20, 20, 80, 50, 100, 50, 50, 40};
    for (int c = 0; c < 9; ++c)
        ListView1->header()->resizeSection(c, widths[c]);
    ListView1->header()->setSectionsClickable(true);
    Splitter1->setSizes({140, 190});

    connect(ListView1->header(), &QHeaderView::sectionClicked, this, [this](int c) { ListView1ColumnClick(c); });
    connect(ListView1, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem *item) {
        const std::string name = UserAt(item);
        if (!name.empty() && onUserPressed)
            onUserPressed(name, QCursor::pos());
    });
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        QTreeWidgetItem *parent = item->parent();
        if (onNodeDoubleClicked)
            onNodeDoubleClicked(parent ? 1 : 0, parent ? parent->indexOfChild(item) : TreeView1->indexOfTopLevelItem(item));
    });

    users_.SetView(this);
    rooms_.SetView(this);
    for (int i = 0; i < users_.Count(); ++i)
        RowInserted(i);
    TreeChanged();
}

TLobbyLists::~TLobbyLists()
{
    users_.SetView(nullptr);
    rooms_.SetView(nullptr);
}

void TLobbyLists::Fill(QTreeWidgetItem *item, const UserRow &row) const
{
    item->setIcon(0, IconOf(userIcons_, row.image));
    item->setIcon(1, IconOf(userIcons_, row.statusimage));
    item->setIcon(2, IconOf(userIcons_, row.faceimage));
    for (int c = COL_NAME; c < USER_COLUMNS; ++c)
        item->setText(c + 1, ToUi(row.columns[c]));
    const bool own = row.name == own_();
    const bool marked = row.info.rights == 1 || row.info.rights == 2;
    for (int c = 0; c < 9; ++c) {
        item->setForeground(c, own ? QBrush(kOwnText) : marked ? QBrush(kMarkedText) : QBrush());
        item->setBackground(c, own ? QBrush(kOwnBack) : marked ? QBrush(kMarkedBack) : QBrush());
    }
}

void TLobbyLists::RowInserted(int row)
{
    auto *item = new QTreeWidgetItem;
    Fill(item, users_.Row(row));
    if (row == 0)
        ListView1->insertTopLevelItem(0, item);
    else
        ListView1->addTopLevelItem(item);
    items_.insert(items_.begin() + row, item);
}

void TLobbyLists::RowRemoved(int row)
{
    delete items_[row];
    items_.erase(items_.begin() + row);
}

void TLobbyLists::RowChanged(int row)
{
    Fill(items_[row], users_.Row(row));
}

void TLobbyLists::ListCleared()
{
    items_.clear();
    ListView1->clear();
}

void TLobbyLists::TreeChanged()
{
    TreeView1->clear();
    for (const RoomNode &top : rooms_.Tops()) {
        auto *node = new QTreeWidgetItem(TreeView1, {ToUi(top.caption)});
        node->setIcon(0, IconOf(roomIcons_, top.image));
        for (const RoomNode &room : top.children) {
            auto *child = new QTreeWidgetItem(node, {ToUi(room.caption)});
            child->setIcon(0, IconOf(roomIcons_, room.image));
        }
        node->setExpanded(top.expanded);
    }
}

std::string TLobbyLists::UserAt(const QTreeWidgetItem *item) const
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? std::string() : users_.Row(static_cast<int>(it - items_.begin())).name;
}

void TLobbyLists::ListView1ColumnClick(int column)
{
    if (!order_.Click(column))
        return;
    for (int c = UserOrder::NAME; c <= UserOrder::RATE; ++c)
        ListView1->headerItem()->setIcon(c, QIcon());
    ListView1->headerItem()->setIcon(
        column, IconOf(userIcons_, order_.Ascending(column) ? UserOrder::PICTURE_ASCENDING : UserOrder::PICTURE_DESCENDING));
    Sort();
}

void TLobbyLists::Sort()
{
    const std::vector<int> rows = order_.Sorted(users_, own_());
    ListView1->invisibleRootItem()->takeChildren();
    QList<QTreeWidgetItem *> sorted;
    for (int row : rows)
        sorted.append(items_[row]);
    ListView1->addTopLevelItems(sorted);
}
