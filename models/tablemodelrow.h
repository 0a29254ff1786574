#pragma once

#include "dataitemlist.h"

// One row of a table declared by rows. Items without a container list take the row as theirs.
class TableModelRow : public DataItemList
{
    Q_OBJECT
public:
    explicit TableModelRow(QObject *parent = nullptr);

    void setupDataItem(DataItem *item) override;
};
