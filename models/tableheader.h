#pragma once

#include "dataitem.h"

// A data item of type Header: shown as a heading, never counted for a list's applicability.
class TableHeader : public DataItem
{
    Q_OBJECT
public:
    explicit TableHeader(QObject *parent = nullptr);
};
