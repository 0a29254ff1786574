#pragma once

#include <QObject>

// Holds the kinds of menu entries for QML (MenuItemType.Separator, .Item, .Menu).
class EMenuItemType : public QObject
{
    Q_OBJECT
public:
    enum MenuItemType { Separator = 0, Item = 1, Menu = 2 };
    Q_ENUM(MenuItemType)

    using QObject::QObject;
};
