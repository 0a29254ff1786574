#include "sortfilterproxymodel.h"

#include "dataitemlist.h"
#include "tablemodel.h"

SortFilterProxyModel::SortFilterProxyModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
}

void SortFilterProxyModel::refilter()
{
    invalidateFilter();
}

bool SortFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    const TableModel *table = qobject_cast<const TableModel *>(parent());
    const DataItemList *row = table ? table->rowAtIndex(sourceRow) : nullptr;
    return !row || row->applicable();
}

bool SortFilterProxyModel::filterAcceptsColumn(int sourceColumn, const QModelIndex &) const
{
    const TableModel *table = qobject_cast<const TableModel *>(parent());
    const DataItemList *column = table ? table->colAtIndex(sourceColumn) : nullptr;
    return !column || column->applicable();
}
