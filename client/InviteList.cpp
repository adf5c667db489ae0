#include "client/InviteList.h"

#include "client/FormText.h"
#include "client/UserTableModel.h"

#include <QHeaderView>

InviteeFilter::InviteeFilter(UserTableModel &users, QObject *parent) : QSortFilterProxyModel(parent), users_(users)
{
    setSourceModel(&users);
}

const UserRow *InviteeFilter::RowAt(int row) const
{
    return users_.RowAt(mapToSource(index(row, 0)).row());
}

void InviteeFilter::SetShown(bool shown)
{
    if (shown == shown_)
        return;
    shown_ = shown;
    invalidateRowsFilter();
}

bool InviteeFilter::filterAcceptsRow(int row, const QModelIndex &) const
{
    const UserRow *user = shown_ ? users_.RowAt(row) : nullptr;
    return user && !user->info.attable;
}

bool InviteeFilter::filterAcceptsColumn(int column, const QModelIndex &) const
{
    return column >= UserOrder::NAME && column <= UserOrder::RATE;
}

QVariant InviteeFilter::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The level column is captioned otherwise here; no header shows a sort direction.
    if (orientation == Qt::Horizontal && role == Qt::DecorationRole)
        return {};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && UserOrder::NAME + section == UserOrder::LEVEL)
        return ToUi("等级");
    return QSortFilterProxyModel::headerData(section, orientation, role);
}

TInviteList::TInviteList(UserTableModel &users, QWidget *parent) : QTableView(parent), filter_(users)
{
    setModel(&filter_);
    setShowGrid(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    // The figures' columns as wide as their headers and the rows in sight, the name taking the rest:
    // the whole row fits the list's width.
    QHeaderView *header = horizontalHeader();
    header->setResizeContentsPrecision(0);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    resize(kWidth, kHeight);
}

void TInviteList::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    bool selectedGoes = false;
    for (const QModelIndex &row : selectionModel()->selectedRows())
        selectedGoes = selectedGoes || (row.row() >= start && row.row() <= end);
    QTableView::rowsAboutToBeRemoved(parent, start, end);
    if (selectedGoes)
        clearSelection();
}

void TInviteList::setVisible(bool visible)
{
    filter_.SetShown(visible);
    QTableView::setVisible(visible);
}

std::optional<std::string> TInviteList::SelectedInvitee() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    if (const UserRow *user = filter_.RowAt(rows[0].row()))
        return user->name;
    return std::nullopt;
}
