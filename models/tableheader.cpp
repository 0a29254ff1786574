#include "tableheader.h"

TableHeader::TableHeader(QObject *parent)
    : DataItem(parent)
{
    setType(Header);
}
