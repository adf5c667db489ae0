#include "client/UserTableModel.h"

#include "client/FormText.h"
#include "client/IconStrip.h"

#include <QColor>

namespace {

// Row colours: the own row, and users with rights.
const QColor kOwnText(Qt::white), kOwnBack(0x94, 0xBA, 0xD6);
const QColor kMarkedText(Qt::red), kMarkedBack(0xA5, 0xD3, 0xDE);

const char *const kCaptions[UserTableModel::kColumns] = {"", "", "", "姓名", "积分", "级别", "总局数", "和牌率", "逃跑"};

} // namespace

UserTableModel::UserTableModel(UserList &users, std::function<std::string()> own)
    : users_(users), own_(std::move(own)), icons_(IconStrip("Graphic\\NetForm\\userlist.bmp"))
{
    for (int i = 0; i < users_.Count(); ++i)
        shown_.Append(&users_.Row(i));
    users_.SetView(this);
}

UserTableModel::~UserTableModel()
{
    users_.SetView(nullptr);
}

int UserTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : shown_.Count();
}

int UserTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

const UserRow *UserTableModel::RowAt(int row) const
{
    return row >= 0 && row < shown_.Count() ? shown_.At(row) : nullptr;
}

QVariant UserTableModel::data(const QModelIndex &index, int role) const
{
    const UserRow *row = index.isValid() ? RowAt(index.row()) : nullptr;
    if (!row)
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        // The view's text columns follow the list's, one place on for the rights mark.
        return column >= UserOrder::NAME && column < kColumns ? ToUi(row->columns[column - 1]) : QVariant();
    case Qt::DecorationRole: {
        const int pictures[] = {row->image, row->statusimage, row->faceimage};
        return column < UserOrder::NAME ? IconAt(icons_, pictures[column]) : QVariant();
    }
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const bool text = role == Qt::ForegroundRole;
        if (row->name == own_())
            return text ? kOwnText : kOwnBack;
        if (row->info.rights == 1 || row->info.rights == 2)
            return text ? kMarkedText : kMarkedBack;
        return {};
    }
    default:
        return {};
    }
}

QVariant UserTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return {};
    if (role == Qt::DisplayRole)
        return ToUi(kCaptions[section]);
    if (role == Qt::DecorationRole && UserOrder::Sortable(section) && section == order_.SortColumn())
        return IconAt(icons_, order_.Ascending(section) ? UserOrder::PICTURE_ASCENDING : UserOrder::PICTURE_DESCENDING);
    return {};
}

void UserTableModel::RowInserted(int row)
{
    // The own user comes first in the list and on top here; everyone else joins at the end.
    const int at = row == 0 ? 0 : shown_.Count();
    beginInsertRows({}, at, at);
    if (at == 0)
        shown_.Prepend(&users_.Row(row));
    else
        shown_.Append(&users_.Row(row));
    endInsertRows();
}

void UserTableModel::RowRemoved(int row)
{
    const UserRow *gone = &users_.Row(row);
    const int at = shown_.IndexOf(gone);
    if (at < 0)
        return;
    beginRemoveRows({}, at, at);
    shown_.Remove(gone);
    endRemoveRows();
}

void UserTableModel::RowChanged(int row)
{
    const int at = shown_.IndexOf(&users_.Row(row));
    if (at >= 0)
        emit dataChanged(index(at, 0), index(at, kColumns - 1));
}

void UserTableModel::ListCleared()
{
    beginResetModel();
    shown_.Clear();
    endResetModel();
}

void UserTableModel::ColumnClick(int column)
{
    if (!order_.Click(column))
        return;
    emit headerDataChanged(Qt::Horizontal, UserOrder::NAME, UserOrder::RATE);
    Sort();
}

void UserTableModel::Sort()
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<const UserRow *> held;
    for (const QModelIndex &index : before)
        held.push_back(shown_.At(index.row()));
    std::vector<const UserRow *> sorted;
    for (int row : order_.Sorted(users_, own_()))
        sorted.push_back(&users_.Row(row));
    shown_.Assign(sorted);
    // Selections and current rows stay with their users.
    QModelIndexList after;
    for (size_t i = 0; i < held.size(); ++i)
        after.push_back(index(shown_.IndexOf(held[i]), before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
