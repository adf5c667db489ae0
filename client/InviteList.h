#pragma once
#include <QSortFilterProxyModel>
#include <QTableView>
#include <optional>
#include <string>

class UserTableModel;
struct UserRow;

// The users of the room who sit at no table, with their name, score, level, games and win rate:
// the user list's own rows seen through a filter, in the user list's order, so that every record
// that changes the user list changes this view too.
class InviteeFilter : public QSortFilterProxyModel {
public:
    explicit InviteeFilter(UserTableModel &users, QObject *parent = nullptr);
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The user list's row shown on a row of this view, or null.
    const UserRow *RowAt(int row) const;
    // A list that is not shown lets no row through its filter, so that a busy room's records
    // cost it nothing; shown again, it takes the room as it is then.
    void SetShown(bool shown);

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override;
    bool filterAcceptsColumn(int column, const QModelIndex &parent) const override;

private:
    UserTableModel &users_;
    bool shown_ = true;
};

// The main window's list of users to invite (ListView2), shown inside the drawn invitation screen:
// a grid of whole rows, read-only, one row selected at a time.
class TInviteList : public QTableView {
public:
    static constexpr int kWidth = 306, kHeight = 238;

    explicit TInviteList(UserTableModel &users, QWidget *parent = nullptr);

    // The name on the selected row (GBK), none while no row is selected.
    std::optional<std::string> SelectedInvitee() const;
    const InviteeFilter &Filter() const { return filter_; }
    void setVisible(bool visible) override;

protected:
    // A selected user who leaves the list takes the selection with him: no one else is invited
    // in his place.
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;

private:
    InviteeFilter filter_;
};
