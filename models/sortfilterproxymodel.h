#pragma once

#include <QSortFilterProxyModel>

// The filter of a table model (its QObject parent): hides the rows and columns whose list is not
// applicable. Any other parent, or an index without list, is let through.
class SortFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit SortFilterProxyModel(QObject *parent = nullptr);

    // Tests every row and column again; the table calls it when an applicability changed.
    void refilter();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex &sourceParent) const override;
};
