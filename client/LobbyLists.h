#pragma once
#include "table/RoomTree.h"

#include <QIcon>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QSplitter;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;
class UserTableModel;

// The lobby's room tree above its user list, native lists over the right of the drawn lobby. The
// tree follows the game's room model; the user list is a view of the user list's model, which sorts
// by the headers clicked here.
class TLobbyLists : public QWidget, public RoomTreeView {
public:
    TLobbyLists(UserTableModel &users, RoomTree &rooms);
    ~TLobbyLists() override;

    void TreeChanged() override;

    // The user a row of the list stands for, or empty.
    std::string UserAt(int row) const;

    // A press on a user's row, with the pointer's place on the screen.
    std::function<void(const std::string &name, QPoint global)> onUserPressed;
    // A double click on a node: 0 a server, 1 a room, with its place among its siblings.
    std::function<void(int level, int index)> onNodeDoubleClicked;

    QTreeWidget *TreeView1;
    QSplitter *Splitter1;
    QTreeView *ListView1;

private:
    UserTableModel &users_;
    RoomTree &rooms_;
    std::vector<QIcon> roomIcons_;
};
