#pragma once

#include "dataitemlist.h"

// One column of a table declared by columns. Items without a container list take the column as
// theirs.
class TableModelColumn : public DataItemList
{
    Q_OBJECT
public:
    explicit TableModelColumn(QObject *parent = nullptr);

    void setupDataItem(DataItem *item) override;
};
