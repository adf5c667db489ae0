#include "client/LobbyLists.h"

#include "client/FormText.h"
#include "client/IconStrip.h"
#include "client/UserTableModel.h"

#include <QHeaderView>
#include <QSplitter>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

TLobbyLists::TLobbyLists(UserTableModel &users, RoomTree &rooms)
    : users_(users), rooms_(rooms), roomIcons_(IconStrip("Graphic\\NetForm\\roomtree.bmp"))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setHandleWidth(3);
    layout->addWidget(Splitter1);

    TreeView1 = new QTreeWidget(Splitter1);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(19);
    ListView1 = new QTreeView(Splitter1);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setModel(&users_);
    const int widths[] = {20, 20, 20, 80, 50, 100, 50, 50, 40};
    for (int c = 0; c < UserTableModel::kColumns; ++c)
        ListView1->header()->resizeSection(c, widths[c]);
    ListView1->header()->setSectionsClickable(true);
    Splitter1->setSizes({140, 190});

    connect(ListView1->header(), &QHeaderView::sectionClicked, this, [this](int c) { users_.ColumnClick(c); });
    connect(ListView1, &QTreeView::pressed, this, [this](const QModelIndex &index) {
        const std::string name = UserAt(index.row());
        if (!name.empty() && onUserPressed)
            onUserPressed(name, QCursor::pos());
    });
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        QTreeWidgetItem *parent = item->parent();
        if (onNodeDoubleClicked)
            onNodeDoubleClicked(parent ? 1 : 0, parent ? parent->indexOfChild(item) : TreeView1->indexOfTopLevelItem(item));
    });

    rooms_.SetView(this);
    TreeChanged();
}

TLobbyLists::~TLobbyLists()
{
    rooms_.SetView(nullptr);
}

void TLobbyLists::TreeChanged()
{
    TreeView1->clear();
    for (const RoomNode &top : rooms_.Tops()) {
        auto *node = new QTreeWidgetItem(TreeView1, {ToUi(top.caption)});
        node->setIcon(0, IconAt(roomIcons_, top.image));
        for (const RoomNode &room : top.children) {
            auto *child = new QTreeWidgetItem(node, {ToUi(room.caption)});
            child->setIcon(0, IconAt(roomIcons_, room.image));
        }
        node->setExpanded(top.expanded);
    }
}

std::string TLobbyLists::UserAt(int row) const
{
    const UserRow *user = users_.RowAt(row);
    return user ? user->name : std::string();
}
