#include "listsortfilterproxymodel.h"

#include "dataitemlistmodel.h"

ListSortFilterProxyModel::ListSortFilterProxyModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
}

bool ListSortFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    const auto *model = qobject_cast<const DataItemListModel *>(parent());
    const DataItem *item = model ? model->itemAtIndex(sourceRow) : nullptr;
    return !item || item->applicable();
}

bool ListSortFilterProxyModel::filterAcceptsColumn(int, const QModelIndex &) const
{
    const auto *model = qobject_cast<const DataItemListModel *>(parent());
    return !model || model->applicable();
}
