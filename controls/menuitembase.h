#pragma once

#include "emenuitemtype.h"

#include <QObject>
#include <QPointer>

class MenuItemContainer;
class MenuList;
class QQuickItem;

// The common part of every menu entry: visibility, the menu and container that hold it (both set
// by the menu) and the visual item a delegate draws it with.
class MenuItemBase : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool visible READ isVisible WRITE setVisible NOTIFY visibleChanged)
    Q_PROPERTY(EMenuItemType::MenuItemType type READ type CONSTANT)
    Q_PROPERTY(MenuList *__parentMenu READ parentMenu CONSTANT)
    Q_PROPERTY(bool __isNative READ isNative CONSTANT)
    Q_PROPERTY(
        QQuickItem *__visualItem READ visualItem WRITE setVisualItem NOTIFY visualItemChanged)
public:
    bool isVisible() const;
    void setVisible(bool visible);

    EMenuItemType::MenuItemType type() const;

    MenuList *parentMenu() const;
    void setParentMenu(MenuList *menu);

    MenuItemContainer *container() const;
    void setContainer(MenuItemContainer *container);

    // No platform menu items are created: entries are always drawn by QML delegates.
    bool isNative() const { return false; }

    QQuickItem *visualItem() const;
    void setVisualItem(QQuickItem *item);

Q_SIGNALS:
    void visibleChanged();
    void visualItemChanged();

protected:
    MenuItemBase(EMenuItemType::MenuItemType type, QObject *parent);

private:
    const EMenuItemType::MenuItemType m_type;
    bool m_visible = true;
    QPointer<MenuList> m_parentMenu;
    QPointer<MenuItemContainer> m_container;
    QPointer<QQuickItem> m_visualItem;
};
