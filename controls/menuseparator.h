#pragma once

#include "menuitembase.h"

// A separator line between menu entries.
class MenuSeparator : public MenuItemBase
{
    Q_OBJECT
public:
    explicit MenuSeparator(QObject *parent = nullptr);
};
