#pragma once
#include "client/UserOrder.h"
#include "table/RowSequence.h"
#include "table/UserList.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <functional>
#include <string>
#include <vector>

// The room's user list as the toolkit's views read it: one row for each row of the game's list, in
// the order the views show. The rows themselves stay in the list; this model holds only their order.
// The order is the list's own (the own user on top, newcomers at the end) until a header click sorts
// it, and then it stays until the next click, newcomers still joining at the end. Each record of the
// list is told to the views as the one row it changed: an insert, a removal or a change of that row.
class UserTableModel : public QAbstractTableModel, public UserListView {
public:
    // Columns: three pictures (rights mark, table status, face), then the texts from the name on.
    static constexpr int kColumns = UserOrder::ESCAPES + 1;

    // own: the account logged in with, whose row shows in its own colours.
    UserTableModel(UserList &users, std::function<std::string()> own);
    ~UserTableModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // The columns' captions, and the direction of the sort column.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void RowInserted(int row) override;
    void RowRemoved(int row) override;
    void RowChanged(int row) override;
    void ListCleared() override;

    // The list's row shown on a row of this model, or null.
    const UserRow *RowAt(int row) const;
    // A header click: sortable columns sort the rows and show their direction.
    void ColumnClick(int column);

private:
    void Sort();

    UserList &users_;
    std::function<std::string()> own_;
    RowSequence shown_;
    UserOrder order_;
    std::vector<QIcon> icons_;
};
