#include "tablemodelrow.h"

TableModelRow::TableModelRow(QObject *parent)
    : DataItemList(parent)
{
    setType(DataItem::TableModelRow);
}

void TableModelRow::setupDataItem(DataItem *item)
{
    if (!item->container())
        item->setContainer(this);
    DataItemList::setupDataItem(item);
}
