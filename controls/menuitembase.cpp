#include "menuitembase.h"

#include "menuitemcontainer.h"
#include "menulist.h"

#include <QQuickItem>

MenuItemBase::MenuItemBase(EMenuItemType::MenuItemType type, QObject *parent)
    : QObject(parent)
    , m_type(type)
{
}

bool MenuItemBase::isVisible() const
{
    return m_visible;
}

void MenuItemBase::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    Q_EMIT visibleChanged();
}

EMenuItemType::MenuItemType MenuItemBase::type() const
{
    return m_type;
}

MenuList *MenuItemBase::parentMenu() const
{
    return m_parentMenu;
}

void MenuItemBase::setParentMenu(MenuList *menu)
{
    m_parentMenu = menu;
}

MenuItemContainer *MenuItemBase::container() const
{
    return m_container;
}

void MenuItemBase::setContainer(MenuItemContainer *container)
{
    m_container = container;
}

QQuickItem *MenuItemBase::visualItem() const
{
    return m_visualItem;
}

void MenuItemBase::setVisualItem(QQuickItem *item)
{
    if (m_visualItem == item)
        return;
    m_visualItem = item;
    Q_EMIT visualItemChanged();
}
