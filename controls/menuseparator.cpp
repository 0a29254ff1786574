#include "menuseparator.h"

MenuSeparator::MenuSeparator(QObject *parent)
    : MenuItemBase(EMenuItemType::Separator, parent)
{
}
