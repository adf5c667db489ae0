#pragma once
#include "client/UserOrder.h"
#include "table/RoomTree.h"
#include "table/UserList.h"

#include <QIcon>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

// The lobby's room tree above its user list, native lists over the right of the drawn lobby. They
// follow the game's models as the server's records change them; the user list sorts by its headers
// and keeps its order until the next click, new users joining at its end (the own user on top).
class TLobbyLists : public QWidget, public UserListView, public RoomTreeView {
public:
    // own: the account logged in with, whose row comes first and shows in its own colours.
    TLobbyLists(UserList &users, RoomTree &rooms, std::function<std::string()> own);
    ~TLobbyLists() override;

    void RowInserted(int row) override;
    void RowRemoved(int row) override;
    void RowChanged(int row) override;
    void ListCleared() override;
    void TreeChanged() override;

    // A header click: sortable columns sort, and their header shows the direction.
    void ListView1ColumnClick(int column);
    // The user a shown row stands for, or empty.
    std::string UserAt(const QTreeWidgetItem *item) const;

    // A press on a user's row, with the pointer's place on the screen.
    std::function<void(const std::string &name, QPoint global)> onUserPressed;
    // A double click on a node: 0 a server, 1 a room, with its place among its siblings.
    std::function<void(int level, int index)> onNodeDoubleClicked;

    QTreeWidget *TreeView1;
    QSplitter *Splitter1;
    QTreeWidget *ListView1;

private:
    void Fill(QTreeWidgetItem *item, const UserRow &row) const;
    void Sort();

    UserList &users_;
    RoomTree &rooms_;
    std::function<std::string()> own_;
    std::vector<QTreeWidgetItem *> items_; // by the list's own index
    UserOrder order_;
    std::vector<QIcon> userIcons_;
    std::vector<QIcon> roomIcons_;
};
