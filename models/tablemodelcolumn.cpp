#include "tablemodelcolumn.h"

TableModelColumn::TableModelColumn(QObject *parent)
    : DataItemList(parent)
{
    setType(DataItem::TableModelColumn);
}

void TableModelColumn::setupDataItem(DataItem *item)
{
    if (!item->container())
        item->setContainer(this);
    DataItemList::setupDataItem(item);
}
