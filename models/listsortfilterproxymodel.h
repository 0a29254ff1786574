#pragma once

#include <QSortFilterProxyModel>

// The filter of a data item list model (its QObject parent): hides the rows whose item is not
// applicable, and the column while no ordinary item of the list is. Any other parent, or a row
// without item, is let through. Each test is a look-up, never a search.
class ListSortFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit ListSortFilterProxyModel(QObject *parent = nullptr);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex &sourceParent) const override;
};
