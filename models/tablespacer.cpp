#include "tablespacer.h"

TableSpacer::TableSpacer(QObject *parent)
    : DataItem(parent)
{
    setType(Spacer);
}
