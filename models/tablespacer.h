#pragma once

#include "dataitem.h"

// A data item of type Spacer: an empty cell, never counted for a list's applicability.
class TableSpacer : public DataItem
{
    Q_OBJECT
public:
    explicit TableSpacer(QObject *parent = nullptr);
};
